#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageButtons { Ok, YesNo };

// The button that closed a message box (the Windows dialog result values).
enum MessageAnswer : int { MessageOk = 1, MessageCancel = 2, MessageYes = 6, MessageNo = 7 };

using MessageHandler =
    std::function<int(QWidget *parent, const QString &text, MessageIcon icon, MessageButtons buttons)>;

// Shows a modal message box captioned with the application title and returns a
// MessageAnswer. Tests put a handler in its place.
int showMessage(QWidget *parent, const QString &text, MessageIcon icon = MessageIcon::None,
                MessageButtons buttons = MessageButtons::Ok);

// Replaces the message box; an empty handler brings the real one back.
// Returns the handler that was in place.
MessageHandler setMessageHandler(MessageHandler handler);
