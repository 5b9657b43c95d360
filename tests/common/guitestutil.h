#pragma once

// Helpers for the GUI tests: message boxes answered without showing, modal
// dialogs driven from a timer, and a private working folder and profile.

#include "uiext/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QList>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testutil {

struct ShownMessage
{
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
};

// Takes the place of the message box while it lives: records each message
// and answers with the next of `answers` (Yes or OK when none is left).
class MessageRecorder
{
public:
    MessageRecorder()
    {
        m_previous =
            setMessageHandler([this](QWidget *, const QString &text, MessageIcon icon, MessageButtons buttons) {
                shown.append({text, icon, buttons});
                if (onShow)
                    onShow();
                if (!answers.isEmpty())
                    return answers.takeFirst();
                return int(buttons == MessageButtons::YesNo ? MessageYes : MessageOk);
            });
    }
    ~MessageRecorder() { setMessageHandler(m_previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList texts() const
    {
        QStringList list;
        for (const ShownMessage &m : shown)
            list << m.text;
        return list;
    }

    QList<ShownMessage> shown;
    QList<int> answers;
    std::function<void()> onShow;

private:
    MessageHandler m_previous;
};

// Runs `action` on the first modal widget of type T once one is up (a dialog
// that runs its own event loop); gives up after a few seconds.
template <typename T>
void whenModal(std::function<void(T *)> action, int triesLeft = 500)
{
    QTimer::singleShot(10, [action, triesLeft] {
        if (auto *modal = qobject_cast<T *>(QApplication::activeModalWidget())) {
            action(modal);
            return;
        }
        if (triesLeft > 0)
            whenModal<T>(action, triesLeft - 1);
    });
}

// The child of that object name, which the test needs to exist.
template <typename T>
T *child(const QWidget *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// Clicks the push button of that object name ("ok", "cancel" ...).
inline void clickButton(QWidget *parent, const QString &name)
{
    QTest::mouseClick(child<QPushButton>(parent, name), Qt::LeftButton);
}

// A private working folder that is also the current folder, and a profile in
// the test location, for each test function.
class GuiTestPlace
{
public:
    GuiTestPlace() : m_oldCurrent(QDir::currentPath())
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir::setCurrent(m_dir.path());
    }
    ~GuiTestPlace() { QDir::setCurrent(m_oldCurrent); }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
};

// Whether a click at the widget's centre reaches it (shown, laid out, not
// covered or scrolled away).
inline bool clickable(QWidget *widget)
{
    if (!widget->isVisible())
        return false;
    QWidget *window = widget->window();
    QWidget *hit = window->childAt(widget->mapTo(window, widget->rect().center()));
    while (hit && hit != widget)
        hit = hit->parentWidget();
    return hit == widget;
}

inline QImage render(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

} // namespace testutil

// QTEST_MAIN for the GUI tests: the whole run works in its own temporary
// current folder with the test profile.
#define FENNIMAR_GUI_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        testutil::GuiTestPlace place;                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
