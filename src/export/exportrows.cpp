#include "export/exportrows.h"

#include "res/stringtable.h"
#include "store/formatters.h"

#include <algorithm>

QString fixedAmount(double value)
{
    return QString::asprintf("%10.2f", value);
}

QString currencyAmount(double value)
{
    return formatCurrency(fixedAmount(value));
}

QString periodText(const ExportSource &source)
{
    return formatDate(source.from) + QStringLiteral(" to ") + formatDate(source.to);
}

QString exportTitle(ExportView view)
{
    return LoadText(IDS_APP_TITLE) + QStringLiteral(" - ") + exportViewName(view);
}

ExportTransactions exportTransactions(const AccountTransRows &rows)
{
    ExportTransactions result;
    const int count = std::min(rows.count, int(rows.rows.size()));
    if (count <= 0)
        return result;
    result.openingText = rows.rows[0].text(0);
    result.openingBalance = rowData(rows.rows[0]).balance;
    result.rows.reserve(count - 1);
    for (int i = 1; i < count; ++i) {
        if (rows.rows[i].data)
            result.rows.append(*rows.rows[i].data);
    }
    return result;
}
