#include "uiext/messagebox.h"

#include "res/stringtable.h"

#include <QMessageBox>

namespace {

MessageHandler &currentHandler()
{
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int showMessageBox(QWidget *parent, const QString &text, MessageIcon icon, MessageButtons buttons)
{
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(boxIcon(icon), LoadText(IDS_APP_TITLE), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageYes;
    case QMessageBox::No:
        return MessageNo;
    case QMessageBox::Ok:
        return MessageOk;
    default:
        // Escape or the close box.
        return yesNo ? MessageNo : MessageOk;
    }
}

} // namespace

int showMessage(QWidget *parent, const QString &text, MessageIcon icon, MessageButtons buttons)
{
    if (const MessageHandler &handler = currentHandler())
        return handler(parent, text, icon, buttons);
    return showMessageBox(parent, text, icon, buttons);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    return std::exchange(currentHandler(), std::move(handler));
}
