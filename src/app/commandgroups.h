#pragma once

class CEditCommands;
class CExportCommands;
class CMainFrame;
class CRecordCommands;
class CViewCommands;
class CommandRegistry;

// The main window's command groups: records, exports, printing, views, tools.
// Each group is a child of the frame and holds the handlers of its commands;
// its static table gives every command's id, rules and handler. A new group is
// made in the constructor and its rules added in rules(); the tests of the
// frame and of the registry fail when the two disagree.
class CommandGroups
{
public:
    // Makes every group for the frame and binds its handlers in the registry.
    CommandGroups(CMainFrame &frame, CommandRegistry &registry);

    // The rules of every group's commands, without a frame: what
    // isCommandEnabled and isCommandChecked read.
    static const CommandRegistry &rules();

    // The groups the frame wires to its lists and keys.
    CRecordCommands &records() const { return *m_records; }
    CExportCommands &exports() const { return *m_exports; }
    CViewCommands &views() const { return *m_views; }
    CEditCommands &edits() const { return *m_edits; }

private:
    CRecordCommands *m_records;
    CExportCommands *m_exports;
    CViewCommands *m_views;
    CEditCommands *m_edits;
};
