#include "import/csvreader.h"

#include "import/statementfile.h"
#include "store/recordrules.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QList<QPair<QString, int CsvMapping::*>> kKeys = {
    {QStringLiteral("date"), &CsvMapping::date},         {QStringLiteral("subject"), &CsvMapping::subject},
    {QStringLiteral("amount"), &CsvMapping::amount},     {QStringLiteral("debit"), &CsvMapping::debit},
    {QStringLiteral("credit"), &CsvMapping::credit},     {QStringLiteral("notes"), &CsvMapping::notes},
    {QStringLiteral("category"), &CsvMapping::category},
};

QString delimiterName(QChar c)
{
    return c == u'\t' ? QStringLiteral("tab") : QStringLiteral("'%1'").arg(c);
}

bool looksLikeValue(const QString &field)
{
    static const QRegularExpression value(QStringLiteral("^[-+(]?[$€£]?\\s*\\d[\\d.,/' -]*\\)?$"));
    return value.match(field.trimmed()).hasMatch();
}

// The first column whose header name holds one of the words.
int columnNamed(const QStringList &columns, const QStringList &words, const QList<int> &taken)
{
    for (const QString &word : words) {
        for (int i = 0; i < columns.size(); ++i) {
            if (!taken.contains(i) && columns[i].trimmed().toLower().contains(word))
                return i;
        }
    }
    return -1;
}

} // namespace

QString CsvLayout::description() const
{
    return QStringLiteral("%1 delimiter, %2, %3")
        .arg(delimiterName(delimiter), header ? QStringLiteral("header row") : QStringLiteral("no header row"),
             encoding);
}

QList<CsvRecord> splitCsv(const QString &text, QChar delimiter)
{
    QList<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    record.line = 1;
    const auto endField = [&] {
        record.fields << field;
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&](int nextLine) {
        endField();
        // A blank line is no record.
        if (!(record.fields.size() == 1 && record.fields.first().trimmed().isEmpty()))
            records << record;
        record = CsvRecord();
        record.line = nextLine;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                // CR LF, CR and LF each end a line, inside quotes as outside.
                if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == delimiter) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRecord(line);
        } else {
            field += c;
            if (!c.isSpace())
                fieldStarted = true;
        }
    }
    if (!field.isEmpty() || !record.fields.isEmpty())
        endRecord(line);
    return records;
}

CsvLayout readCsvLayout(const QByteArray &bytes)
{
    CsvLayout layout;
    const QString text = decodeStatementText(bytes, &layout.encoding);
    qsizetype lineEnds = text.count(u'\n');
    for (qsizetype i = 0; i < text.size(); ++i)
        lineEnds += text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n') ? 1 : 0;
    layout.lineCount = int(lineEnds + (text.endsWith(u'\n') || text.endsWith(u'\r') ? 0 : 1));
    // The delimiter that gives most records the same number of fields, above one.
    int bestScore = -1;
    QList<CsvRecord> best;
    for (QChar candidate : {QChar(u';'), QChar(u','), QChar(u'\t'), QChar(u'|')}) {
        QList<CsvRecord> records = splitCsv(text.left(64 * 1024), candidate);
        QHash<qsizetype, int> counts;
        for (const CsvRecord &r : records) {
            if (r.fields.size() > 1)
                ++counts[r.fields.size()];
        }
        int score = 0;
        for (int n : counts)
            score = std::max(score, n);
        if (score > bestScore) {
            bestScore = score;
            layout.delimiter = candidate;
        }
    }
    best = splitCsv(text, layout.delimiter);
    // A header names its columns: no field of it looks like a date or an amount,
    // while the next record has some.
    if (!best.isEmpty()) {
        const QStringList &first = best.first().fields;
        const bool firstHasValues = std::any_of(first.begin(), first.end(), looksLikeValue);
        const bool nextHasValues =
            best.size() < 2 || std::any_of(best[1].fields.begin(), best[1].fields.end(), looksLikeValue);
        layout.header = !firstHasValues && nextHasValues;
    }
    qsizetype width = 0;
    for (const CsvRecord &r : best)
        width = std::max(width, r.fields.size());
    if (layout.header) {
        layout.columns = best.takeFirst().fields;
        for (QString &c : layout.columns)
            c = c.trimmed();
    }
    for (qsizetype i = 0; i < width; ++i) {
        if (i >= layout.columns.size())
            layout.columns << QString();
        if (layout.columns[i].isEmpty())
            layout.columns[i] = QStringLiteral("Column %1").arg(i + 1);
    }
    layout.records = best;
    return layout;
}

