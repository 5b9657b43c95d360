#include "reports/reportchart.h"

#include "store/chartcolours.h"
#include "store/formatters.h"
#include "store/oledatetime.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <QTime>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kLabelHeight = 17;
constexpr int kBalanceLegendWidth = 90;
constexpr int kBarDepth = 10;

// A Windows colour value holds red in its low byte.
QColor colourOf(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// The rectangle between a Windows rectangle's edges.
QRect between(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// An amount cut to whole units, towards zero.
double cut(double amount)
{
    return std::isfinite(amount) ? std::trunc(amount) : 0.0;
}

// Whole units held within int, so that the scale arithmetic in 64 bits cannot overflow.
int wholeUnits(double amount)
{
    return int(std::clamp(cut(amount), double(INT_MIN), double(INT_MAX)));
}

// The currency text of a whole amount without its decimal part.
QString wholeCurrency(qint64 amount)
{
    QString text = formatCurrency(QString::number(amount));
    // The locale's own decimal separator: a "." may be a group separator.
    const QString point = QLocale().decimalPoint();
    const qsizetype at = text.indexOf(point);
    if (at >= 0) {
        qsizetype end = at + point.size();
        while (end < text.size() && text[end].isDigit())
            ++end;
        text.remove(at, end - at);
    }
    return text;
}

QString dateText(const QDate &from, qint64 days)
{
    if (!from.isValid())
        return {};
    return formatDate(OleDateTime::fromDateTime(from.addDays(days), QTime(0, 0)));
}

int unitFor(qint64 max, qint64 min)
{
    const qint64 range = min >= 0 ? max + 1 : max - min + 1;
    if (range < 10)
        return 1;
    // range / k <= 10 in integer division holds exactly when range < 11 * k.
    return int(std::max<qint64>(2, range / 11 + 1));
}

// The grid rows the values need (r).
int rowsFor(qint64 max, qint64 min)
{
    qint64 r;
    if (max - min >= 10)
        r = 10;
    else if (min > 0)
        r = max;
    else
        r = max - min;
    // A large balance that hardly moves would otherwise ask for as many rows as
    // it has units, each less than a pixel high. Above 10 the unit is at least 2
    // and max / unit < 11, so 10 rows hold every value.
    return int(std::min<qint64>(r, 10));
}

// Days per day label.
int dayStep(int points)
{
    const int n = points + 1;
    if (n < 5)
        return 1;
    // n / j <= 5 in integer division holds exactly when n < 6 * j.
    return std::max(2, n / 6 + 1);
}

// The plot rectangle's edges, the 3D depth and the unit, shared by both charts.
ChartScale baseScale(qint64 max, qint64 min, int kind, int left, int top, int right, int bottom, int points)
{
    ChartScale s;
    s.unit = unitFor(max, min);
    s.step = dayStep(points);
    s.depth = kind == ReportChart::Bar3D ? kBarDepth : 0;
    const int l = left + 40;
    const int t = top + 10;
    const int r = right - 10 - s.depth;
    const int b = bottom - 20;
    s.plot = QRect(QPoint(l, t), QPoint(r, b));
    return s;
}

// Height above the zero line of a value.
int heightOf(qint64 value, const ChartScale &s)
{
    return int(value * s.yStep / s.unit);
}

// What a paint needs besides the chart's own data.
struct Canvas
{
    QPainter &painter;
    const ChartScale &scale;
    QFont font;
    QFont bold;
    bool showValues = false;
    bool scatter = false; // value labels on light yellow
};

// Sets the painter up for a chart: no antialiasing, text on a transparent
// background, the chart font.
Canvas canvasFor(QPainter &painter, const ChartScale &scale, bool showValues, bool scatter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    Canvas c{painter, scale, painter.font(), {}, showValues, scatter};
    // The painter's font with only these three changed.
    c.font.setFamily(QStringLiteral("Arial"));
    c.font.setPixelSize(14);
    c.font.setWeight(QFont::Normal);
    c.bold = c.font;
    c.bold.setWeight(QFont::Bold);
    painter.setFont(c.font);
    return c;
}

void drawText(QPainter &painter, const QRect &box, int flags, const QString &text)
{
    painter.setPen(Qt::black);
    painter.drawText(box, flags | Qt::TextSingleLine, text);
}

// A value label in the box from left to right, above a point above the zero
// line, else hanging below it.
void drawValueLabel(Canvas &c, int left, int right, int y, bool above, const QString &text)
{
    QPainter &p = c.painter;
    p.setFont(c.bold);
    int top, bottom;
    if (above) {
        bottom = y - 2 - c.scale.depth;
        top = bottom - kLabelHeight;
    } else {
        top = y;
        bottom = y + kLabelHeight;
    }
    const int width = p.fontMetrics().horizontalAdvance(text);
    if (width > right - left) {
        const int extra = width - (right - left);
        left -= extra / 2;
        right += extra - extra / 2;
        left -= 30;
    }
    if (c.scatter)
        p.fillRect(between(left, top + 1, right, bottom - 1), QColor(255, 255, 153));
    drawText(p, between(left, top, right, bottom), Qt::AlignHCenter | Qt::AlignVCenter, text);
    p.setFont(c.font);
}

void drawAxes(Canvas &c)
{
    const ChartScale &s = c.scale;
    c.painter.setPen(QPen(Qt::black, 1));
    c.painter.drawLine(s.xAxisStart, s.xAxisEnd);
    c.painter.drawLine(s.yAxisBottom, s.yAxisTop);
}

// "Amount" over the y axis and the amounts of every second grid row.
// numbersRight: the gap between the numbers' boxes and the axis; shift: how
// far a box that is too narrow grows to the left.
void drawAmountAxis(Canvas &c, int numbersRight, int shift)
{
    QPainter &p = c.painter;
    const ChartScale &s = c.scale;
    const int axisX = s.yAxisTop.x();
    const QFontMetrics metrics = p.fontMetrics();

    const QString amount = QStringLiteral("Amount");
    int left = axisX - 15;
    left = std::min(left, axisX - metrics.horizontalAdvance(amount));
    drawText(p, between(left, s.yAxisTop.y() - 17, axisX, s.yAxisTop.y() - 2), Qt::AlignHCenter | Qt::AlignVCenter,
             amount);

    for (int y = s.yAxisBottom.y(); y > s.yAxisTop.y(); y -= 2 * s.yStep) {
        const QString text = wholeCurrency(qint64(s.unit) * ((s.originY - y) / s.yStep));
        const int right = axisX - numbersRight;
        int boxLeft = axisX - 50;
        const int width = metrics.horizontalAdvance(text);
        if (width > right - boxLeft)
            boxLeft = right - width - shift;
        drawText(p, between(boxLeft, y - s.yStep / 2 + 4, right, y + s.yStep / 2 - 2),
                 Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

// The three legend lines, left-aligned in boxes from textRight - w to boxRight, w the
// wider of the second and third line.
void drawLegendLines(Canvas &c, const QString &first, int textRight, int boxRight)
{
    QPainter &p = c.painter;
    const ChartScale &s = c.scale;
    const QString second = QStringLiteral("Y - Axis - Amount");
    const QString third = QStringLiteral("1 Unit - ") + wholeCurrency(2 * qint64(s.unit));
    const QFontMetrics metrics = p.fontMetrics();
    const int w = std::max(metrics.horizontalAdvance(second), metrics.horizontalAdvance(third));
    const int left = textRight - w;
    const int t = s.plot.top();
    const QString lines[] = {first, second, third};
    for (int i = 0; i < 3; ++i)
        drawText(p, between(left, t - 20 + 20 * i, boxRight, t - 5 + 20 * i), Qt::AlignLeft | Qt::AlignVCenter,
                 lines[i]);
}

void drawPeriodLine(Canvas &c, const QDate &from, const QDate &to, int rightEdge)
{
    QPainter &p = c.painter;
    const ChartScale &s = c.scale;
    const QString text = QStringLiteral("   Period - ") + dateText(from, 0) + QStringLiteral(" To ") + dateText(to, 0);
    p.setFont(c.bold);
    const int left = (rightEdge - s.plot.left()) / 2 - 50;
    drawText(p, between(left, s.plot.top() - 20, rightEdge + 500, s.plot.top() - 5), Qt::AlignLeft | Qt::AlignVCenter,
             text);
    p.setFont(c.font);
}

// A 10 x 10 colour key with its text 5 pixels to its right.
void drawKey(Canvas &c, int x, int y, quint32 colour, const QString &text)
{
    QPainter &p = c.painter;
    p.fillRect(QRect(x, y, 10, 10), colourOf(colour));
    const int width = p.fontMetrics().horizontalAdvance(text);
    drawText(p, QRect(x + 15, y - 5, width + 1, 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, text);
}

// The front rectangle of a bar, its 3D copy shifted up and right, and the
// side and the top (or bottom) face joining them.
void drawBar(Canvas &c, const QRect &front, bool above, quint32 face, quint32 shade)
{
    QPainter &p = c.painter;
    const int d = c.scale.depth;
    if (d == 0) {
        p.fillRect(front, colourOf(face));
        return;
    }
    const int x0 = front.x(), x1 = front.x() + front.width();
    const int top = front.y(), bottom = front.y() + front.height();
    p.fillRect(front.translated(d, -d), colourOf(face));
    p.fillRect(front, colourOf(face));
    p.setPen(QPen(colourOf(shade), 1));
    p.setBrush(colourOf(shade));
    const QPolygon side({QPoint(x1, top), QPoint(x1 + d, top - d), QPoint(x1 + d, bottom - d), QPoint(x1, bottom)});
    p.drawPolygon(side);
    const int edge = above ? top : bottom;
    const QPolygon cap({QPoint(x0, edge), QPoint(x0 + d, edge - d), QPoint(x1 + d, edge - d), QPoint(x1, edge)});
    p.drawPolygon(cap);
    p.setBrush(Qt::NoBrush);
}

// From the zero line to y, one pixel high where the two meet.
QRect barRect(int x0, int x1, int y, int zero)
{
    const int top = std::min(y, zero);
    int bottom = std::max(y, zero);
    if (bottom == top)
        bottom = top + 1;
    return between(x0, top, x1, bottom);
}

} // namespace

ReportChart::ReportChart()
{
    const ChartColours colours = defaultChartColours();
    for (qsizetype i = 0; i < std::min<qsizetype>(colours.face.size(), kMaxSeries); ++i)
        m_crFace[i] = colours.face[i];
    for (qsizetype i = 0; i < std::min<qsizetype>(colours.shade.size(), kMaxSeries); ++i)
        m_crShade[i] = colours.shade[i];
}

void ReportChart::SetSize(int nSeries, int nPoints)
{
    m_nSeries = std::clamp(nSeries, 0, kMaxSeries);
    m_nPoints = std::clamp(nPoints, 0, kMaxPoints);
}

void ReportChart::SetData(const QList<ChartEntry> &entries, const QList<quint32> &face, const QList<quint32> &shade)
{
    // Each day's movements first, so that a day is one addition.
    double dayTotal[kMaxPoints] = {};
    for (const ChartEntry &entry : entries) {
        if (entry.day >= 0 && entry.day < m_nPoints)
            dayTotal[entry.day] += cut(entry.amount);
    }
    for (int s = 0; s < m_nSeries; ++s) {
        double sum = 0.0;
        for (int d = 0; d < m_nPoints; ++d) {
            sum += dayTotal[d];
            m_nValue[s][d] = wholeUnits(sum);
        }
    }

    for (qsizetype i = 0; i < std::min<qsizetype>(face.size(), kMaxSeries); ++i)
        m_crFace[i] = face[i];
    for (qsizetype i = 0; i < std::min<qsizetype>(shade.size(), kMaxSeries); ++i)
        m_crShade[i] = shade[i];

    m_dIncome = 0.0;
    m_dExpense = 0.0;
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const double amount = cut(entries[i].amount);
        if (amount > 0)
            m_dIncome += amount;
        else
            m_dExpense += amount;
    }
}

void ReportChart::setPeriod(const QDate &from, const QDate &to)
{
    m_from = from;
    m_to = to;
}

void ReportChart::setShowValues(bool show)
{
    m_showValues = show;
}

int ReportChart::MaxValue() const
{
    int max = 0;
    bool any = false;
    for (int s = 0; s < m_nSeries; ++s) {
        for (int d = 0; d < m_nPoints; ++d) {
            if (!any || m_nValue[s][d] > max)
                max = m_nValue[s][d];
            any = true;
        }
    }
    return max;
}

int ReportChart::MinValue() const
{
    int min = 0;
    bool any = false;
    for (int s = 0; s < m_nSeries; ++s) {
        for (int d = 0; d < m_nPoints; ++d) {
            if (!any || m_nValue[s][d] < min)
                min = m_nValue[s][d];
            any = true;
        }
    }
    return min;
}

int ReportChart::value(int series, int point) const
{
    if (series < 0 || series >= m_nSeries || point < 0 || point >= m_nPoints)
        return 0;
    return m_nValue[series][point];
}

quint32 ReportChart::faceColour(int slot) const
{
    return slot >= 0 && slot < kMaxSeries ? m_crFace[slot] : 0;
}

quint32 ReportChart::shadeColour(int slot) const
{
    return slot >= 0 && slot < kMaxSeries ? m_crShade[slot] : 0;
}

ReportChart::ProfitLossValues ReportChart::profitLossValues() const
{
    ProfitLossValues v;
    v.income = wholeUnits(m_dIncome);
    v.expense = wholeUnits(-m_dExpense);
    // Both are whole units within int and never negative, so the difference fits.
    v.income = std::max(v.income, 0);
    v.expense = std::max(v.expense, 0);
    v.profitLoss = v.income - v.expense;
    return v;
}

ChartScale ReportChart::balanceScale(int kind, const QRect &rect) const
{
    const qint64 max = MaxValue();
    const qint64 min = MinValue();
    const int right = rect.x() + rect.width() - kBalanceLegendWidth;
    ChartScale s = baseScale(max, min, kind, rect.x(), rect.y(), right, rect.y() + rect.height(), m_nPoints);
    const int l = s.plot.left(), r = s.plot.right(), b = s.plot.bottom();
    s.columns = std::min(m_nPoints, 5) + 1;
    s.xStep = (r - l) / s.columns;
    s.rows = rowsFor(max, min) + 3;
    s.yStep = (b - s.plot.top()) / s.rows;
    if (min >= 0)
        s.originY = b;
    else
        s.originY = int(b - ((s.unit - min - 1) / s.unit + 1) * s.yStep);
    s.xAxisStart = QPoint(l, s.originY);
    s.xAxisEnd = QPoint(l + 10 + s.xStep * s.columns, s.originY);
    s.yAxisBottom = QPoint(l, b);
    s.yAxisTop = QPoint(l, b - s.yStep * s.rows);
    return s;
}

ChartScale ReportChart::profitLossScale(int kind, const QRect &rect) const
{
    const ProfitLossValues v = profitLossValues();
    const qint64 max = std::max({v.income, v.expense, v.profitLoss});
    const qint64 min = std::min({v.income, v.expense, v.profitLoss});
    ChartScale s =
        baseScale(max, min, kind, rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height(), m_nPoints);
    const int l = s.plot.left(), r = s.plot.right(), b = s.plot.bottom();
    const int c = std::min(m_nPoints, 5);
    s.columns = c + 2;
    s.xStep = (r - l) / s.columns;
    const int rows = rowsFor(max, min);
    s.rows = rows + 3;
    s.yStep = (b - s.plot.top()) / s.rows;
    s.originY = b;
    s.xAxisStart = QPoint(l, b);
    s.xAxisEnd = QPoint(l + 10 + (c + 1) * s.xStep, b);
    s.yAxisBottom = QPoint(l, b);
    s.yAxisTop = QPoint(l, b - (rows + 2) * s.yStep + 10);
    return s;
}

void ReportChart::DrawBalance(QPainter &painter, int kind, const QRect &rect) const
{
    const ChartScale s = balanceScale(kind, rect);
    // A rectangle too small for one pixel per column or row has nothing to show.
    if (s.xStep <= 0 || s.yStep <= 0)
        return;

    painter.save();
    Canvas c = canvasFor(painter, s, m_showValues, kind == Scatter);

    drawAxes(c);

    const int l = s.plot.left();
    const int zero = s.originY;
    auto xOf = [&](qint64 day) { return int(l + qint64(s.xStep) * day / s.step); };
    auto yOf = [&](int series, int day) { return zero - heightOf(m_nValue[series][day], s); };
    auto label = [&](int series, int day) { return wholeCurrency(m_nValue[series][day]); };

    for (int series = 0; series < m_nSeries; ++series) {
        const quint32 positive = faceColour(series);
        const quint32 negative = faceColour(m_nSeries + series);
        switch (kind) {
        case Line: {
            const QPen up(colourOf(positive), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            const QPen down(colourOf(negative), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            for (int d = 0; d + 1 < m_nPoints; ++d) {
                const QPoint a(xOf(d), yOf(series, d));
                const QPoint b(xOf(d + 1), yOf(series, d + 1));
                if ((a.y() < zero && b.y() > zero) || (a.y() > zero && b.y() < zero)) {
                    const int crossX = int(a.x() + qint64(b.x() - a.x()) * (zero - a.y()) / (b.y() - a.y()));
                    const QPoint cross(crossX, zero);
                    painter.setPen(a.y() < zero ? up : down);
                    painter.drawLine(a, cross);
                    painter.setPen(b.y() < zero ? up : down);
                    painter.drawLine(cross, b);
                } else {
                    painter.setPen(a.y() > zero || b.y() > zero ? down : up);
                    painter.drawLine(a, b);
                }
            }
            if (c.showValues) {
                for (int d = 0; d < m_nPoints; ++d) {
                    const bool last = d + 1 == m_nPoints;
                    if (!last && m_nValue[series][d] == m_nValue[series][d + 1])
                        continue;
                    const int y = yOf(series, d);
                    drawValueLabel(c, xOf(d), last ? xOf(d) : xOf(d + 1), y, y < zero, label(series, d));
                }
            }
            break;
        }
        case Scatter: {
            auto mark = [&](int x, int y) {
                painter.fillRect(QRect(x - 1, y - 2, 5, 5), colourOf(y > zero ? negative : positive));
            };
            auto markLabel = [&](int left, int right, int y, const QString &text) {
                if (c.showValues)
                    drawValueLabel(c, left, right, y, y < zero, text);
            };
            if (m_nPoints > 0) {
                const int x = xOf(0), y = yOf(series, 0);
                mark(x, y);
                markLabel(x + 2, x + 18, y, label(series, 0));
            }
            for (int d = 1; d < m_nPoints; ++d) {
                if (m_nValue[series][d] == m_nValue[series][d - 1])
                    continue;
                const int x = xOf(d);
                const int before = yOf(series, d - 1), after = yOf(series, d);
                mark(x, before);
                mark(x, after);
                markLabel(x + 2, x + 18, before, label(series, d - 1));
                markLabel(x - 17, x - 2, after, label(series, d));
            }
            if (m_nPoints > 0) {
                const int last = m_nPoints - 1;
                const int x = xOf(last), y = yOf(series, last);
                mark(x, y);
                markLabel(x + 1, x + 16, y, label(series, last));
            }
            break;
        }
        case Bar2D:
        case Bar3D:
            // Edges from the exact quotient, so that a bar starts where its day's label is centred.
            for (int d = 0; d < m_nPoints; ++d) {
                const int y = yOf(series, d);
                const bool above = y < zero;
                const int slot = above ? series : m_nSeries + series;
                drawBar(c, barRect(xOf(d), xOf(d + 1), y, zero), above, faceColour(slot), shadeColour(slot));
            }
            // After every bar, so that no 3D bar covers the label of the bar before it.
            for (int d = 0; d < m_nPoints && c.showValues; ++d) {
                const int y = yOf(series, d);
                drawValueLabel(c, xOf(d), xOf(d + 1), y, y < zero, label(series, d));
            }
            break;
        default:
            break;
        }
    }

    // Day labels under the zero line, then one more at the axis end.
    for (int d = s.step; d <= m_nPoints; d += s.step) {
        const int x = xOf(d);
        drawText(painter, between(x - s.xStep / 2 + 2, zero + 2, x + s.xStep / 2 - 2, zero + 15),
                 Qt::AlignHCenter | Qt::AlignVCenter, dateText(m_from, d));
    }
    {
        const qint64 next = m_nPoints / s.step + 1;
        const int x = int(l + qint64(s.xStep) * next);
        const QString text = dateText(m_from, next * s.step) + QStringLiteral(" Days");
        const int half = std::max(s.xStep / 2 - 2, (painter.fontMetrics().horizontalAdvance(text) + 1) / 2);
        drawText(painter, between(x - half, zero + 2, x + half, zero + 15), Qt::AlignHCenter | Qt::AlignVCenter, text);
    }

    drawAmountAxis(c, 2, 30);

    const int rt = s.plot.right() + s.depth;
    drawLegendLines(c, QStringLiteral("X - Axis - Day"), rt + 120, rt + 130);
    drawPeriodLine(c, m_from, m_to, rt);
    for (int series = 0; series < m_nSeries; ++series)
        drawKey(c, rt + 32, s.plot.top() + 40 + 15 * series, faceColour(series), QStringLiteral("Acct Bal."));

    painter.restore();
}

void ReportChart::DrawProfitLoss(QPainter &painter, int kind, const QRect &rect) const
{
    const ChartScale s = profitLossScale(kind, rect);
    if (s.xStep <= 0 || s.yStep <= 0)
        return;

    painter.save();
    Canvas c = canvasFor(painter, s, m_showValues, false);

    drawAxes(c);

    const ProfitLossValues v = profitLossValues();
    const int first = 2 * m_nSeries;
    const int profitSlot = v.profitLoss >= 0 ? first + 2 : first + 3;
    const struct
    {
        int value;
        int slot;
        QString name;
        QString prefix;
    } bars[] = {{v.income, first, QStringLiteral("Income"), QString()},
                {v.expense, first + 1, QStringLiteral("Expense"), QString()},
                {v.profitLoss, profitSlot, QStringLiteral("P / L"),
                 v.profitLoss >= 0 ? QStringLiteral("Profit ") : QStringLiteral("Loss ")}};

    const int l = s.plot.left();
    const int zero = s.originY;
    auto frontOf = [&](int i) {
        const int x0 = l + (i + 1) * s.xStep;
        // Every bar rises, a loss too.
        return barRect(x0, x0 + s.xStep, zero - heightOf(std::abs(qint64(bars[i].value)), s), zero);
    };
    for (int i = 0; i < 3; ++i) {
        const QRect front = frontOf(i);
        if (kind == Scatter)
            painter.fillRect(QRect(front.x() + s.xStep / 2 - 2, front.y() - 2, 5, 5),
                             colourOf(faceColour(bars[i].slot)));
        else if (kind == Bar2D || kind == Bar3D)
            drawBar(c, front, true, faceColour(bars[i].slot), shadeColour(bars[i].slot));
    }
    for (int i = 0; i < 3; ++i) {
        const QRect front = frontOf(i);
        const int x1 = front.x() + s.xStep;
        if (c.showValues)
            drawValueLabel(c, front.x(), x1, front.y(), true, bars[i].prefix + wholeCurrency(bars[i].value));
        drawText(painter, between(front.x(), zero + 2, x1, zero + 15), Qt::AlignHCenter | Qt::AlignVCenter,
                 bars[i].name);
    }

    drawAmountAxis(c, 5, 20);

    const int rt = s.plot.right() + s.depth;
    drawLegendLines(c, QStringLiteral("X - Axis - Type"), rt + 20, rt + 20);
    drawPeriodLine(c, m_from, m_to, rt);
    const QString keys[] = {QStringLiteral("Income"), QStringLiteral("Expense"), QStringLiteral("Profit"),
                            QStringLiteral("Loss")};
    for (int i = 0; i < 4; ++i)
        drawKey(c, rt - 50, s.plot.top() + 40 + 15 * i, faceColour(first + i), keys[i]);

    painter.restore();
}
