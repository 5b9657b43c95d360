#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CMainFrame;

// The Tools and Help menus and Exit: Refresh, Preference (the working
// directory), Change Password, Check Books, Synchronize, Help, About.
class CToolCommands : public QObject
{
    Q_OBJECT

public:
    explicit CToolCommands(CMainFrame &frame);

    static const QList<Command<CToolCommands>> &commands();

private:
    void refresh();
    void preference();
    void changePassword();
    void checkBooks();
    void synchronize();
    void helpContents();
    void about();
    void quit();
    // After the books were read again: the account selector first, so that the
    // view refilled next shows the account the selector shows.
    void showBooksAgain(bool keepSelection);

    CMainFrame &m_frame;
};