QString CsvMapping::problem(int columnCount) const
{
    if (date < 0)
        return QStringLiteral("Choose the column that holds the date.");
    if (amount < 0 && debit < 0 && credit < 0)
        return QStringLiteral("Choose the column of the amount, or the debit and credit columns.");
    if (amount >= 0 && (debit >= 0 || credit >= 0))
        return QStringLiteral("Choose either an amount column or debit and credit columns, not both.");
    for (const auto &[name, member] : kKeys) {
        if (this->*member >= columnCount)
            return QStringLiteral("The %1 column %2 is beyond the %3 columns of the file.")
                .arg(name)
                .arg(this->*member + 1)
                .arg(columnCount);
    }
    if (dateFormat.trimmed().isEmpty())
        return QStringLiteral("Choose the date format.");
    if (decimal != u'.' && decimal != u',')
        return QStringLiteral("The decimal separator is a point or a comma.");
    return {};
}

QString CsvMapping::columnsText() const
{
    QStringList parts;
    for (const auto &[name, member] : kKeys) {
        if (this->*member >= 0)
            parts << QStringLiteral("%1=%2").arg(name).arg(this->*member + 1);
    }
    return parts.join(u',');
}

bool CsvMapping::setColumns(const QString &text, QString *problem)
{
    CsvMapping result = *this;
    for (const auto &[name, member] : kKeys)
        result.*member = -1;
    const auto refuse = [&](const QString &why) {
        if (problem)
            *problem = why;
        return false;
    };
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const QString key = part.section(u'=', 0, 0).trimmed().toLower();
        bool ok = false;
        const int column = part.section(u'=', 1).trimmed().toInt(&ok);
        const auto it = std::find_if(kKeys.begin(), kKeys.end(), [&](const auto &k) { return k.first == key; });
        if (it == kKeys.end())
            return refuse(QStringLiteral("unknown column key \"%1\": date, subject, amount, debit, credit, notes or "
                                         "category")
                              .arg(key));
        if (!ok || column < 1)
            return refuse(QStringLiteral("\"%1\" names no column: columns count from 1").arg(part.trimmed()));
        result.*(it->second) = column - 1;
    }
    *this = result;
    return true;
}

