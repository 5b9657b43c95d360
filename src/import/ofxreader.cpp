#include "import/ofxreader.h"

#include "store/oledatetime.h"
#include "store/recordrules.h"
#include "store/windows1252.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <libofx/libofx.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// One STMTTRN as the text holds it: its posted day as written (libofx turns
// it into an instant, which shifts the day across time zones) and its FITID.
struct RawItem
{
    QDate posted;
    QString fitId;
    std::optional<QString> amount; // its TRNAMT as written
    bool closed = false;           // its </STMTTRN> is there
};

// TRNAMT as OFX writes it: a sign, digits, and a point or a comma before the
// decimals (the last one of them written); some banks group the thousands with
// the other. libofx reads "1,234.56" as 1.23 and "12abc" as 12, so the text
// is read here. Decimals beyond the cents are rounded off.
std::optional<double> ofxAmount(const QString &written, QString *problem)
{
    static const QRegularExpression pointForm(QStringLiteral("^([-+]?)(\\d*|\\d{1,3}(?:,\\d{3})+)(?:\\.(\\d*))?$"));
    static const QRegularExpression commaForm(QStringLiteral("^([-+]?)(\\d*|\\d{1,3}(?:\\.\\d{3})+)(?:,(\\d*))?$"));
    const QString text = written.trimmed();
    if (text.isEmpty()) {
        *problem = QStringLiteral("no amount (TRNAMT)");
        return std::nullopt;
    }
    const bool comma = text.lastIndexOf(u',') > text.lastIndexOf(u'.');
    const QRegularExpressionMatch m = (comma ? commaForm : pointForm).match(text);
    QString digits = m.captured(2);
    digits.remove(comma ? u'.' : u',');
    if (!m.hasMatch() || (digits.isEmpty() && m.captured(3).isEmpty())) {
        *problem = QStringLiteral("\"%1\" is not an amount").arg(text);
        return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(
        m.captured(1) + (digits.isEmpty() ? QStringLiteral("0") : digits) + u'.' + m.captured(3) + u'0', &ok);
    // Digits beyond a double are too large, never "not a number".
    if (const QString why = amountProblem(ok ? value : 2 * kMaxAmount); !why.isEmpty()) {
        *problem = QStringLiteral("the amount ") + why;
        return std::nullopt;
    }
    return roundToCents(value);
}

// SGML and XML both allow blanks before the > of a tag, and libofx reads such tags.
QList<RawItem> scanItems(const QByteArray &bytes)
{
    static const QRegularExpression start(QStringLiteral("<STMTTRN\\s*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression finish(QStringLiteral("</STMTTRN\\s*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression posted(QStringLiteral("<DTPOSTED\\s*>\\s*(\\d{8})"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression amount(QStringLiteral("<TRNAMT\\s*>\\s*([^<\\r\\n]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fitId(QStringLiteral("<FITID\\s*>\\s*([^<\\r\\n]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromLatin1(bytes);
    QList<RawItem> items;
    QList<qsizetype> starts;
    for (auto it = start.globalMatch(text); it.hasNext();)
        starts << it.next().capturedEnd();
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        QString item = text.mid(starts[i], end - starts[i]);
        RawItem raw;
        const qsizetype close = item.indexOf(finish);
        raw.closed = close >= 0;
        if (raw.closed)
            item.truncate(close);
        if (const auto m = posted.match(item); m.hasMatch())
            raw.posted = QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd"));
        if (const auto m = amount.match(item); m.hasMatch())
            raw.amount = m.captured(1);
        if (const auto m = fitId.match(item); m.hasMatch())
            raw.fitId = m.captured(1).trimmed();
        items << raw;
    }
    return items;
}

QString ofxText(const char *text)
{
    const QByteArray bytes(text);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes);
    return (utf8.hasError() ? fromWindows1252(bytes) : decoded).trimmed();
}

// What is kept of an item libofx gave.
struct OfxItem
{
    QString account;
    QString fitId;
    QString name;
    QString memo;
    bool hasDate = false;
    bool hasAmount = false;
    double amount = 0.0;
};

struct Parse
{
    QList<OfxStatement::Account> accounts;
    QList<OfxItem> items;
};

OfxStatement::Account &accountNamed(QList<OfxStatement::Account> &accounts, const QString &id)
{
    for (OfxStatement::Account &a : accounts) {
        if (a.id == id)
            return a;
    }
    accounts << OfxStatement::Account{id, {}};
    return accounts.last();
}

void quietLibofx()
{
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg =
        ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
}

} // namespace

const OfxStatement::Account *OfxStatement::account(const QString &id) const
{
    // An account id may be another account's number ("4711" beside "100  4711").
    for (const Account &a : accounts) {
        if (a.id == id)
            return &a;
    }
    const Account *found = nullptr;
    for (const Account &a : accounts) {
        if (a.id.section(u' ', -1) == id) {
            if (found)
                return nullptr; // the number of accounts at two banks
            found = &a;
        }
    }
    return found;
}

QStringList OfxStatement::accountIds() const
{
    QStringList ids;
    for (const Account &a : accounts)
        ids << a.id;
    return ids;
}

OfxStatement readOfx(const QByteArray &bytes)
{
    OfxStatement result;
    // libofx reads a file by name: a private copy, so that it reads what was checked.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        result.error = QStringLiteral("Could not make a temporary copy of the statement: %1").arg(copy.errorString());
        return result;
    }
    quietLibofx();
    Parse parse;
    const std::unique_ptr<void, int (*)(LibofxContextPtr)> context(libofx_get_new_context(), libofx_free_context);
    ofx_set_account_cb(
        context.get(),
        [](const OfxAccountData data, void *p) {
        if (data.account_id_valid)
            accountNamed(static_cast<Parse *>(p)->accounts, ofxText(data.account_id));
        return 0;
        },
        &parse);
    ofx_set_transaction_cb(
        context.get(),
        [](const OfxTransactionData data, void *p) {
        OfxItem item;
        item.account = data.account_id_valid ? ofxText(data.account_id) : QStringLiteral("(no account)");
        item.fitId = data.fi_id_valid ? ofxText(data.fi_id) : QString();
        item.name = data.name_valid ? ofxText(data.name) : QString();
        item.memo = data.memo_valid ? ofxText(data.memo) : QString();
        item.hasDate = data.date_posted_valid;
        item.hasAmount = data.amount_valid;
        item.amount = data.amount;
        static_cast<Parse *>(p)->items << item;
        return 0;
        },
        &parse);
    const int status = libofx_proc_file(context.get(), QFile::encodeName(copy.fileName()).constData(), OFX);

    const QList<RawItem> raw = scanItems(bytes);
    if (parse.items.isEmpty() && raw.isEmpty()) {
        result.error = status == 0 ? QStringLiteral("The OFX statement holds no transactions.")
                                   : QStringLiteral("The file is no OFX statement that can be read.");
        return result;
    }
    // Each item libofx gave is matched to a STMTTRN of the file not matched yet:
    // the next one of its FITID, searched from the last match on and then from
    // the start (libofx gives an item that another one's missing end tag holds
    // after the one holding it), else the next one. The ones left over could
    // not be read.
    QList<bool> taken(raw.size(), false);
    QList<QString> accountOf(raw.size());
    qsizetype next = 0;
    qsizetype beyond = 0;
    const auto untaken = [&](auto matches) -> qsizetype {
        for (qsizetype k = 0; k < raw.size(); ++k) {
            const qsizetype i = (next + k) % raw.size();
            if (!taken[i] && matches(raw[i]))
                return i;
        }
        return -1;
    };
    for (const OfxItem &data : parse.items) {
        const QString &fitId = data.fitId;
        qsizetype index = fitId.isEmpty() ? -1 : untaken([&](const RawItem &r) { return r.fitId == fitId; });
        if (index < 0)
            index = untaken([](const RawItem &) { return true; });
        Candidate c;
        c.bankId = fitId;
        const QString &name = data.name;
        const QString &memo = data.memo;
        c.subject = name.isEmpty() ? memo : name;
        c.notes = name.isEmpty() || memo == name ? QString() : memo;
        if (index < 0) {
            // More items than STMTTRN tags: numbered on after the last one.
            c.line = int(raw.size() + ++beyond);
            c.problem = QStringLiteral("the transaction could not be found in the file (the statement is malformed)");
        } else {
            c.line = int(index + 1);
            taken[index] = true;
            accountOf[index] = data.account;
            next = index + 1;
            const RawItem &item = raw[index];
            QString problem;
            const std::optional<double> amount = item.amount ? ofxAmount(*item.amount, &problem) : std::nullopt;
            if (!item.closed)
                c.problem = QStringLiteral("the transaction is cut short (the file ends before its </STMTTRN>)");
            else if (!data.hasDate || !item.posted.isValid())
                c.problem = QStringLiteral("no posted date (DTPOSTED)");
            else if (!data.hasAmount || !item.amount)
                c.problem = QStringLiteral("no amount (TRNAMT)");
            else if (!amount)
                c.problem = problem;
            else if (!isStorableDate(OleDateTime::fromDateTime(item.posted, QTime(12, 0))))
                c.problem = QStringLiteral("the posted date is not within the years 100 to 9999");
            else {
                c.date = item.posted;
                c.amount = *amount;
            }
        }
        accountNamed(result.accounts, data.account).candidates << c;
    }
    // A STMTTRN libofx gave nothing for belongs to the account of the nearest item before it, else after it.
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (taken[i])
            continue;
        QString account;
        for (qsizetype j = i - 1; j >= 0 && account.isEmpty(); --j)
            account = accountOf[j];
        for (qsizetype j = i + 1; j < raw.size() && account.isEmpty(); ++j)
            account = accountOf[j];
        Candidate c;
        c.line = int(i + 1);
        c.bankId = raw[i].fitId;
        c.problem = QStringLiteral("the transaction could not be read (the statement is malformed or cut short)");
        accountNamed(result.accounts, account.isEmpty() ? QStringLiteral("(no account)") : account).candidates << c;
    }
    for (OfxStatement::Account &account : result.accounts)
        std::stable_sort(account.candidates.begin(), account.candidates.end(),
                         [](const Candidate &a, const Candidate &b) { return a.line < b.line; });
    // Accounts without any transaction are no choice.
    result.accounts.removeIf([](const OfxStatement::Account &a) { return a.candidates.isEmpty(); });
    return result;
}
