// Writes the seed corpus of the fuzzers, one folder per reader, through the
// store's own encoders:
//
//     build/tests/fuzz/makecorpus tests/fuzz/corpus
//
// Files of the same name are replaced; others (regression inputs kept from a
// fuzzer run) are left alone. Names tell tst_fuzzcorpus what the file's own
// reader must make of it:
//   <name>            a valid file, taken by its reader
//   refused-<name>    a damaged file its reader must refuse
//   hostile-<name>    an odd file its reader may take or refuse
//   regression-<name> an input a fuzzer found, added by hand; taken or not
// Every reader must keep its round-trip invariants on every file.

#include "store/archive.h"
#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/recordfiles.h"
#include "store/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <limits>

namespace {

const QString kHousehold = QStringLiteral("2024011509301290");
const QString kSavings = QStringLiteral("2025063018452290");

class CorpusWriter
{
public:
    explicit CorpusWriter(const QString &root) : m_root(root) {}

    void add(const char *reader, const QString &name, const QByteArray &bytes)
    {
        const QDir dir(m_root + QLatin1Char('/') + QLatin1String(reader));
        if (!dir.mkpath(QStringLiteral("."))) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(dir.path()));
            m_ok = false;
            return;
        }
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
            m_ok = false;
            return;
        }
        ++m_count;
    }

    bool ok() const { return m_ok; }
    int count() const { return m_count; }

private:
    QString m_root;
    bool m_ok = true;
    int m_count = 0;
};

OleDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return OleDateTime::fromDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// A key of the account: its id, then an own id of the same form.
QString keyOf(const QString &account, int n)
{
    return account + QStringLiteral("202612010800%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("90");
}

TransactionRecord movement(const QString &key, const OleDateTime &date, const QString &subject, double amount,
                           const QString &category = {}, const QString &notes = {})
{
    TransactionRecord r(date);
    r.key = key;
    r.subject = subject;
    r.amount = amount;
    r.incomeFlag = amount >= 0 ? 1 : 0;
    r.category = category;
    r.notes = notes;
    return r;
}

QByteArray int32Bytes(qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&le), 4);
}

QByteArray stringBytes(const QString &text)
{
    ArchiveWriter out;
    out.writeString(text);
    return out.bytes();
}

// A length prefix of 0xFFFFFFFF in the 7-byte form, with three bytes after it.
const QByteArray kHugeString = QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc";
// The same in the Unicode form: 0xFF, 0xFFFE, then the 7-byte length.
const QByteArray kHugeUnicodeString = QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10) + "ab";

QString cyrillic(int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(QChar(0x0410 + i % 32));
    return text;
}

QString windows1252Text(int length)
{
    const QString pieces = QStringLiteral("Café crème – €12 ‰ “quoted” Œuvre ");
    QString text;
    while (text.size() < length)
        text.append(pieces);
    text.truncate(length);
    return text;
}

