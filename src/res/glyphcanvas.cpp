#include "res/glyphcanvas.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace {

const qreal kLetterGap = 0.28; // of the height

// Width of a letter as a fraction of its height.
qreal letterWidth(QChar c)
{
    switch (c.unicode()) {
    case 'M':
        return 0.78;
    case 'W':
        return 0.95;
    case 'T':
    case 'V':
    case 'X':
        return 0.66;
    case 'H':
    case 'C':
    case 'D':
        return 0.6;
    default:
        return 0.54;
    }
}

// The letter's centre line in a box one unit high and letterWidth() wide.
QPainterPath letterPath(QChar c, qreal w)
{
    QPainterPath p;
    switch (c.unicode()) {
    case 'C':
        p.moveTo(w, 0.18);
        p.cubicTo(w * 0.8, -0.04, 0, -0.08, 0, 0.5);
        p.cubicTo(0, 1.08, w * 0.8, 1.04, w, 0.82);
        break;
    case 'D':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.lineTo(w * 0.42, 1);
        p.cubicTo(w * 1.05, 1, w * 1.05, 0, w * 0.42, 0);
        p.closeSubpath();
        break;
    case 'F':
        p.moveTo(w, 0);
        p.lineTo(0, 0);
        p.lineTo(0, 1);
        p.moveTo(0, 0.48);
        p.lineTo(w * 0.8, 0.48);
        break;
    case 'H':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.moveTo(w, 0);
        p.lineTo(w, 1);
        p.moveTo(0, 0.5);
        p.lineTo(w, 0.5);
        break;
    case 'L':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.lineTo(w, 1);
        break;
    case 'M':
        p.moveTo(0, 1);
        p.lineTo(0, 0);
        p.lineTo(w / 2, 0.62);
        p.lineTo(w, 0);
        p.lineTo(w, 1);
        break;
    case 'P':
        p.moveTo(0, 1);
        p.lineTo(0, 0);
        p.lineTo(w * 0.5, 0);
        p.cubicTo(w * 1.15, 0, w * 1.15, 0.56, w * 0.5, 0.56);
        p.lineTo(0, 0.56);
        break;
    case 'S':
        p.moveTo(w * 0.95, 0.14);
        p.cubicTo(w * 0.7, -0.06, 0, -0.06, 0, 0.27);
        p.cubicTo(0, 0.54, w, 0.44, w, 0.73);
        p.cubicTo(w, 1.06, w * 0.25, 1.06, 0, 0.86);
        break;
    case 'T':
        p.moveTo(0, 0);
        p.lineTo(w, 0);
        p.moveTo(w / 2, 0);
        p.lineTo(w / 2, 1);
        break;
    case 'V':
        p.moveTo(0, 0);
        p.lineTo(w / 2, 1);
        p.lineTo(w, 0);
        break;
    case 'W':
        p.moveTo(0, 0);
        p.lineTo(w * 0.25, 1);
        p.lineTo(w * 0.5, 0.35);
        p.lineTo(w * 0.75, 1);
        p.lineTo(w, 0);
        break;
    case 'X':
        p.moveTo(0, 0);
        p.lineTo(w, 1);
        p.moveTo(w, 0);
        p.lineTo(0, 1);
        break;
    default:
        break;
    }
    return p;
}

} // namespace

GlyphCanvas::GlyphCanvas(QPainter &painter, qreal unitPixels)
    : m_painter(painter)
    , m_stroke(std::max(2.0, 1.4 / unitPixels))
    , m_thinnest(1.0 / unitPixels)
    , m_detailed(unitPixels * 24 >= 20)
{
    m_painter.setPen(Qt::NoPen);
}

void GlyphCanvas::fill(const QPainterPath &path, qreal opacity)
{
    fill(path, QColor::fromRgbF(1, 1, 1, float(opacity)));
}

void GlyphCanvas::fill(const QPainterPath &path, const QColor &colour)
{
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.fillPath(path, colour);
}

void GlyphCanvas::cut(const QPainterPath &path)
{
    m_painter.setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter.fillPath(path, Qt::black);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void GlyphCanvas::line(const QPainterPath &path, qreal width, qreal opacity)
{
    fill(outline(path, width), opacity);
}

void GlyphCanvas::cutLine(const QPainterPath &path, qreal width)
{
    cut(outline(path, width));
}

void GlyphCanvas::rotate(qreal degrees)
{
    m_painter.translate(12, 12);
    m_painter.rotate(degrees);
    m_painter.translate(-12, -12);
}

QPainterPath GlyphCanvas::outline(const QPainterPath &path, qreal width) const
{
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(width > 0 ? width : m_stroke, m_thinnest));
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

QPainterPath GlyphCanvas::rect(qreal x, qreal y, qreal w, qreal h, qreal radius)
{
    QPainterPath p;
    if (radius > 0)
        p.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        p.addRect(QRectF(x, y, w, h));
    return p;
}

QPainterPath GlyphCanvas::circle(qreal cx, qreal cy, qreal r)
{
    return ellipse(cx, cy, r, r);
}

QPainterPath GlyphCanvas::ellipse(qreal cx, qreal cy, qreal rx, qreal ry)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

QPainterPath GlyphCanvas::polygon(std::initializer_list<QPointF> points)
{
    QPainterPath p = polyline(points);
    p.closeSubpath();
    return p;
}

QPainterPath GlyphCanvas::polyline(std::initializer_list<QPointF> points)
{
    QPainterPath p;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            p.moveTo(pt);
        else
            p.lineTo(pt);
        first = false;
    }
    return p;
}

QPainterPath GlyphCanvas::segment(qreal x1, qreal y1, qreal x2, qreal y2)
{
    return polyline({{x1, y1}, {x2, y2}});
}

QPainterPath GlyphCanvas::arc(qreal cx, qreal cy, qreal r, qreal startDegrees, qreal spanDegrees)
{
    const QRectF box(cx - r, cy - r, 2 * r, 2 * r);
    QPainterPath p;
    p.arcMoveTo(box, startDegrees);
    p.arcTo(box, startDegrees, spanDegrees);
    return p;
}

QPainterPath GlyphCanvas::letters(const QString &text, qreal x, qreal y, qreal height)
{
    QPainterPath result;
    for (const QChar c : text) {
        const qreal w = letterWidth(c);
        QTransform t;
        t.translate(x, y);
        t.scale(height, height);
        result.addPath(t.map(letterPath(c, w)));
        x += (w + kLetterGap) * height;
    }
    return result;
}

qreal GlyphCanvas::lettersWidth(const QString &text, qreal height)
{
    qreal w = 0;
    for (const QChar c : text)
        w += letterWidth(c) * height;
    return text.isEmpty() ? 0 : w + kLetterGap * height * (text.size() - 1);
}
