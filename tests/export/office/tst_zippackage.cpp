#include "export/office/zippackage.h"
#include "officetestutil.h"

#include <QTest>

using namespace testutil;

class TestZipPackage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The entries come back in the order they were added, whatever their names and
    // bytes; a later entry of the same name replaces the earlier one in its place.
    void roundTrip()
    {
        QList<std::pair<QString, QByteArray>> entries{{"z/last.xml", "<z/>"},
                                                      {"[Content].xml", ""},
                                                      {"a/b/c.bin", QByteArray(70000, '\x7F')},
                                                      {"Gr\u00FC\u00DFe.txt", QByteArray("\x00\x01\xFF\r\n", 5)}};
        ZipPackage package;
        for (const auto &[name, bytes] : entries)
            package.add(name, bytes);
        package.add("z/last.xml", "replaced");
        entries[0].second = "replaced";
        const std::optional<QByteArray> bytes = package.bytes();
        QVERIFY2(bytes, qPrintable(package.errorString()));
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("round.zip"), *bytes));
        QCOMPARE(zipEntries(dir.filePath("round.zip")), entries);
    }
};

QTEST_GUILESS_MAIN(TestZipPackage)
#include "tst_zippackage.moc"