void addAccounts(CorpusWriter &out)
{
    const char *r = "account";
    const AccountRecord plain{kHousehold,
                              QStringLiteral("12-3456"),
                              QStringLiteral("Household"),
                              QStringLiteral("Kestrel Bank"),
                              250.0,
                              QString(),
                              3};
    out.add(r, QStringLiteral("plain"), encodeAccount(plain));
    out.add(r, QStringLiteral("empty-strings"), encodeAccount(AccountRecord{kSavings, {}, {}, {}, 0.0, {}, 0}));
    out.add(
        r, QStringLiteral("negative-minimum"),
        encodeAccount(AccountRecord{kSavings, QStringLiteral("98-7654-32"), QStringLiteral("Overdraft"),
                                    QStringLiteral("Heron Savings"), -1500.75, QStringLiteral("Agreed limit"), -1}));
    out.add(r, QStringLiteral("windows1252"),
            encodeAccount(AccountRecord{kHousehold, QStringLiteral("ÅÄÖ-1"), QStringLiteral("Café – Crème"),
                                        QStringLiteral("Banque Générale €"), 0.01,
                                        QString::fromLatin1("\x81\x8D\x8F\x90\x9D") + QStringLiteral("‰™"), 7}));
    out.add(r, QStringLiteral("unicode"),
            encodeAccount(AccountRecord{kHousehold, QStringLiteral("№ 42"), QStringLiteral("Сбережения"),
                                        QStringLiteral("銀行"), 1e12, QStringLiteral("💶 Ελληνικά"), 12}));
    out.add(r, QStringLiteral("long-strings"),
            encodeAccount(AccountRecord{kSavings, QString(254, u'9'), QString(255, u'N'), windows1252Text(600), 99.5,
                                        cyrillic(300), 4}));

    const QByteArray valid = encodeAccount(plain);
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-cut-in-id"), valid.left(9));
    out.add(r, QStringLiteral("refused-huge-length"), stringBytes(kHousehold) + kHugeString);
    out.add(r, QStringLiteral("refused-huge-unicode-length"), stringBytes(kHousehold) + kHugeUnicodeString);
    AccountRecord escaping = plain;
    escaping.id = QStringLiteral("../../etc/passwd");
    out.add(r, QStringLiteral("refused-id-leaves-folder"), encodeAccount(escaping));
    AccountRecord shortId = plain;
    shortId.id.chop(1);
    out.add(r, QStringLiteral("refused-short-id"), encodeAccount(shortId));
    out.add(r, QStringLiteral("hostile-trailing-bytes"), valid + QByteArray("trailing\0", 9));
    // Short strings in the 3- and 7-byte length forms and the Unicode form.
    ArchiveWriter wide;
    wide.writeString(kHousehold);
    QByteArray bytes = wide.bytes();
    bytes += QByteArray("\xFF\x07\x00", 3) + "12-3456";
    bytes += QByteArray("\xFF\xFF\xFF\x09\x00\x00\x00", 7) + "Household";
    bytes += QByteArray("\xFF\xFE\xFF\xFF\x02\x00", 6) + QByteArray("K\0B\0", 4);
    ArchiveWriter tail;
    tail.writeDouble(250.0);
    tail.writeString(QString());
    tail.writeInt32(3);
    out.add(r, QStringLiteral("hostile-wide-length-prefixes"), bytes + tail.bytes());
}

