#pragma once

#include "accountcombo.h"
#include "datastore.h"
#include "guitestutil.h"
#include "mainframe.h"
#include "midpage.h"
#include "recordfiles.h"
#include "storefixture.h"

#include <QApplication>
#include <QPrinter>

#include <memory>

namespace testutil {

// A main window over a fresh working directory, with the world outside
// replaced: Save As answers with `saveAs`, opened files and profile writes
// are recorded, the print dialog prints to `printTo`.
struct FrameFixture
{
    QTemporaryDir dir;
    QString workDir = dir.path();
    CDataStore store{dir.path()};
    QString saveAs;
    QString printTo;
    QStringList opened;
    QStringList profileWrites;
    std::unique_ptr<CMainFrame> frame;

    void open()
    {
        CMainFrame::Services s;
        s.workDir = [this] { return workDir; };
        s.setWorkDir = [this](const QString &d) { workDir = d; };
        s.saveFileName = [this](QWidget *, const QString &, const QString &, const QString &) { return saveAs; };
        s.openFile = [this](const QString &path) { opened << path; };
        s.writeProfile = [this](const QString &d, int, int) { profileWrites << d; };
        s.choosePrinter = [this](QWidget *, QPrinter &printer) {
            if (printTo.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printTo);
            return true;
        };
        frame = std::make_unique<CMainFrame>(store, s);
        frame->resize(1200, 800);
        frame->show();
        QApplication::processEvents();
    }

    CMidPage *page() const { return frame->midPage(); }

    QString addAccount(const QString &number, const QString &bank = QStringLiteral("Bank"))
    {
        return store.addAccount(account(number, bank));
    }
};

} // namespace testutil
