#pragma once

#include <QDate>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QtGlobal>

class QPainter;

// One movement handed to the chart: its day of the period (0 = the start
// date) and its amount. Entry 0 of a list is (0, the opening balance).
struct ChartEntry
{
    int day = 0;
    double amount = 0.0;
};

// The scale a chart works out for one paint, in device pixels.
struct ChartScale
{
    int unit = 1;    // amount per grid row (m_nUnit)
    int step = 1;    // days per day label
    int columns = 0; // x-axis columns
    int xStep = 0;   // pixels per column (m_nXStep)
    int yStep = 0;   // pixels per grid row (m_nYStep)
    int rows = 0;    // R: grid rows of the y axis
    int depth = 0;   // 3D depth (m_nDepth)
    QRect plot;      // the plot rectangle (left, top, right, bottom as the algorithm uses them)
    int originY = 0; // pixel row of the zero line (m_nOriginY)
    QPoint xAxisStart, xAxisEnd;
    QPoint yAxisBottom, yAxisTop;
};

// The chart engine of the Reports dialog: the running balance of one account
// per day of a period, as a line, a scatter, 2D bars or 3D bars, and the
// period's income, expense and profit or loss as three bars. Paints with
// QPainter on any paint device (a widget, an image, an SVG generator, a
// printer), in the device's pixels; nothing is kept between paints.
//
// Rectangles are read as a Windows rectangle: the right edge is x + width and
// the bottom edge y + height, one past the last pixel. ChartScale::plot is
// built from those edges, so plot.right() and plot.bottom() are them.
class ReportChart
{
public:
    static constexpr int kMaxSeries = 20;
    static constexpr int kMaxPoints = 366;
    // Chart kinds, the Reports dialog's buttons.
    enum Kind { Line = 0, Scatter = 1, Bar2D = 2, Bar3D = 3 };

    // One series without points, the default chart colours.
    ReportChart();

    // Series and points per series, each clamped to the limits above.
    void SetSize(int nSeries, int nPoints);
    // The series as running balances per day, from a date-sorted entry list;
    // colours as Windows colour values (0x00BBGGRR): slot s the positive and
    // slot nSeries + s the negative colour of series s, then Income, Expense,
    // Profit, Loss. At most kMaxSeries colours of each list are kept; slots a
    // list does not fill keep their colours (the program's defaults at first).
    void SetData(const QList<ChartEntry> &entries, const QList<quint32> &face, const QList<quint32> &shade);

    // The period the labels and the period line name.
    void setPeriod(const QDate &from, const QDate &to);
    // Value labels on or off (the profile's "Show" value).
    void setShowValues(bool show);

    void DrawBalance(QPainter &painter, int kind, const QRect &rect) const;
    void DrawProfitLoss(QPainter &painter, int kind, const QRect &rect) const;

    // Largest and smallest value over all series and points.
    int MaxValue() const;
    int MinValue() const;

    // What a paint of that chart works out; DrawBalance and DrawProfitLoss use the same.
    // rect is the rectangle the Draw function is given (the balance chart takes
    // 90 pixels off its right for the legend).
    ChartScale balanceScale(int kind, const QRect &rect) const;
    ChartScale profitLossScale(int kind, const QRect &rect) const;

    int seriesCount() const { return m_nSeries; }
    int pointCount() const { return m_nPoints; }
    int value(int series, int point) const;
    double income() const { return m_dIncome; }
    double expense() const { return m_dExpense; }

    // The colour values of a slot; 0 (black) for a slot past the last one.
    quint32 faceColour(int slot) const;
    quint32 shadeColour(int slot) const;

private:
    struct ProfitLossValues
    {
        int income = 0;
        int expense = 0;
        int profitLoss = 0;
    };
    ProfitLossValues profitLossValues() const;

    double m_dIncome = 0.0;
    double m_dExpense = 0.0;
    quint32 m_crShade[kMaxSeries] = {};
    quint32 m_crFace[kMaxSeries] = {};
    int m_nSeries = 1;
    int m_nPoints = 0;
    int m_nValue[kMaxSeries][kMaxPoints] = {};
    QDate m_from;
    QDate m_to;
    bool m_showValues = true;
};