void addTransactions(CorpusWriter &out)
{
    const char *r = "transaction";
    const TransactionRecord income = movement(keyOf(kHousehold, 1), at(2026, 12, 1, 9, 30), QStringLiteral("Salary"),
                                              1250.0, QStringLiteral("Wages"));
    out.add(r, QStringLiteral("income"), encodeTransaction(income));
    out.add(r, QStringLiteral("expense"),
            encodeTransaction(movement(keyOf(kHousehold, 2), at(2026, 12, 3, 17, 45, 12), QStringLiteral("Groceries"),
                                       -42.80, QStringLiteral("Snacks"), QStringLiteral("Weekly shop"))));
    out.add(r, QStringLiteral("empty-strings"),
            encodeTransaction(movement(keyOf(kSavings, 3), at(2027, 1, 15), QString(), 0.0)));
    out.add(
        r, QStringLiteral("before-1900"),
        encodeTransaction(movement(keyOf(kSavings, 4), at(1850, 6, 15, 12, 30), QStringLiteral("Old ledger"), 3.5)));
    out.add(r, QStringLiteral("day-before-epoch"),
            encodeTransaction(
                movement(keyOf(kSavings, 5), OleDateTime(-1.25), QStringLiteral("06:00 on 1899-12-29"), -1.0)));
    out.add(r, QStringLiteral("year-100"),
            encodeTransaction(movement(keyOf(kSavings, 6), at(100, 1, 1), QStringLiteral("First day"), 0.01)));
    out.add(r, QStringLiteral("year-9999"),
            encodeTransaction(
                movement(keyOf(kSavings, 7), at(9999, 12, 31, 23, 59, 59), QStringLiteral("Last second"), -0.01)));
    out.add(r, QStringLiteral("status-null"),
            encodeTransaction(
                movement(keyOf(kSavings, 8), OleDateTime(0.0, OleDateTime::Null), QStringLiteral("No date"), 1.0)));
    out.add(r, QStringLiteral("status-invalid"),
            encodeTransaction(movement(keyOf(kSavings, 9), OleDateTime(12.5, OleDateTime::Invalid),
                                       QStringLiteral("Bad date"), 1.0)));
    out.add(r, QStringLiteral("negative-zero"),
            encodeTransaction(movement(keyOf(kHousehold, 10), at(2026, 2, 28), QStringLiteral("Nothing"), -0.0)));
    out.add(r, QStringLiteral("largest-amount"),
            encodeTransaction(
                movement(keyOf(kHousehold, 11), at(2026, 2, 28), QStringLiteral("Lottery"), 999999999999.99)));
    out.add(r, QStringLiteral("windows1252"),
            encodeTransaction(movement(keyOf(kHousehold, 12), at(2026, 5, 5), QStringLiteral("Café – Crème brûlée €5"),
                                       -5.0, QStringLiteral("Œuvres"), QStringLiteral("‰ ™ ‘quoted’"))));
    out.add(r, QStringLiteral("c1-controls"),
            encodeTransaction(
                movement(keyOf(kHousehold, 13), at(2026, 5, 6), QString::fromLatin1("\x81\x8D\x8F\x90\x9D"), -5.0)));
    out.add(r, QStringLiteral("unicode"),
            encodeTransaction(movement(keyOf(kHousehold, 14), at(2026, 5, 7), QStringLiteral("Страховка"), -300.0,
                                       QStringLiteral("食品"), QStringLiteral("💶 Euro"))));
    out.add(r, QStringLiteral("unicode-lone-surrogate"),
            encodeTransaction(movement(keyOf(kHousehold, 15), at(2026, 5, 8), QString(QChar(0xD800)) + u'x', 1.0,
                                       QString(QChar(0xDC00)), QString(QChar(0xFFFF)))));
    out.add(r, QStringLiteral("subject-254"),
            encodeTransaction(movement(keyOf(kHousehold, 16), at(2026, 6, 1), QString(254, u'a'), 1.0)));
    out.add(r, QStringLiteral("subject-255"),
            encodeTransaction(movement(keyOf(kHousehold, 17), at(2026, 6, 1), QString(255, u'b'), 1.0)));
    out.add(r, QStringLiteral("notes-1000"),
            encodeTransaction(movement(keyOf(kHousehold, 18), at(2026, 6, 2), QStringLiteral("Long notes"), 1.0,
                                       QString(), windows1252Text(1000))));
    out.add(r, QStringLiteral("unicode-300"),
            encodeTransaction(movement(keyOf(kHousehold, 19), at(2026, 6, 3), cyrillic(300), 1.0, cyrillic(254))));

    const QByteArray valid = encodeTransaction(income);
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-cut-in-date"), valid.left(33 + 6));
    out.add(r, QStringLiteral("refused-huge-unicode-length"), stringBytes(income.key) + kHugeUnicodeString);
    TransactionRecord bad = income;
    bad.amount = std::numeric_limits<double>::quiet_NaN();
    out.add(r, QStringLiteral("refused-nan-amount"), encodeTransaction(bad));
    bad.amount = -std::numeric_limits<double>::infinity();
    out.add(r, QStringLiteral("refused-infinite-amount"), encodeTransaction(bad));
    bad = income;
    bad.date = OleDateTime(2958466.0); // 10000-01-01
    out.add(r, QStringLiteral("refused-year-10000"), encodeTransaction(bad));
    bad.date = OleDateTime(std::numeric_limits<double>::quiet_NaN(), OleDateTime::Null);
    out.add(r, QStringLiteral("refused-nan-date"), encodeTransaction(bad));
    bad = income;
    bad.key = kHousehold + QStringLiteral("../../../../x.tr");
    out.add(r, QStringLiteral("refused-key-leaves-folder"), encodeTransaction(bad));
    bad.key = income.key.chopped(1);
    out.add(r, QStringLiteral("refused-short-key"), encodeTransaction(bad));
    out.add(r, QStringLiteral("hostile-trailing-bytes"), valid + QByteArray("\x01\x02\x03", 3));
}

