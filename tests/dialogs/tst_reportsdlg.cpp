#include "dialogs/reportsdlg.h"
#include "dialogtest.h"
#include "reports/reportdata.h"
#include "store/profile.h"
#include "storefixture.h"
#include "uiext/guidrawlayer.h"

#include <QAction>
#include <QClipboard>
#include <QPushButton>
#include <QSettings>

using namespace testutil;

namespace {

const OleDateTime kFrom = OleDateTime::fromDateTime(QDate(2026, 12, 1), QTime(0, 0));
const OleDateTime kTo = OleDateTime::fromDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));

QPushButton *button(QWidget *dialog, const char *name)
{
    return child<QPushButton>(dialog, QString::fromLatin1(name));
}

} // namespace

class TestReportsDlg : public QObject
{
    Q_OBJECT

    std::unique_ptr<Book> m_book;
    QString m_account;

    std::unique_ptr<CReportsDlg> open(int report, const QString &account)
    {
        auto dialog = std::make_unique<CReportsDlg>(m_book->store, account, kFrom, kTo, report);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            QTest::qFail("the dialog was never shown", __FILE__, __LINE__);
        return dialog;
    }

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void init()
    {
        QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).clear();
        m_book = std::make_unique<Book>();
        m_account = m_book->store.addAccount(account("111"));
        m_book->store.addTransaction(movement(m_account, at(2026, 11, 20), 300));
        m_book->store.addTransaction(movement(m_account, at(2026, 12, 4), -120.75));
        m_book->store.addTransaction(movement(m_account, at(2026, 12, 9), 40));
    }

    // The balance chart: a point per day, the running balance in whole units.
    void theBalanceOfTheSelectedAccount()
    {
        auto dialog = open(CReportsDlg::AccountBalance, m_account);
        const ReportChart &chart = dialog->chart();
        QCOMPARE(chart.pointCount(), 31);
        QCOMPARE(chart.value(0, 0), 300);
        QCOMPARE(chart.value(0, 3), 180);  // 300 - 120
        QCOMPARE(chart.value(0, 30), 220); // + 40
        QVERIFY(button(dialog.get(), "line")->isEnabled());
        QCOMPARE(dialog->chartKind(), int(ReportChart::Line));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Reports"));
        QCOMPARE(reportBackground(), GuiDrawLayer::GetRGBColorFace());

        // Each kind button draws its kind; the dialog may be resized and the chart follows.
        const QImage line = dialog->chartImage();
        press(dialog.get(), "bar3d");
        QCOMPARE(dialog->chartKind(), int(ReportChart::Bar3D));
        QVERIFY(dialog->chartImage() != line);
        dialog->resize(900, 700);
        QCOMPARE(dialog->chartImage().size(), QSize(900, 700 - CReportsDlg::kButtonRowHeight));
    }

    void profitAndLossHasNoLine()
    {
        auto dialog = open(CReportsDlg::ProfitAndLoss, m_account);
        QVERIFY(!button(dialog.get(), "line")->isEnabled());
        QTRY_COMPARE(dialog->chartKind(), int(ReportChart::Scatter));
        QCOMPARE(dialog->chart().income(), 40.0);
        QCOMPARE(dialog->chart().expense(), -120.0);
    }

    // Show Values twice: the caption and the profile value as they were.
    void showValuesTwice()
    {
        writeShowValues(0);
        auto dialog = open(CReportsDlg::AccountBalance, m_account);
        QPushButton *values = button(dialog.get(), "values");
        QCOMPARE(values->text(), QStringLiteral("Show Values"));
        QVERIFY(!dialog->showsValues());
        const QImage without = dialog->chartImage();
        press(dialog.get(), "values");
        QCOMPARE(values->text(), QStringLiteral("Hide Values"));
        QCOMPARE(readShowValues(), 1);
        QVERIFY(dialog->chartImage() != without);
        press(dialog.get(), "values");
        QCOMPARE(values->text(), QStringLiteral("Show Values"));
        QCOMPARE(readShowValues(), 0);
        QCOMPARE(dialog->chartImage(), without);
    }

    // No account, or "All": the dialog ends at once, shown never.
    void noAccountClosesAtOnce()
    {
        CReportsDlg dialog(m_book->store, QString(), kFrom, kTo, CReportsDlg::AccountBalance);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    // Copy puts the chart on the clipboard; Save Image writes PNG or SVG by the name.
    void copyAndSaveImage()
    {
        auto dialog = open(CReportsDlg::AccountBalance, m_account);
        dialog->copyAction()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), dialog->chartImage().size());
        QCOMPARE(dialog->copyAction()->shortcut(), QKeySequence(QKeySequence::Copy));

        QTemporaryDir dir;
        QString answer = dir.filePath("chart.png");
        const auto previous = CReportsDlg::setImageFileAsker([&](QWidget *) { return answer; });
        dialog->saveImageAction()->trigger();
        QCOMPARE(QImage(answer).size(), dialog->chartImage().size());
        answer = dir.filePath("chart.svg");
        dialog->saveImageAction()->trigger();
        QVERIFY(readFile(answer).contains("<svg"));
        MessageRecorder messages;
        answer = dir.filePath("none/chart.png");
        dialog->saveImageAction()->trigger();
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.texts()[0].startsWith("Could not save "));
        CReportsDlg::setImageFileAsker(previous);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestReportsDlg)
#include "tst_reportsdlg.moc"
