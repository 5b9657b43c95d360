#include "store/crypto/blowfish.h"
#include "store/settingsfile.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace testutil;

namespace {

QByteArray encipher(QByteArrayView key, QByteArray blocks, Blowfish::HalfOrder order)
{
    const Blowfish blowfish(key);
    for (qsizetype i = 0; i < blocks.size(); i += 8)
        blowfish.encryptBlock(reinterpret_cast<unsigned char *>(blocks.data() + i), order);
    return blocks;
}

// The bytes of each 32-bit half reversed.
QByteArray swapHalves(QByteArray block)
{
    std::reverse(block.begin(), block.begin() + 4);
    std::reverse(block.begin() + 4, block.end());
    return block;
}

// The settings cipher text built straight from the block cipher, for comparison.
QString blocksOf(const QByteArray &plain)
{
    return QString::fromLatin1(
        encipher("5D0E93C7A1F24B86B37D0C54E8A2196F", plain, Blowfish::HalfOrder::LittleEndian).toHex());
}

// As its owner would, whatever the permissions: root reads it anyway, others get it back for a moment.
QByteArray readFileAsOwner(const QString &path)
{
    const auto permissions = QFile::permissions(path);
    QFile::setPermissions(path, permissions | QFile::ReadOwner);
    const QByteArray bytes = readFile(path);
    QFile::setPermissions(path, permissions);
    return bytes;
}

} // namespace

