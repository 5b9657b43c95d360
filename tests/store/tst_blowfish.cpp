#include "crypto/blowfish.h"
#include "testutil.h"

#include <QTest>

using testutil::hex;

namespace {

QByteArray encrypt(const QByteArray &key, const QByteArray &plain)
{
    QByteArray block = plain;
    Blowfish(key).encryptBlock(reinterpret_cast<unsigned char *>(block.data()), Blowfish::HalfOrder::BigEndian);
    return block;
}

} // namespace

class TestBlowfish : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Eric Young's published ECB vectors (key, plain, cipher).
    void ecbVectors_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        const char *rows[][3] = {
            {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
            {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
            {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
            {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
            {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
            {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
            {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
            {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << hex(row[0]) << hex(row[1]) << hex(row[2]);
    }

    void ecbVectors()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        QCOMPARE(encrypt(key, plain).toHex().toUpper(), cipher.toHex().toUpper());
        QByteArray back = cipher;
        Blowfish(key).decryptBlock(reinterpret_cast<unsigned char *>(back.data()), Blowfish::HalfOrder::BigEndian);
        QCOMPARE(back, plain);
    }

    // The variable-key vectors: plain FEDCBA9876543210 under the first 1 to 24
    // bytes of one long key.
    void variableKeyVectors_data()
    {
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<QByteArray>("cipher");
        const char *ciphers[] = {
            "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05",
            "B39E44481BDB1E6E", "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82",
            "15750E7A4F4EC577", "122BA70B3AB64AE0", "3A833C9AFFC537F6", "9409DA87A90F6BF2",
            "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F", "93142887EE3BE15C",
            "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
            "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080",
        };
        for (int i = 0; i < 24; ++i)
            QTest::newRow(qPrintable(QString::number(i + 1))) << i + 1 << hex(ciphers[i]);
    }

    void variableKeyVectors()
    {
        QFETCH(int, keyLength);
        QFETCH(QByteArray, cipher);
        const QByteArray key = hex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677").left(keyLength);
        QCOMPARE(encrypt(key, hex("FEDCBA9876543210")).toHex().toUpper(), cipher.toHex().toUpper());
    }

    void littleEndianHalvesSwapEachHalfsBytes()
    {
        // The same cipher with the bytes of each half reversed on the way in and out.
        const QByteArray key = hex("0123456789ABCDEF");
        QByteArray block = hex("67452301 EFCDAB89");
        Blowfish(key).encryptBlock(reinterpret_cast<unsigned char *>(block.data()), Blowfish::HalfOrder::LittleEndian);
        const QByteArray big = encrypt(key, hex("01234567 89ABCDEF"));
        QByteArray expected;
        for (int half = 0; half < 2; ++half)
            for (int i = 3; i >= 0; --i)
                expected.append(big[half * 4 + i]);
        QCOMPARE(block, expected);
    }
};

QTEST_GUILESS_MAIN(TestBlowfish)
#include "tst_blowfish.moc"
