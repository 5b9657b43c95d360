#include "reports/reportdata.h"

#include "store/chartcolours.h"
#include "store/datastore.h"
#include "store/fileio.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

// Whole days from `from` to `at`, the fraction dropped.
int wholeDays(const OleDateTime &from, const OleDateTime &at)
{
    return int(std::trunc(at.linearDays() - from.linearDays()));
}

} // namespace

std::optional<ReportData> gatherReportData(CDataStore &store, const QString &accountId, const OleDateTime &from,
                                           const OleDateTime &to, QString *problem)
{
    ReportData data;
    data.from = from;
    data.to = to;
    data.days = wholeDays(from, to) + 1;
    if (data.days > kMaxReportDays || data.days < 1) {
        if (problem)
            *problem = data.days < 1 ? QStringLiteral("The period ends before it starts.")
                                     : QStringLiteral("A report covers at most %1 days; this period has %2.")
                                           .arg(kMaxReportDays)
                                           .arg(data.days);
        return std::nullopt;
    }
    RecordMap<MovementRecord> movements;
    const double opening = store.gatherAccountMovements(accountId, from, to, movements);
    data.entries.append({0, std::trunc(opening)});
    // By date; of equal dates the first in table order comes first.
    QList<MovementRecord> ordered;
    for (const auto &entry : movements)
        ordered.append(entry.value());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const MovementRecord &a, const MovementRecord &b) { return a.date < b.date; });
    for (const MovementRecord &m : ordered)
        data.entries.append({wholeDays(from, m.date), std::trunc(m.amount)});
    return data;
}

void setUpChart(ReportChart &chart, const ReportData &data, const QString &workDir, bool showValues)
{
    chart.SetSize(1, data.days);
    const std::optional<ChartColours> colours = readChartColourFile(workDir, ReportChart::kMaxSeries);
    const ChartColours used = colours ? *colours : defaultChartColours();
    chart.SetData(data.entries, used.face, used.shade);
    chart.setPeriod(data.from.date(), data.to.date());
    chart.setShowValues(showValues);
}

int reportKind(bool profitLoss, int kind)
{
    return profitLoss && kind == ReportChart::Line ? int(ReportChart::Scatter) : kind;
}

void paintReport(QPainter &painter, const ReportChart &chart, bool profitLoss, int kind, const QRect &area)
{
    painter.fillRect(area, reportBackground());
    const QRect chartRect = area.adjusted(30, 15, -30, -10);
    if (profitLoss)
        chart.DrawProfitLoss(painter, reportKind(true, kind), chartRect);
    else
        chart.DrawBalance(painter, kind, chartRect);
}

void saveReportImage(const QString &path, const ReportChart &chart, bool profitLoss, int kind, const QSize &size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QRect area(QPoint(0, 0), size);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(profitLoss ? QStringLiteral("Profit and Loss") : QStringLiteral("Account Balance"));
        QPainter painter(&svg);
        paintReport(painter, chart, profitLoss, kind, area);
    } else {
        QImage image(size, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            paintReport(painter, chart, profitLoss, kind, area);
        }
        if (!image.save(&buffer, "PNG"))
            throw FileError(path, QStringLiteral("the picture could not be made"));
    }
    buffer.close();
    writeDocumentFile(path, buffer.data());
}