// The settings file and its cipher.
class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Eric Young's published ECB vectors (key, plain, cipher), in both half orders.
    void blowfishVectors_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        const char *rows[][3] = {
            {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
            {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
            {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
            {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
            {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << hex(row[0]) << hex(row[1]) << hex(row[2]);
        // The variable-key vectors: plain FEDCBA9876543210 under the first 1 to 24 bytes of one long key.
        const QByteArray ciphers = hex("F9AD597C49DB005E E91D21C1D961A6D6 E9C2B70A1BC65CF3 BE1E639408640F05"
                                       "B39E44481BDB1E6E 9457AA83B1928C0D 8BB77032F960629D E87A244E2CC85E82"
                                       "15750E7A4F4EC577 122BA70B3AB64AE0 3A833C9AFFC537F6 9409DA87A90F6BF2"
                                       "884F80625060B8B4 1F85031C19E11968 79D9373A714CA34F 93142887EE3BE15C"
                                       "03429E838CE2D14B A4299E27469FF67B AFD5AED1C1BC96A8 10851C0E3858DA9F"
                                       "E6F51ED79B9DB21F 64A6E14AFD36B46F 80C7D7D45A5479AD 05044B62FA52D080");
        const QByteArray longKey = hex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
        for (int i = 0; i < 24; ++i)
            QTest::addRow("key of %d bytes", i + 1)
                << longKey.left(i + 1) << hex("FEDCBA9876543210") << ciphers.mid(8 * i, 8);
    }

    void blowfishVectors()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        QCOMPARE(encipher(key, plain, Blowfish::HalfOrder::BigEndian).toHex(), cipher.toHex());
        QCOMPARE(encipher(key, swapHalves(plain), Blowfish::HalfOrder::LittleEndian).toHex(),
                 swapHalves(cipher).toHex());
        QByteArray back = cipher;
        Blowfish(key).decryptBlock(reinterpret_cast<unsigned char *>(back.data()), Blowfish::HalfOrder::BigEndian);
        QCOMPARE(back.toHex(), plain.toHex());
    }

    void fields_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QByteArray>("padded");
        QTest::newRow("empty") << QString() << QByteArray(8, '\0');
        QTest::newRow("seven characters: one block") << "abcdefg" << QByteArray("abcdefg\0", 8);
        QTest::newRow("eight characters: two blocks") << "abcdefgh" << QByteArray("abcdefgh") + QByteArray(8, '\0');
        QTest::newRow("long") << QString(300, u'x') << QByteArray(300, 'x') + QByteArray(4, '\0');
        QTest::newRow("Windows-1252") << "pässwörd€" << QByteArray("p\xe4ssw\xf6rd\x80", 9) + QByteArray(7, '\0');
        QTest::newRow("C1 controls") << QString(QChar(0x81)) + QChar(0x9D) << QByteArray("\x81\x9d\0\0\0\0\0\0", 8);
        // Beyond Windows-1252: UTF-8 behind a byte-order mark (3 + 24 + 1 bytes, padded to 32).
        const QString beyond = QStringLiteral("пароль 密码 🔑");
        QTest::newRow("beyond") << beyond << QByteArray("\xEF\xBB\xBF") + beyond.toUtf8() + QByteArray(5, '\0');
        // Windows-1252 text that begins with the mark's three characters goes in the UTF-8
        // form too, or it would read back without them.
        QTest::newRow("begins like the mark")
            << QStringLiteral("ï»¿pw") << QByteArray("\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFpw\0\0\0\0\0", 16);
        QTest::newRow("the mark later") << QStringLiteral("pwï»¿") << QByteArray("pw\xEF\xBB\xBF\0\0\0", 8);
        QTest::newRow("the mark itself first")
            << QStringLiteral("\uFEFFx") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\0", 8);
    }

    void fields()
    {
        QFETCH(QString, plain);
        QFETCH(QByteArray, padded);
        const QString cipher = encipherSettingsField(plain);
        QCOMPARE(cipher, blocksOf(padded));
        QCOMPARE(decipherSettingsField(cipher), plain);

        QTemporaryDir dir;
        const SettingsRecord r{QStringLiteral("first ") + plain, plain, plain + QStringLiteral("?"), plain.toUpper()};
        QVERIFY(writeSettings(dir.path(), r));
        QCOMPARE(readSettings(dir.path()), r);
    }

    void readRules_data()
    {
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<QString>("plain");
        const QString good = encipherSettingsField(QStringLiteral("secret"));
        QTest::newRow("upper-case hex") << good.toUpper() << "";
        QTest::newRow("other character") << QString(good).replace(3, 1, u'g') << "";
        QTest::newRow("half a block") << good.left(8) << "";
        QTest::newRow("a block and a digit") << good + u'0' << "secret";
        // No zero byte in the plain bytes: all of them are the text.
        QTest::newRow("no terminator") << blocksOf("12345678") << "12345678";
    }

    void readRules()
    {
        QFETCH(QString, cipher);
        QFETCH(QString, plain);
        QCOMPARE(decipherSettingsField(cipher), plain);
    }

    void defaultFile()
    {
        QTemporaryDir dir;
        createDefaultSettings(dir.path());
        // Four equal fields, each one block of sixteen hex digits.
        QCOMPARE(readFile(settingsFilePath(dir.path())),
                 ("\x10" + blocksOf(QByteArray(8, '\0')).toLatin1()).repeated(4));
        QCOMPARE(readSettings(dir.path()), SettingsRecord());

        // An existing file is kept.
        SettingsRecord r{QString(), QStringLiteral("pw"), QStringLiteral("q"), QStringLiteral("a")};
        QVERIFY(writeSettings(dir.path(), r));
        createDefaultSettings(dir.path());
        QCOMPARE(readSettings(dir.path()), r);

        // So is one that cannot be read: written over, it would drop the password.
        QVERIFY(QFile::setPermissions(settingsFilePath(dir.path()), QFile::WriteOwner));
        const QByteArray before = readFileAsOwner(settingsFilePath(dir.path()));
        createDefaultSettings(dir.path());
        QCOMPARE(readFileAsOwner(settingsFilePath(dir.path())), before);
        QVERIFY(QFile::remove(settingsFilePath(dir.path())));
        QVERIFY(QDir(dir.path()).mkdir("setfnpngs.pss"));
        createDefaultSettings(dir.path());
        QVERIFY(QFileInfo(settingsFilePath(dir.path())).isDir());
    }

    // What the password gate sees: missing admits the empty password; a file
    // there that does not read whole admits nobody.
    void theGateReadsTheFileWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        const SettingsRecord r{QString(), QStringLiteral("pw"), QStringLiteral("q"), QStringLiteral("a")};
        const QByteArray whole = encodeSettings(r);
        QTest::newRow("whole") << whole << int(SettingsRead::Read) << "";
        QTest::newRow("cut short") << whole.chopped(1) << int(SettingsRead::Damaged)
                                   << "field 4 is missing or not enciphered text";
        QTest::newRow("three fields") << whole.left(whole.size() - 17) << int(SettingsRead::Damaged)
                                      << "field 4 is missing or not enciphered text";
        QTest::newRow("trailing bytes") << whole + "x" << int(SettingsRead::Damaged) << "1 bytes after the four fields";
        QTest::newRow("upper-case hex") << QByteArray(whole).replace("a", "A") << int(SettingsRead::Damaged)
                                        << "not enciphered text";
        QTest::newRow("empty") << QByteArray() << int(SettingsRead::Damaged) << "field 1 is missing";
        QByteArray lineFeed = whole;
        lineFeed[0] = char(lineFeed[0] + 1);
        lineFeed.insert(17, '\n');
        QTest::newRow("a line feed in a field")
            << lineFeed << int(SettingsRead::Damaged) << "field 1 is missing or not enciphered text";
    }

    void theGateReadsTheFileWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(writeFile(settingsFilePath(dir.path()), bytes));
        const SettingsRead read = readSettingsFile(dir.path());
        QCOMPARE(int(read.status), status);
        QVERIFY2(reason.isEmpty() ? read.reason.isEmpty() : read.reason.contains(reason), qPrintable(read.reason));
        QCOMPARE(read.admits(QStringLiteral("pw")), status == SettingsRead::Read);
        QVERIFY(!read.admits(QString()));
        if (status == SettingsRead::Damaged) {
            QCOMPARE(readSettings(dir.path()), SettingsRecord());
            QCOMPARE(settingsDamageMessage(dir.path(), read),
                     QStringLiteral("The password file %1 cannot be read: %2. Nobody is admitted until it can be read "
                                    "again: restore it, or move it aside to start without a password.")
                         .arg(settingsFilePath(dir.path()), read.reason));
        }
        QVERIFY(QFile::remove(settingsFilePath(dir.path())));
        QCOMPARE(readSettingsFile(dir.path()).status, SettingsRead::Missing);
        QVERIFY(readSettingsFile(dir.path()).admits(QString()));
    }

    void missingDamagedOrNoFolder()
    {
        QTemporaryDir dir;
        QCOMPARE(readSettings(dir.path()), SettingsRecord());
        QVERIFY(writeFile(settingsFilePath(dir.path()), hex("10 3132")));
        QCOMPARE(readSettings(dir.path()), SettingsRecord());
        QCOMPARE(readSettingsFile(dir.path()).status, SettingsRead::Damaged);

        // No working directory: nothing is read or made, least of all in the current folder.
        QCOMPARE(readSettings(QString()), SettingsRecord());
        createDefaultSettings(QString());
        QVERIFY(!QFileInfo::exists(QStringLiteral("setfnpngs.pss")));
        QString error;
        QVERIFY(!writeSettings(QString(), SettingsRecord(), &error));
        QCOMPARE(error, QStringLiteral("Could not save setfnpngs.pss: no working directory has been chosen"));
    }

    void failedWritesKeepTheOldFileAndSayWhy()
    {
        QTemporaryDir dir;
        const SettingsRecord old{QString(), QStringLiteral("old"), QStringLiteral("q"), QStringLiteral("a")};
        QString error = QStringLiteral("untouched");
        QVERIFY(writeSettings(dir.path(), old, &error));
        QCOMPARE(error, QStringLiteral("untouched"));
        {
            FileSizeLimit limit(512);
            QVERIFY(!writeSettings(dir.path(), {QString(), QString(2000, u'n'), QString(), QString()}));
        }
        QCOMPARE(readSettings(dir.path()), old);
        QCOMPARE(entries(dir.path()), QStringList({"setfnpngs.pss"}));

        const QString gone = dir.filePath(QStringLiteral("gone"));
        const QString head = "Could not save " + QDir::toNativeSeparators(settingsFilePath(gone)) + ": ";
        QVERIFY(!writeSettings(gone, old, &error));
        QVERIFY2(error.startsWith(head) && error.size() > head.size(), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