QList<TransactionRecord> somePlans()
{
    return {
        movement(keyOf(kHousehold, 21), at(2027, 1, 15), QStringLiteral("Insurance"), -300.0,
                 QStringLiteral("Wear Items")),
        movement(keyOf(kHousehold, 22), at(2027, 2, 1, 8), QStringLiteral("Rent"), -950.0, QString(),
                 QStringLiteral("Due on the first")),
        movement(keyOf(kSavings, 23), at(1899, 12, 29, 6), QStringLiteral("Before the epoch"), 12.34),
        movement(keyOf(kSavings, 24), at(2027, 3, 31), QString(), 0.0),
        movement(keyOf(kSavings, 25), at(2027, 4, 1), QStringLiteral("Страховка"), -45.5, QStringLiteral("食品"),
                 QStringLiteral("💶")),
        movement(keyOf(kHousehold, 26), at(2027, 5, 1), QStringLiteral("Café – €"), 1e11, QString(),
                 windows1252Text(300)),
    };
}

RecordMap<TransactionRecord> mapOf(const QList<TransactionRecord> &records)
{
    RecordMap<TransactionRecord> map;
    for (const TransactionRecord &r : records)
        map.insert(r.key, r);
    return map;
}

void addPlans(CorpusWriter &out)
{
    const char *r = "plans";
    const QList<TransactionRecord> plans = somePlans();
    out.add(r, QStringLiteral("none"), encodePlans({}));
    out.add(r, QStringLiteral("one"), encodePlans(mapOf(plans.mid(0, 1))));
    out.add(r, QStringLiteral("several"), encodePlans(mapOf(plans)));
    QList<TransactionRecord> many;
    for (int i = 0; i < 40; ++i)
        many.append(movement(keyOf(i % 2 ? kHousehold : kSavings, 30 + i), at(2027, 1 + i % 12, 1 + i % 28),
                             QStringLiteral("Plan %1").arg(i), (i % 3 ? -1.0 : 1.0) * (10.0 + i)));
    out.add(r, QStringLiteral("forty"), encodePlans(mapOf(many)));

    const QByteArray valid = encodePlans(mapOf(plans));
    TransactionRecord badKey = plans[1];
    badKey.key = QStringLiteral("*");
    const QByteArray threeWithBadMiddle =
        int32Bytes(3) + encodeTransaction(plans[0]) + encodeTransaction(badKey) + encodeTransaction(plans[2]);
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-cut-in-count"), valid.left(3));
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-trailing-bytes"), valid + QByteArray(2, '\0'));
    out.add(r, QStringLiteral("refused-bad-plan-between-good"), threeWithBadMiddle);
    out.add(r, QStringLiteral("refused-count-too-large"),
            int32Bytes(5) + encodeTransaction(plans[0]) + encodeTransaction(plans[1]));
    out.add(r, QStringLiteral("refused-huge-length"), int32Bytes(1) + kHugeString);
    out.add(r, QStringLiteral("refused-huge-count"), int32Bytes(std::numeric_limits<qint32>::max()));
    out.add(r, QStringLiteral("hostile-negative-count"), int32Bytes(-1));
    out.add(r, QStringLiteral("hostile-same-key-twice"),
            int32Bytes(2) + encodeTransaction(plans[0]) + encodeTransaction(plans[0]));
}

