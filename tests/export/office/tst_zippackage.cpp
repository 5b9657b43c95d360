#include "officetestutil.h"
#include "zippackage.h"

#include <QTest>

using namespace testutil;

class TestZipPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void laterEntryReplacesEarlier();

private:
    QTemporaryDir m_dir;
};

void TestZipPackage::roundTrip_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QByteArray>>("contents");
    QTest::newRow("one") << QStringList{QStringLiteral("a.txt")} << QList<QByteArray>{"hello"};
    QTest::newRow("folders and order") << QStringList{QStringLiteral("z/last.xml"), QStringLiteral("[Content].xml"),
                                                      QStringLiteral("a/b/c.bin")}
                                       << QList<QByteArray>{"<z/>", QByteArray(), QByteArray(70000, '\x7F')};
    QTest::newRow("binary and UTF-8 names") << QStringList{QStringLiteral("Gr\u00FC\u00DFe.txt")}
                                            << QList<QByteArray>{QByteArray("\x00\x01\xFF\r\n", 5)};
}

void TestZipPackage::roundTrip()
{
    QFETCH(QStringList, names);
    QFETCH(QList<QByteArray>, contents);
    ZipPackage package;
    for (int i = 0; i < names.size(); ++i)
        package.add(names[i], contents[i]);
    const std::optional<QByteArray> bytes = package.bytes();
    QVERIFY2(bytes, qPrintable(package.errorString()));
    QVERIFY(bytes->startsWith("PK\x03\x04"));
    const QString path = m_dir.filePath(QStringLiteral("round.zip"));
    QVERIFY(writeFile(path, *bytes));
    QCOMPARE(zipEntries(path), names);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(zipEntry(path, names[i]).value_or("missing"), contents[i]);
}

void TestZipPackage::laterEntryReplacesEarlier()
{
    ZipPackage package;
    package.add(QStringLiteral("a.xml"), "first");
    package.add(QStringLiteral("a.xml"), "second");
    const std::optional<QByteArray> bytes = package.bytes();
    QVERIFY(bytes);
    const QString path = m_dir.filePath(QStringLiteral("twice.zip"));
    QVERIFY(writeFile(path, *bytes));
    QCOMPARE(zipEntries(path), QStringList{QStringLiteral("a.xml")});
    QCOMPARE(zipEntry(path, QStringLiteral("a.xml")).value_or("missing"), QByteArray("second"));
}

QTEST_GUILESS_MAIN(TestZipPackage)
#include "tst_zippackage.moc"