QStringList csvDateFormats()
{
    return {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy"), QStringLiteral("d.M.yyyy"),
            QStringLiteral("dd.MM.yy"),   QStringLiteral("MM/dd/yyyy"), QStringLiteral("M/d/yyyy"),
            QStringLiteral("M/d/yy"),     QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy"),
            QStringLiteral("dd-MM-yyyy"), QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyyMMdd")};
}

CsvMapping guessCsvMapping(const CsvLayout &layout)
{
    CsvMapping m;
    QList<int> taken;
    const auto pick = [&](int CsvMapping::*member, const QStringList &words) {
        m.*member = columnNamed(layout.columns, words, taken);
        if (m.*member >= 0)
            taken << m.*member;
    };
    if (layout.header) {
        pick(&CsvMapping::date, {"booking date", "buchungstag", "posted", "date", "datum", "valuta"});
        pick(&CsvMapping::debit, {"debit", "withdrawal", "soll", "ausgang", "paid out"});
        pick(&CsvMapping::credit, {"credit", "deposit", "haben", "eingang", "paid in"});
        if (m.debit < 0 && m.credit < 0)
            pick(&CsvMapping::amount, {"amount", "betrag", "umsatz", "value", "sum"});
        pick(&CsvMapping::subject, {"payee", "subject", "description", "name", "empfänger", "auftraggeber",
                                    "beguenstigter", "merchant", "text"});
        pick(&CsvMapping::notes, {"memo", "notes", "verwendungszweck", "reference", "purpose", "details"});
        pick(&CsvMapping::category, {"category", "kategorie"});
    } else if (layout.columns.size() >= 3) {
        m.date = 0;
        m.subject = 1;
        m.amount = 2;
    }
    // The format that reads most dates of the column; the first of equals.
    if (m.date >= 0) {
        int best = 0;
        for (const QString &format : csvDateFormats()) {
            int read = 0;
            for (const CsvRecord &r : layout.records)
                read += parseStatementDate(r.fields.value(m.date).trimmed(), format).isValid() ? 1 : 0;
            if (read > best) {
                best = read;
                m.dateFormat = format;
            }
        }
    }
    // A decimal comma: amounts ending in a comma and one or two digits, and none in a point so.
    static const QRegularExpression commaDecimal(QStringLiteral(",\\d{1,2}\\s*\\)?-?$"));
    static const QRegularExpression pointDecimal(QStringLiteral("\\.\\d{1,2}\\s*\\)?-?$"));
    int commas = 0;
    int points = 0;
    for (const CsvRecord &r : layout.records) {
        for (int column : {m.amount, m.debit, m.credit}) {
            const QString value = r.fields.value(column).trimmed();
            if (column < 0 || value.isEmpty())
                continue;
            commas += commaDecimal.match(value).hasMatch() ? 1 : 0;
            points += pointDecimal.match(value).hasMatch() ? 1 : 0;
        }
    }
    m.decimal = commas > points ? u',' : u'.';
    return m;
}

QList<Candidate> csvCandidates(const CsvLayout &layout, const CsvMapping &mapping)
{
    QList<Candidate> out;
    for (const CsvRecord &r : layout.records) {
        Candidate c;
        c.line = r.line;
        const auto field = [&](int column) { return column >= 0 ? r.fields.value(column).trimmed() : QString(); };
        c.subject = field(mapping.subject);
        c.notes = field(mapping.notes);
        c.category = field(mapping.category);
        const QString dateText = field(mapping.date);
        c.date = parseStatementDate(dateText, mapping.dateFormat);
        QString problem;
        if (!c.date.isValid()) {
            problem = dateText.isEmpty()
                          ? QStringLiteral("no date")
                          : QStringLiteral("\"%1\" is not a date of the form %2").arg(dateText, mapping.dateFormat);
        } else if (mapping.amount >= 0) {
            const std::optional<double> amount = parseStatementAmount(field(mapping.amount), mapping.decimal, &problem);
            if (amount)
                c.amount = *amount;
        } else {
            // Debit and credit are magnitudes; one of them is filled.
            const QString debit = field(mapping.debit);
            const QString credit = field(mapping.credit);
            if (debit.isEmpty() && credit.isEmpty()) {
                problem = QStringLiteral("no amount in the debit or credit column");
            } else {
                double sum = 0.0;
                for (const auto &[text, sign] : {std::pair{credit, 1.0}, std::pair{debit, -1.0}}) {
                    if (text.isEmpty() || !problem.isEmpty())
                        continue;
                    const std::optional<double> value = parseStatementAmount(text, mapping.decimal, &problem);
                    if (value)
                        sum += sign * std::abs(*value);
                }
                // Cents apart in a double are not whole cents: 0.30 - 0.10 is 0.19999999999999998.
                c.amount = roundToCents(sum);
            }
        }
        c.problem = problem;
        if (!c.readable()) {
            c.date = QDate();
            c.amount = 0.0;
        }
        out << c;
    }
    return out;
}
