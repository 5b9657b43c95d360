#pragma once

#include "app/mainframe.h"
#include "app/midpage.h"
#include "guitestutil.h"
#include "store/datastore.h"
#include "storefixture.h"

#include <QApplication>
#include <QPrinter>

namespace testutil {

// A main window over a fresh working directory, with the world outside
// replaced: Save As answers with `saveAs`, opened files and profile writes
// are recorded, the print dialog prints to `printTo`.
struct FrameFixture
{
    QTemporaryDir dir;
    CDataStore store{dir.path()};
    QString saveAs;
    QString printTo;
    QStringList opened;
    bool opens = true;       // whether the desktop has a program for the opened files
    QStringList suggestions; // the file names Save As suggested
    QStringList profileWrites;
    std::unique_ptr<CMainFrame> frame;

    CMainFrame::Services services()
    {
        CMainFrame::Services s;
        s.saveFileName =
            [this](QWidget *, const QString &, const QString &suggested, const QString &, const QString &) {
            suggestions << suggested;
            return saveAs;
        };
        s.openFile = [this](const QString &path) {
            opened << path;
            return opens;
        };
        s.writeProfile = [this](const QString &d, int, int) { profileWrites << d; };
        s.choosePrinter = [this](QWidget *, QPrinter &printer) {
            if (printTo.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printTo);
            return true;
        };
        return s;
    }

    void open()
    {
        frame = std::make_unique<CMainFrame>(store, services());
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
