#include "archive.h"
#include "crypto/blowfish.h"
#include "settingsfile.h"
#include "testutil.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace testutil;

namespace {

// The cipher text built straight from the block cipher, for comparison.
QString blocksOf(QByteArray plain)
{
    const Blowfish blowfish(QByteArrayView("5D0E93C7A1F24B86B37D0C54E8A2196F"));
    for (qsizetype i = 0; i < plain.size(); i += 8)
        blowfish.encryptBlock(reinterpret_cast<unsigned char *>(plain.data() + i), Blowfish::HalfOrder::LittleEndian);
    return QString::fromLatin1(plain.toHex());
}

QStringList fieldsOf(const QByteArray &file)
{
    ArchiveReader in(file);
    QStringList fields;
    QString s;
    while (in.readString(s))
        fields << s;
    return fields;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blockLengths_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QByteArray>("padded");
        QTest::newRow("empty") << QString() << QByteArray(8, '\0');
        QTest::newRow("seven characters: one block") << "abcdefg" << QByteArray("abcdefg\0", 8);
        QTest::newRow("eight characters: two blocks") << "abcdefgh" << QByteArray("abcdefgh") + QByteArray(8, '\0');
        QTest::newRow("Windows-1252 bytes") << "pässwörd€" << QByteArray("p\xe4ssw\xf6rd\x80", 9) + QByteArray(7, '\0');
    }

    void blockLengths()
    {
        QFETCH(QString, plain);
        QFETCH(QByteArray, padded);
        const QString cipher = encipherSettingsField(plain);
        QCOMPARE(cipher.size(), padded.size() * 2);
        QCOMPARE(cipher, blocksOf(padded));
        QCOMPARE(decipherSettingsField(cipher), plain);
    }

    void readRules_data()
    {
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<QString>("plain");
        const QString good = encipherSettingsField(QStringLiteral("secret"));
        QTest::newRow("good") << good << "secret";
        QTest::newRow("upper-case hex") << good.toUpper() << "";
        QTest::newRow("other character") << QString(good).replace(3, 1, u'g') << "";
        QTest::newRow("half a block") << good.left(8) << "";
        QTest::newRow("a block and a digit") << good + u'0' << "secret";
        QTest::newRow("empty text") << "" << "";
        // No zero byte in the plain bytes: all of them are the text.
        QTest::newRow("no terminator") << blocksOf("12345678") << "12345678";
    }

    void readRules()
    {
        QFETCH(QString, cipher);
        QFETCH(QString, plain);
        QCOMPARE(decipherSettingsField(cipher), plain);
    }

    void textBeyondWindows1252()
    {
        const QString plain = QStringLiteral("пароль 密码 🔑");
        const QString cipher = encipherSettingsField(plain);
        QCOMPARE(cipher, blocksOf(QByteArray("\xEF\xBB\xBF") + plain.toUtf8() + QByteArray(1, '\0')
                                  + QByteArray((8 - (plain.toUtf8().size() + 4) % 8) % 8, '\0')));
        QCOMPARE(decipherSettingsField(cipher), plain);
    }

    void defaultFile()
    {
        QTemporaryDir dir;
        createDefaultSettings(dir.path());
        const QByteArray file = readFile(settingsFilePath(dir.path()));
        const QStringList fields = fieldsOf(file);
        QCOMPARE(fields.size(), 4);
        QCOMPARE(file.size(), 4 * 17);
        for (const QString &f : fields) {
            QCOMPARE(f, fields[0]);
            QCOMPARE(f, blocksOf(QByteArray(8, '\0')));
        }
        QCOMPARE(readSettings(dir.path()), SettingsRecord());

        // An existing file is kept.
        SettingsRecord r{QString(), QStringLiteral("pw"), QStringLiteral("q"), QStringLiteral("a")};
        QVERIFY(writeSettings(dir.path(), r));
        createDefaultSettings(dir.path());
        QCOMPARE(readSettings(dir.path()), r);
    }

    void writeThenRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Open sesame";
        QTest::newRow("long") << QString(300, u'x');
        QTest::newRow("Windows-1252") << "Müller's “Küche” – 5€";
        QTest::newRow("beyond") << "Ελληνικά and 中文";
        QTest::newRow("C1 controls") << QString(QChar(0x81)) + QChar(0x9D);
    }

    void writeThenRead()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const SettingsRecord r{QStringLiteral("first ") + text, text, text + QStringLiteral("?"), text.toUpper()};
        QVERIFY(writeSettings(dir.path(), r));
        QCOMPARE(readSettings(dir.path()), r);
        const QRegularExpression wholeBlocksOfHex(QStringLiteral("^([0-9a-f]{16})+$"));
        for (const QString &f : fieldsOf(readFile(settingsFilePath(dir.path()))))
            QVERIFY2(wholeBlocksOfHex.match(f).hasMatch(), qPrintable(f));
    }

    void missingOrDamagedFiles()
    {
        QTemporaryDir dir;
        QCOMPARE(readSettings(dir.path()), SettingsRecord());
        QVERIFY(writeFile(settingsFilePath(dir.path()), hex("10 3132")));
        QCOMPARE(readSettings(dir.path()), SettingsRecord());

        // No working directory: nothing is read or made, least of all in the current folder.
        QCOMPARE(readSettings(QString()), SettingsRecord());
        createDefaultSettings(QString());
        QVERIFY(!QFileInfo::exists(QStringLiteral("setfnpngs.pss")));
        QVERIFY(!writeSettings(QString(), SettingsRecord()));
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const SettingsRecord old{QString(), QStringLiteral("old"), QStringLiteral("q"), QStringLiteral("a")};
        QVERIFY(writeSettings(dir.path(), old));
        const SettingsRecord big{QString(), QString(2000, u'n'), QStringLiteral("q"), QStringLiteral("a")};
        {
            FileSizeLimit limit(512);
            QVERIFY(!writeSettings(dir.path(), big));
        }
        QCOMPARE(readSettings(dir.path()), old);
        QCOMPARE(entries(dir.path()), QStringList({"setfnpngs.pss"}));

        QVERIFY(!writeSettings(dir.filePath("gone"), old));
    }

    void failedWriteNamesPathAndReason()
    {
        QTemporaryDir dir;
        const QString gone = dir.filePath(QStringLiteral("gone"));
        QString error;
        QVERIFY(!writeSettings(gone, SettingsRecord(), &error));
        QVERIFY2(error.startsWith(QStringLiteral("Could not save ") + QDir::toNativeSeparators(settingsFilePath(gone))
                                  + QStringLiteral(": ")),
                 qPrintable(error));
        QVERIFY2(error.size() > QStringLiteral("Could not save : ").size() + settingsFilePath(gone).size(),
                 qPrintable(error));

        error.clear();
        QVERIFY(!writeSettings(QString(), SettingsRecord(), &error));
        QCOMPARE(error, QStringLiteral("Could not save setfnpngs.pss: no working directory has been chosen"));

        error = QStringLiteral("untouched");
        QVERIFY(writeSettings(dir.path(), SettingsRecord(), &error));
        QCOMPARE(error, QStringLiteral("untouched"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
