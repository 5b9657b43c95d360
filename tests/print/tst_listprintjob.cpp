#include "print/listprintjob.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

PrintTable plans(int rows)
{
    PrintTable t;
    t.columns = {{"Account No", 150, Qt::AlignLeft},
                 {"Date", 150, Qt::AlignLeft},
                 {"Subject", 312, Qt::AlignLeft},
                 {"Amount", 100, Qt::AlignRight}};
    for (int i = 0; i < rows; ++i)
        t.rows << QStringList{QStringLiteral("ACC-%1").arg(i), "1/2/27", QStringLiteral("Plan number %1").arg(i),
                              "$5.00"};
    return t;
}

// The text of each page of a PDF.
QStringList pagesOf(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class TestListPrintJob : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QStringList printToPdf(const PrintTable &table, const QString &suffix, const QString &name)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(name));
        CListPrintJob job(table, suffix, 37);
        if (job.Print(printer) != GPrintJob::Printed)
            return {};
        return pagesOf(m_dir.filePath(name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void columnGroups()
    {
        const QList<PrintColumn> columns = {
            {"A", 100, {}}, {"B", 300, {}}, {"C", 300, {}}, {"D", 300, {}}, {"E", 50, {}}};
        // 100 + 300 + 300 = 700 crosses 650: the crossing column stays in its group.
        using Groups = QList<std::pair<int, int>>;
        QCOMPARE(CListPrintJob::columnGroups(columns, 650), (Groups{{1, 2}, {3, 4}}));
        QCOMPARE(CListPrintJob::columnGroups(columns, 10000), (Groups{{1, 4}}));
        QCOMPARE(CListPrintJob::columnGroups(columns, 50), (Groups{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
        QCOMPARE(CListPrintJob::columnGroups(columns.mid(0, 1), 50), Groups{});
    }

    void rowsFlowOntoPagesWithTheirHeadings()
    {
        QStringList pages = printToPdf(plans(3), " - Plans", "plans.pdf");
        QCOMPARE(pages.size(), 1);
        for (const char *text : {"Fennimar - Plans", "Page 1", "Account No", "Amount", "ACC-2", "Plan number 0"})
            QVERIFY2(pages[0].contains(QString::fromLatin1(text)), text);

        pages = printToPdf(plans(150), " - Transactions", "many.pdf");
        QVERIFY(pages.size() >= 2);
        QVERIFY(pages[1].contains("Page 2"));
        QVERIFY(pages[1].contains("Account No")); // headings again on every page
        QVERIFY(pages.last().contains("ACC-149"));

        // An empty list still prints its headings.
        pages = printToPdf(plans(0), " - All Transactions", "empty.pdf");
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains("Fennimar - All Transactions"));
        QVERIFY(pages[0].contains("Subject"));
    }

    void wideListRepeatsTheFirstColumn()
    {
        PrintTable t = plans(2);
        t.columns[2].width = 3000;
        t.columns[3].width = 1500;
        const QStringList pages = printToPdf(t, " - Plans", "wide.pdf");
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains("Subject"));
        QVERIFY(!pages[0].contains("Amount"));
        QVERIFY(pages[1].contains("Amount"));
        QVERIFY(!pages[1].contains("Subject"));
        QVERIFY(pages[1].contains("ACC-1")); // column 0 on both tables
        QVERIFY(pages[1].contains("Page 2"));
    }

    void longTextsKeepEveryWord()
    {
        PrintTable t = plans(1);
        t.rows[0][2] = QStringLiteral("A subject far too long for its narrow column of the printed list, wrapped on");
        t.columns[2].width = 60;
        const QString all = printToPdf(t, " - Plans", "wrap.pdf").join(u' ').simplified();
        for (const QString &word : t.rows[0][2].split(u' '))
            QVERIFY2(all.contains(word), qPrintable(word));
    }
};

QTEST_MAIN(TestListPrintJob)
#include "tst_listprintjob.moc"