// A chain of items, each the only child of the one before.
CategoryTree chain(int depth)
{
    CategoryNode node{QStringLiteral("Level %1").arg(depth), {}};
    for (int level = depth - 1; level >= 1; --level)
        node = CategoryNode{QStringLiteral("Level %1").arg(level), {node}};
    return {node};
}

// One raw item of the category file.
QByteArray categoryItem(qint32 index, qint32 parent, const QString &name)
{
    return int32Bytes(index) + int32Bytes(parent) + stringBytes(name);
}

void addCategories(CorpusWriter &out)
{
    const char *r = "categories";
    out.add(r, QStringLiteral("default"), encodeCategoryTree(defaultCategoryTree()));
    out.add(r, QStringLiteral("empty"), encodeCategoryTree({}));
    const CategoryTree nested{
        {QStringLiteral("Household"),
         {{QStringLiteral("Kitchen"), {{QStringLiteral("Cutlery"), {}}, {QStringLiteral("Pots & Pans"), {}}}},
          {QString(), {}},
          {QStringLiteral("Garden"), {{QStringLiteral("Tools"), {{QStringLiteral("Spades"), {}}}}}}}},
        {QStringLiteral("Café – €"), {{QStringLiteral("Продукты"), {{QStringLiteral("食品"), {}}}}}},
        {QStringLiteral("💶"), {}},
    };
    out.add(r, QStringLiteral("nested"), encodeCategoryTree(nested));
    out.add(r, QStringLiteral("long-names"),
            encodeCategoryTree({{windows1252Text(255), {{cyrillic(300), {}}, {QString(254, u'z'), {}}}}}));
    out.add(r, QStringLiteral("depth-64"), encodeCategoryTree(chain(kMaxCategoryDepth)));

    const QByteArray valid = encodeCategoryTree(nested);
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-depth-65"), encodeCategoryTree(chain(kMaxCategoryDepth + 1)));
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-huge-length"), int32Bytes(1) + int32Bytes(0) + int32Bytes(-1) + kHugeString);
    out.add(r, QStringLiteral("refused-count-too-large"), int32Bytes(3) + categoryItem(0, -1, QStringLiteral("Only")));
    out.add(r, QStringLiteral("hostile-unknown-parent"),
            int32Bytes(3) + categoryItem(0, -1, QStringLiteral("Top")) + categoryItem(1, 7, QStringLiteral("Orphan"))
                + categoryItem(2, 1, QStringLiteral("Orphan's child")));
    out.add(r, QStringLiteral("hostile-reused-indices"),
            int32Bytes(4) + categoryItem(100, -1, QStringLiteral("A")) + categoryItem(-5, 100, QStringLiteral("B"))
                + categoryItem(100, -5, QStringLiteral("C")) + categoryItem(9, 100, QStringLiteral("D")));
    out.add(r, QStringLiteral("hostile-negative-count"), int32Bytes(-3) + categoryItem(0, -1, QStringLiteral("X")));
    out.add(r, QStringLiteral("hostile-trailing-bytes"), valid + QByteArray("\xFF\xFF", 2));
}

void addChartColours(CorpusWriter &out)
{
    const char *r = "chartcolours";
    const ChartColours defaults = defaultChartColours();
    out.add(r, QStringLiteral("default"), encodeChartColours(defaults));
    out.add(r, QStringLiteral("custom"),
            encodeChartColours(ChartColours{{0x00FFFFFF, 0, 0x00123456, 0xFF000000, 0x80808080, 1},
                                            {0x7FFFFFFF, 0xFFFFFFFF, 0x0000FF00, 0x00FF0000, 0x000000FF, 42}}));
    QByteArray twelve = int32Bytes(14);
    for (int i = 0; i < 14; ++i)
        twelve += int32Bytes(0x010101 * i);
    QByteArray six = int32Bytes(6);
    for (int i = 0; i < 6; ++i)
        six += int32Bytes(0x102030 * i);
    const QByteArray valid = encodeChartColours(defaults);
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-count-14"), twelve);
    out.add(r, QStringLiteral("refused-count-6"), six);
    out.add(r, QStringLiteral("refused-negative-count"), int32Bytes(-12) + valid.mid(4));
    out.add(r, QStringLiteral("refused-trailing-bytes"), valid + int32Bytes(0));
}

