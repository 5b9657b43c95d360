#include "store/filesnapshot.h"

#include "store/filenames.h"
#include "store/formatters.h"
#include "store/recordfiles.h"

#include <algorithm>

QString describeDataFile(const QString &name, const FileState &state)
{
    const auto quoted = [](const QString &text) { return QStringLiteral("\"%1\"").arg(text); };
    if (name.endsWith(kAccountExtension, Qt::CaseInsensitive)) {
        if (state.kind == FileState::Bytes) {
            if (const auto account = decodeAccount(state.bytes))
                return QStringLiteral("The account %1").arg(quoted(account->accountNumber));
        }
        return QStringLiteral("The account %1").arg(quoted(name.chopped(kAccountExtension.size())));
    }
    if (name.endsWith(kTransactionExtension, Qt::CaseInsensitive)) {
        if (state.kind == FileState::Bytes) {
            if (const auto record = decodeTransaction(state.bytes))
                return QStringLiteral("The transaction %1 of %2")
                    .arg(quoted(record->subject), formatDate(record->date));
        }
        return QStringLiteral("The transaction %1").arg(quoted(name.chopped(kTransactionExtension.size())));
    }
    if (name.endsWith(kPlanExtension, Qt::CaseInsensitive))
        return QStringLiteral("The plans file %1").arg(quoted(name));
    if (name.compare(kCategoryFileName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("The category tree");
    return QStringLiteral("The file %1").arg(quoted(name));
}

namespace {

QString describePlan(const TransactionRecord &plan)
{
    return QStringLiteral("The plan \"%1\" of %2").arg(plan.subject, formatDate(plan.date));
}

} // namespace

QString describeChange(const QString &name, const FileState &expected, const FileState &current)
{
    if (!name.endsWith(kPlanExtension, Qt::CaseInsensitive) || expected.kind != FileState::Bytes
        || current.kind != FileState::Bytes)
        return describeDataFile(name, current.kind == FileState::Bytes ? current : expected);
    const QList<TransactionRecord> was = decodePlans(expected.bytes);
    const QList<TransactionRecord> now = decodePlans(current.bytes);
    for (const TransactionRecord &plan : was) {
        const auto it =
            std::find_if(now.begin(), now.end(), [&](const TransactionRecord &r) { return r.key == plan.key; });
        if (it == now.end() || !(*it == plan))
            return describePlan(it == now.end() ? plan : *it);
    }
    for (const TransactionRecord &plan : now) {
        if (std::none_of(was.begin(), was.end(), [&](const TransactionRecord &r) { return r.key == plan.key; }))
            return describePlan(plan);
    }
    return describeDataFile(name, current);
}
