#pragma once

#include "reports/reportchart.h"
#include "store/oledatetime.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

class CDataStore;
class QPainter;

// The longest period a report covers.
constexpr int kMaxReportDays = ReportChart::kMaxPoints;

// The face colour of the program's look, under a chart.
inline QColor reportBackground()
{
    return QColor(0xEB, 0xEE, 0xF3);
}

// The Reports dialog's client area below its button row, at its first size.
inline QSize defaultReportSize()
{
    return QSize(680, 620);
}

// One account's movements over a period as a chart takes them.
struct ReportData
{
    OleDateTime from;
    OleDateTime to;
    int days = 0; // whole days from the start to the end, plus one
    // Entry 0 is (0, the opening balance cut to whole units); then every movement
    // of the period by date (equal dates in table order), each as whole days from
    // the start and its amount cut to whole units.
    QList<ChartEntry> entries;
};

// Gathers what the Reports dialog shows for an account and period. Nothing,
// with the reason in *problem, for a period of more than kMaxReportDays days.
std::optional<ReportData> gatherReportData(CDataStore &store, const QString &accountId, const OleDateTime &from,
                                           const OleDateTime &to, QString *problem = nullptr);

// The chart with the data, the working directory's chart colours (the default
// ones when its colour file cannot be read) and value labels on or off.
void setUpChart(ReportChart &chart, const ReportData &data, const QString &workDir, bool showValues);

// The kind a report draws: profit and loss has no line, which becomes a scatter.
int reportKind(bool profitLoss, int kind);

// Paints a report as the dialog shows it below its button row: the face
// colour, and the chart in the area less 30 pixels left and right, 15 at the
// top and 10 at the bottom.
void paintReport(QPainter &painter, const ReportChart &chart, bool profitLoss, int kind, const QRect &area);

// The report as a picture of that size: an SVG drawing for a path ending in
// ".svg" (any case), else a PNG image. Throws FileError when it cannot be written.
void saveReportImage(const QString &path, const ReportChart &chart, bool profitLoss, int kind, const QSize &size);
