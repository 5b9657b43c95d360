#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CMainFrame;

// File > Import Statement: a bank statement (CSV, QIF, OFX/QFX) read into the
// preview dialog and imported into an account; the lists show it afterwards.
class CImportCommands : public QObject
{
    Q_OBJECT

public:
    explicit CImportCommands(CMainFrame &frame);

    static const QList<Command<CImportCommands>> &commands();

private:
    void importStatement();

    CMainFrame &m_frame;
};
