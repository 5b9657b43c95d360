#pragma once

#include <QColor>
#include <QPainterPath>

#include <initializer_list>

class QPainter;

// Draws a glyph on a 24 x 24 unit grid into a transparent layer: white shapes,
// and cuts that clear what lies under them. The painter's transform maps the grid.
class GlyphCanvas
{
public:
    // `unitPixels`: device pixels per grid unit. Small glyphs get bolder lines and
    // leave out fine marks.
    GlyphCanvas(QPainter &painter, qreal unitPixels);

    qreal stroke() const { return m_stroke; }
    bool detailed() const { return m_detailed; }

    void fill(const QPainterPath &path, qreal opacity = 1.0);
    void fill(const QPainterPath &path, const QColor &colour);
    void cut(const QPainterPath &path);
    // The outline of `path` with round caps and joins; width 0 means stroke(). No
    // line is drawn thinner than a device pixel.
    void line(const QPainterPath &path, qreal width = 0, qreal opacity = 1.0);
    void cutLine(const QPainterPath &path, qreal width = 0);
    // Later shapes are turned by `degrees` about the grid's centre.
    void rotate(qreal degrees);

    static QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0);
    static QPainterPath circle(qreal cx, qreal cy, qreal r);
    static QPainterPath ellipse(qreal cx, qreal cy, qreal rx, qreal ry);
    static QPainterPath polygon(std::initializer_list<QPointF> points);
    static QPainterPath polyline(std::initializer_list<QPointF> points);
    static QPainterPath segment(qreal x1, qreal y1, qreal x2, qreal y2);
    // An arc about (cx, cy); angles in degrees, counter-clockwise from three o'clock.
    static QPainterPath arc(qreal cx, qreal cy, qreal r, qreal startDegrees, qreal spanDegrees);
    // Letters drawn as strokes (the ones the glyphs need: C D F H L M P S T V W X),
    // `height` tall, starting at (x, y) top left. Returns the outline's centre line.
    static QPainterPath letters(const QString &text, qreal x, qreal y, qreal height);
    static qreal lettersWidth(const QString &text, qreal height);

private:
    QPainterPath outline(const QPainterPath &path, qreal width) const;

    QPainter &m_painter;
    qreal m_stroke;
    qreal m_thinnest;
    bool m_detailed;
};
