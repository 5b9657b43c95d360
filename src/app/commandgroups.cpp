#include "app/commandgroups.h"

#include "app/backupcommands.h"
#include "app/commandregistry.h"
#include "app/editcommands.h"
#include "app/exportcommands.h"
#include "app/importcommands.h"
#include "app/printcommands.h"
#include "app/recordcommands.h"
#include "app/toolcommands.h"
#include "app/viewcommands.h"

CommandGroups::CommandGroups(CMainFrame &frame, CommandRegistry &registry)
    : m_records(new CRecordCommands(frame))
    , m_exports(new CExportCommands(frame))
    , m_views(new CViewCommands(frame))
    , m_edits(new CEditCommands(frame))
{
    registry.add(*m_records);
    registry.add(*m_exports);
    registry.add(*new CPrintCommands(frame));
    registry.add(*m_views);
    registry.add(*new CToolCommands(frame));
    registry.add(*new CImportCommands(frame));
    registry.add(*m_edits);
    registry.add(*new CBackupCommands(frame));
}

const CommandRegistry &CommandGroups::rules()
{
    static const CommandRegistry rules = [] {
        CommandRegistry r;
        r.addRules<CRecordCommands>();
        r.addRules<CExportCommands>();
        r.addRules<CPrintCommands>();
        r.addRules<CViewCommands>();
        r.addRules<CToolCommands>();
        r.addRules<CImportCommands>();
        r.addRules<CEditCommands>();
        r.addRules<CBackupCommands>();
        return r;
    }();
    return rules;
}

bool isCommandEnabled(int id, const CommandState &state)
{
    return CommandGroups::rules().isEnabled(id, state);
}

bool isCommandChecked(int id, const CommandState &state)
{
    return CommandGroups::rules().isChecked(id, state);
}
