#include "fuzzreaders.h"

#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/recordfiles.h"
#include "store/settingsfile.h"

#include <QtEndian>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Doubles are stored bit for bit: NaN must come back as the same NaN, -0 as -0.
bool sameBits(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

bool sameDate(const OleDateTime &a, const OleDateTime &b)
{
    return a.status() == b.status() && sameBits(a.value(), b.value());
}

bool sameRecord(const AccountRecord &a, const AccountRecord &b)
{
    return a.id == b.id && a.accountNumber == b.accountNumber && a.name == b.name && a.bank == b.bank
           && sameBits(a.minimumBalance, b.minimumBalance) && a.notes == b.notes && a.icon == b.icon;
}

bool sameRecord(const TransactionRecord &a, const TransactionRecord &b)
{
    return a.key == b.key && sameDate(a.date, b.date) && a.subject == b.subject && sameBits(a.amount, b.amount)
           && a.incomeFlag == b.incomeFlag && a.category == b.category && a.notes == b.notes && a.spare == b.spare;
}

// The count that opens the plan, category and chart colour files.
std::optional<qint32> leadingCount(QByteArrayView bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    return qFromLittleEndian<qint32>(bytes.data());
}

bool sameTree(const QList<CategoryNode> &a, const QList<CategoryNode> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || !sameTree(a[i].children, b[i].children))
            return false;
    }
    return true;
}

int depthOf(const QList<CategoryNode> &nodes)
{
    int depth = 0;
    for (const CategoryNode &node : nodes)
        depth = qMax(depth, 1 + depthOf(node.children));
    return depth;
}

// A decoder that says why it refuses must say so every time, and only then.
QString reasonMismatch(bool accepted, const QString &problem)
{
    if (!accepted && problem.isEmpty())
        return QStringLiteral("refused without a reason");
    if (accepted && !problem.isEmpty())
        return QStringLiteral("accepted, yet with the problem \"%1\"").arg(problem);
    return {};
}

// Every strict prefix of an encoding that reads whole is cut short; two of them
// are tried.
template <typename Accepts>
QString cutShortAccepted(const QByteArray &encoded, Accepts accepts)
{
    for (qsizetype size : {encoded.size() - 1, encoded.size() / 2}) {
        if (size >= 0 && size < encoded.size() && accepts(QByteArrayView(encoded).first(size)))
            return QStringLiteral("its encoding cut to %1 of %2 bytes is accepted").arg(size).arg(encoded.size());
    }
    return {};
}

} // namespace

ReaderVerdict checkAccountFile(QByteArrayView bytes)
{
    ReaderVerdict v;
    QString problem;
    const auto record = decodeAccount(bytes, &problem);
    v.accepted = record.has_value();
    v.broken = reasonMismatch(v.accepted, problem);
    if (!record || !v.broken.isEmpty())
        return v;
    const QByteArray encoded = encodeAccount(*record);
    QString again;
    const auto back = decodeAccount(encoded, &again);
    if (!back)
        v.broken = QStringLiteral("the account read cannot be read back: ") + again;
    else if (!sameRecord(*back, *record))
        v.broken = QStringLiteral("the account changes when written and read again");
    else if (encodeAccount(*back) != encoded)
        v.broken = QStringLiteral("writing the account read back gives other bytes");
    else
        v.broken = cutShortAccepted(encoded, [](QByteArrayView b) { return decodeAccount(b).has_value(); });
    return v;
}

ReaderVerdict checkTransactionFile(QByteArrayView bytes)
{
    ReaderVerdict v;
    QString problem;
    const auto record = decodeTransaction(bytes, &problem);
    v.accepted = record.has_value();
    v.broken = reasonMismatch(v.accepted, problem);
    if (!record || !v.broken.isEmpty())
        return v;
    const QByteArray encoded = encodeTransaction(*record);
    QString again;
    const auto back = decodeTransaction(encoded, &again);
    if (!back)
        v.broken = QStringLiteral("the transaction read cannot be read back: ") + again;
    else if (!sameRecord(*back, *record))
        v.broken = QStringLiteral("the transaction changes when written and read again");
    else if (encodeTransaction(*back) != encoded)
        v.broken = QStringLiteral("writing the transaction read back gives other bytes");
    else
        v.broken = cutShortAccepted(encoded, [](QByteArrayView b) { return decodeTransaction(b).has_value(); });
    return v;
}

ReaderVerdict checkPlanFile(QByteArrayView bytes)
{
    ReaderVerdict v;
    QString problem;
    const QList<TransactionRecord> records = decodePlans(bytes, &problem);
    v.accepted = problem.isEmpty();
    if (v.accepted && records.size() != qMax(leadingCount(bytes).value_or(0), 0)) {
        v.broken = QStringLiteral("read whole, yet %1 plans kept of the %2 it counts")
                       .arg(records.size())
                       .arg(leadingCount(bytes).value_or(0));
        return v;
    }
    // The plans as the store keeps them, whole file or not: by key, the last one read winning.
    RecordMap<TransactionRecord> plans;
    for (const TransactionRecord &r : records)
        plans.insert(r.key, r);
    const QByteArray encoded = encodePlans(plans);
    QString again;
    const QList<TransactionRecord> back = decodePlans(encoded, &again);
    if (!again.isEmpty()) {
        v.broken = QStringLiteral("the plans read cannot be read back whole: ") + again;
        return v;
    }
    if (back.size() != plans.size()) {
        v.broken = QStringLiteral("%1 plans written, %2 read back").arg(plans.size()).arg(back.size());
        return v;
    }
    // Read into a table again, the same plans would be written in another order
    // (newest first within a hash bucket), so only the records are compared.
    qsizetype i = 0;
    for (const auto &entry : plans) {
        if (!sameRecord(back[i], entry.value())) {
            v.broken = QStringLiteral("plan %1 (%2) changes when written and read again").arg(i + 1).arg(entry.key());
            return v;
        }
        ++i;
    }
    v.broken = cutShortAccepted(encoded, [](QByteArrayView b) {
        QString why;
        decodePlans(b, &why);
        return why.isEmpty();
    });
    return v;
}