void addSettings(CorpusWriter &out)
{
    const char *r = "settings";
    const SettingsRecord withPassword{QString(), QStringLiteral("hunter2"), QStringLiteral("Name of the first pet?"),
                                      QStringLiteral("Rex")};
    out.add(r, QStringLiteral("empty"), encodeSettings(SettingsRecord()));
    out.add(r, QStringLiteral("password"), encodeSettings(withPassword));
    out.add(r, QStringLiteral("all-fields"),
            encodeSettings(SettingsRecord{QStringLiteral("Fennimar"), QStringLiteral("seven77"),
                                          QStringLiteral("Town?"), QStringLiteral("Kestrune")}));
    out.add(r, QStringLiteral("windows1252"),
            encodeSettings(SettingsRecord{QString(), QStringLiteral("Crème€"), QStringLiteral("Who – “me”?"),
                                          QStringLiteral("Zoë")}));
    out.add(r, QStringLiteral("unicode"),
            encodeSettings(SettingsRecord{QString(), QStringLiteral("пароль"), QStringLiteral("好きな色は？"),
                                          QStringLiteral("💶")}));
    // Windows-1252 bytes that begin like the UTF-8 byte-order mark.
    out.add(r, QStringLiteral("mark-like"),
            encodeSettings(SettingsRecord{QString(), QStringLiteral("ï»¿abc"), QString(), QString()}));
    out.add(r, QStringLiteral("long-hint"),
            encodeSettings(SettingsRecord{QString(), QStringLiteral("pw"), windows1252Text(300), cyrillic(200)}));

    const QByteArray valid = encodeSettings(withPassword);
    const QByteArray emptyField = stringBytes(encipherSettingsField(QString()));
    out.add(r, QStringLiteral("refused-empty"), QByteArray());
    out.add(r, QStringLiteral("refused-cut-short"), valid.chopped(1));
    out.add(r, QStringLiteral("refused-trailing-byte"), valid + QByteArray(1, '\0'));
    out.add(r, QStringLiteral("refused-three-fields"), emptyField + emptyField + emptyField);
    out.add(r, QStringLiteral("refused-huge-length"), emptyField + kHugeString);
    out.add(r, QStringLiteral("refused-upper-case-hex"),
            stringBytes(encipherSettingsField(QString()).toUpper()) + emptyField + emptyField + emptyField);
    out.add(r, QStringLiteral("refused-part-block"),
            stringBytes(QStringLiteral("0123456789abcdef01234567")) + emptyField + emptyField + emptyField);
    out.add(r, QStringLiteral("refused-empty-field"), stringBytes(QString()) + emptyField + emptyField + emptyField);
    out.add(r, QStringLiteral("hostile-unicode-form-field"),
            QByteArray("\xFF\xFE\xFF\x10", 4) + QByteArray("0\0", 2).repeated(16) + emptyField + emptyField
                + emptyField);
    out.add(r, QStringLiteral("hostile-line-feed-after-field"),
            stringBytes(encipherSettingsField(QStringLiteral("x")) + u'\n') + emptyField + emptyField + emptyField);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makecorpus CORPUS-FOLDER\n");
        return 2;
    }
    CorpusWriter out(QString::fromLocal8Bit(argv[1]));
    addAccounts(out);
    addTransactions(out);
    addPlans(out);
    addCategories(out);
    addChartColours(out);
    addSettings(out);
    std::printf("%d files written\n", out.count());
    return out.ok() ? 0 : 1;
}