ReaderVerdict checkCategoryFile(QByteArrayView bytes)
{
    ReaderVerdict v;
    const auto tree = decodeCategoryTree(bytes);
    v.accepted = tree.has_value();
    if (!tree)
        return v;
    if (const int depth = depthOf(*tree); depth > kMaxCategoryDepth) {
        v.broken = QStringLiteral("a tree of depth %1 is accepted").arg(depth);
    } else if (const int n = categoryCount(*tree); n > qMax(leadingCount(bytes).value_or(0), 0)) {
        v.broken =
            QStringLiteral("%1 items read from a file that counts %2").arg(n).arg(leadingCount(bytes).value_or(0));
    } else {
        const QByteArray encoded = encodeCategoryTree(*tree);
        const auto back = decodeCategoryTree(encoded);
        if (!back)
            v.broken = QStringLiteral("the tree read cannot be read back");
        else if (!sameTree(*back, *tree))
            v.broken = QStringLiteral("the tree changes when written and read again");
        else if (encodeCategoryTree(*back) != encoded)
            v.broken = QStringLiteral("writing the tree read back gives other bytes");
        else
            v.broken = cutShortAccepted(encoded, [](QByteArrayView b) { return decodeCategoryTree(b).has_value(); });
    }
    return v;
}

ReaderVerdict checkChartColourFile(QByteArrayView bytes)
{
    constexpr int kSlots = 6; // the rows of the chart colour dialog and the book check
    ReaderVerdict v;
    const ChartColours colours = decodeChartColours(bytes, kSlots);
    const QByteArray encoded = encodeChartColours(colours);
    v.accepted = QByteArrayView(encoded).compare(bytes) == 0;

    if (colours.face.size() > kSlots || colours.shade.size() > kSlots) {
        v.broken = QStringLiteral("%1 face and %2 shade colours kept in %3 slots")
                       .arg(colours.face.size())
                       .arg(colours.shade.size())
                       .arg(kSlots);
        return v;
    }
    // Slots only limit what is kept, never what is read.
    const ChartColours wide = decodeChartColours(bytes, 2 * kSlots);
    if (wide.face.mid(0, kSlots) != colours.face || wide.shade.mid(0, kSlots) != colours.shade) {
        v.broken = QStringLiteral("more slots read other colours into the first ones");
        return v;
    }
    if (const ChartColours none = decodeChartColours(bytes, 0); !none.face.isEmpty() || !none.shade.isEmpty()) {
        v.broken = QStringLiteral("colours kept in no slots");
        return v;
    }

    // Written, a list is cut or padded with black to six.
    ChartColours expected;
    for (int i = 0; i < 6; ++i) {
        expected.face.append(colours.face.value(i));
        expected.shade.append(colours.shade.value(i));
    }
    if (encoded.size() != 4 + 12 * 4 || leadingCount(encoded) != 12) {
        v.broken = QStringLiteral("written as %1 bytes, not a count of 12 and twelve colours").arg(encoded.size());
        return v;
    }
    const ChartColours back = decodeChartColours(encoded, kSlots);
    if (back != expected) {
        v.broken = QStringLiteral("the colours change when written and read again");
        return v;
    }
    if (encodeChartColours(back) != encoded) {
        v.broken = QStringLiteral("writing the colours read back gives other bytes");
        return v;
    }
    // A file that ends early keeps what it held.
    ChartColours shortened = expected;
    shortened.shade.removeLast();
    if (decodeChartColours(QByteArrayView(encoded).chopped(1), kSlots) != shortened)
        v.broken = QStringLiteral("a file cut inside its last colour does not keep the eleven before it");
    return v;
}

ReaderVerdict checkSettingsFile(QByteArrayView bytes)
{
    ReaderVerdict v;
    QString problem;
    const auto record = decodeSettings(bytes, &problem);
    v.accepted = record.has_value();
    v.broken = reasonMismatch(v.accepted, problem);
    if (!record || !v.broken.isEmpty())
        return v;
    const QByteArray encoded = encodeSettings(*record);
    QString again;
    const auto back = decodeSettings(encoded, &again);
    if (!back)
        v.broken = QStringLiteral("the settings read cannot be read back: ") + again;
    else if (*back != *record)
        v.broken = QStringLiteral("the settings change when written and read again");
    else if (encodeSettings(*back) != encoded)
        v.broken = QStringLiteral("writing the settings read back gives other bytes");
    else if (decodeSettings(encoded + '\0'))
        v.broken = QStringLiteral("a byte after the four fields is accepted");
    else
        v.broken = cutShortAccepted(encoded, [](QByteArrayView b) { return decodeSettings(b).has_value(); });
    return v;
}

int fuzzOneInput(ReaderCheck check, const uint8_t *data, size_t size)
{
    const ReaderVerdict v = check(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!v.broken.isEmpty()) {
        std::fprintf(stderr, "broken invariant: %s\n", qPrintable(v.broken));
        std::abort();
    }
    return 0;
}
