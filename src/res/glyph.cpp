#include "res/glyph.h"

#include "res/glyphcanvas.h"

#include <QTransform>

#include <cmath>
#include <numbers>

namespace {

using C = GlyphCanvas;

// A filled shape whose corners are rounded by a thin outline.
void soft(C &c, const QPainterPath &path, qreal radius = 0.6)
{
    c.fill(path);
    c.line(path, 2 * radius);
}

QPointF polar(qreal cx, qreal cy, qreal r, qreal degrees)
{
    const qreal a = degrees * std::numbers::pi / 180.0;
    return {cx + r * std::cos(a), cy - r * std::sin(a)};
}

// A line arc ending in an arrow head that points along the direction of travel.
void arrowArc(C &c, qreal cx, qreal cy, qreal r, qreal start, qreal span, qreal head)
{
    c.line(C::arc(cx, cy, r, start, span));
    const qreal end = start + span;
    const QPointF tip = polar(cx, cy, r, end);
    const qreal dir = span > 0 ? 1 : -1;
    const QPointF along = polar(0, 0, 1, end + 90 * dir);
    const QPointF across = polar(0, 0, 1, end);
    soft(c, C::polygon({tip + along * head, tip + across * head * 0.95, tip - across * head * 0.95}), 0.4);
}

// A straight arrow from (x1, y1) to (x2, y2), head at the end.
void arrow(C &c, QPointF from, QPointF to, qreal head)
{
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    c.line(C::polyline({from, to - u * head * 0.6}));
    soft(c, C::polygon({to, to - u * head * 1.1 + n * head, to - u * head * 1.1 - n * head}), 0.4);
}

QPainterPath dollar(qreal cx, qreal cy, qreal h)
{
    const qreal w = h * 0.55;
    QPainterPath p;
    p.moveTo(cx + w / 2, cy - h * 0.3);
    p.cubicTo(cx + w * 0.3, cy - h * 0.42, cx - w / 2, cy - h * 0.42, cx - w / 2, cy - h * 0.17);
    p.cubicTo(cx - w / 2, cy + h * 0.02, cx + w / 2, cy - h * 0.02, cx + w / 2, cy + h * 0.17);
    p.cubicTo(cx + w / 2, cy + h * 0.42, cx - w * 0.3, cy + h * 0.42, cx - w / 2, cy + h * 0.3);
    p.moveTo(cx, cy - h / 2);
    p.lineTo(cx, cy + h / 2);
    return p;
}

QPainterPath star(qreal cx, qreal cy, qreal outer, qreal inner, int points)
{
    QPainterPath p;
    for (int i = 0; i < 2 * points; ++i) {
        const QPointF pt = polar(cx, cy, i % 2 ? inner : outer, 90 + i * 180.0 / points);
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

void bank(C &c)
{
    soft(c, C::polygon({{12, 2.5}, {21.5, 7.5}, {2.5, 7.5}}));
    c.cut(C::circle(12, 5.6, 1.1));
    for (qreal x : {4.0, 8.5, 13.0, 17.5})
        c.fill(C::rect(x, 9.8, 2.6, 8.4, 0.5));
    c.fill(C::rect(2.5, 19.3, 19, 2.6, 0.8));
}

void coins(C &c)
{
    if (!c.detailed()) {
        c.fill(C::circle(12, 12, 10));
        c.cutLine(dollar(12, 12, 12.5), 2.2);
        return;
    }
    for (qreal y : {17.6, 13.3, 9.0})
        c.fill(C::rect(2.5, y, 11.5, 3.6, 1.8));
    c.cut(C::circle(16.5, 14.5, 7.0));
    c.fill(C::circle(16.5, 14.5, 5.6));
    c.cutLine(C::circle(16.5, 14.5, 3.5), 1.2);
}

void banknote(C &c)
{
    c.fill(C::rect(1.5, 5.5, 21, 13, 1.8));
    c.cutLine(C::rect(3.8, 7.8, 16.4, 8.4, 1), 1.1);
    c.cut(C::circle(12, 12, 2.9));
    c.fill(C::circle(12, 12, 1.4));
}

void card(C &c)
{
    c.fill(C::rect(1.5, 4.5, 21, 15, 2.2));
    c.cut(C::rect(1.5, 7.8, 21, 3.2));
    c.cut(C::rect(4.5, 14, 6, 2.4, 0.6));
    c.cut(C::rect(12.5, 14, 3, 2.4, 0.6));
}

void piggyBank(C &c)
{
    c.fill(C::ellipse(11.5, 13, 8.5, 6.6));
    c.fill(C::rect(18, 10.2, 3.6, 4.8, 1.2));
    soft(c, C::polygon({{6.5, 8.5}, {8.2, 3.8}, {11.5, 7.2}}));
    c.fill(C::rect(6, 16.5, 3, 5, 1));
    c.fill(C::rect(13.8, 16.5, 3, 5, 1));
    QPainterPath tail;
    tail.moveTo(3.4, 11.8);
    tail.cubicTo(1.6, 11.4, 1.4, 9.2, 2.9, 8.8);
    c.line(tail, 1.3);
    c.cut(C::rect(9.3, 8.1, 5.2, 1.5, 0.75));
    c.cut(C::circle(16.2, 10.9, 0.95));
}

void wallet(C &c)
{
    soft(c, C::polygon({{4, 6.5}, {15.5, 2.2}, {17.2, 6.5}}));
    c.cut(C::rect(2, 6.4, 19, 0.9));
    c.fill(C::rect(2, 7, 19, 14, 2.4));
    c.cut(C::rect(12.5, 10.2, 11, 7.6, 2.6));
    c.fill(C::rect(14, 11.7, 8.5, 4.6, 1.8));
    c.cut(C::circle(17, 14, 1.1));
}

void house(C &c)
{
    c.fill(C::rect(15.6, 3.5, 2.8, 5.5, 0.5));
    soft(c, C::polygon({{12, 2.5}, {22, 11}, {19, 11}, {19, 21.5}, {5, 21.5}, {5, 11}, {2, 11}}));
    c.cut(C::rect(10, 14.5, 4, 7.5, 1));
}

void car(C &c)
{
    soft(c, C::polygon({{5.8, 11}, {8, 5}, {16, 5}, {18.6, 11}}), 0.8);
    c.fill(C::rect(1.5, 10.5, 21, 7.5, 2.2));
    c.cut(C::polygon({{8.4, 10.4}, {9.6, 6.8}, {11.4, 6.8}, {11.4, 10.4}}));
    c.cut(C::polygon({{12.6, 6.8}, {14.6, 6.8}, {16.2, 10.4}, {12.6, 10.4}}));
    for (qreal x : {6.8, 17.2}) {
        c.cut(C::circle(x, 18, 3.4));
        c.fill(C::circle(x, 18, 2.3));
    }
    c.cut(C::rect(19.2, 12.3, 2, 1.6, 0.6));
}

void safe(C &c)
{
    c.fill(C::rect(2.5, 2.5, 19, 17, 2));
    c.fill(C::rect(5, 19, 3.2, 2.8, 0.6));
    c.fill(C::rect(15.8, 19, 3.2, 2.8, 0.6));
    c.cutLine(C::rect(5.2, 5.2, 13.6, 11.6, 1), 1.1);
    c.cutLine(C::circle(12, 11, 3.1), 1.3);
    c.cut(C::circle(12, 11, 0.9));
    c.cut(C::rect(19.5, 8.5, 1.2, 5, 0.6));
}

void lineChart(C &c)
{
    c.line(C::polyline({{3, 3}, {3, 21}, {21, 21}}));
    c.line(C::polyline({{7, 16.5}, {10.5, 12}, {13.5, 14.5}, {18, 8.5}}));
    soft(c, C::polygon({{21, 5}, {20.6, 10.2}, {15.9, 6.6}}), 0.4);
}

void cart(C &c)
{
    soft(c, C::polygon({{6.3, 6}, {21.5, 6}, {19.5, 13.8}, {8.3, 13.8}}), 0.7);
    c.line(C::polyline({{2, 3.5}, {5, 3.5}, {8.3, 17}, {19, 17}}));
    c.fill(C::circle(9.5, 20.3, 1.9));
    c.fill(C::circle(17.5, 20.3, 1.9));
}

void briefcase(C &c)
{
    c.line(C::rect(8.5, 3.2, 7, 6, 1.5));
    c.fill(C::rect(2, 7.5, 20, 13.5, 2));
    c.cut(C::rect(2, 12.3, 20, 1.2));
    c.cut(C::rect(9.8, 10.8, 4.4, 4.2, 1));
    c.fill(C::rect(10.8, 11.8, 2.4, 2.2, 0.5));
}

void gift(C &c)
{
    c.fill(C::rect(2, 7.5, 20, 4, 1));
    c.fill(C::rect(3.5, 12.3, 17, 9.2, 1));
    c.cut(C::rect(10.6, 7.5, 2.8, 14));
    QPainterPath bow;
    bow.moveTo(12, 7);
    bow.cubicTo(9, 1.5, 4.5, 3.5, 7.2, 6.2);
    bow.moveTo(12, 7);
    bow.cubicTo(15, 1.5, 19.5, 3.5, 16.8, 6.2);
    c.line(bow, 1.6);
}

void graduationCap(C &c)
{
    QPainterPath cap;
    cap.moveTo(6, 11.5);
    cap.lineTo(6, 16);
    cap.cubicTo(8, 20, 16, 20, 18, 16);
    cap.lineTo(18, 11.5);
    cap.closeSubpath();
    c.fill(cap);
    const QPainterPath board = C::polygon({{12, 3.5}, {23, 8.8}, {12, 14}, {1, 8.8}});
    c.cutLine(board, 2.2);
    soft(c, board, 0.5);
    c.line(C::polyline({{20.5, 10}, {20.5, 15.5}}), 1.2);
    c.fill(C::rect(19.4, 15, 2.2, 3.6, 0.8));
}

void heart(C &c)
{
    QPainterPath p;
    p.moveTo(12, 21);
    p.cubicTo(4, 15.5, 1.5, 11.5, 2.3, 7.8);
    p.cubicTo(3.3, 3.6, 8.8, 2.6, 12, 7.2);
    p.cubicTo(15.2, 2.6, 20.7, 3.6, 21.7, 7.8);
    p.cubicTo(22.5, 11.5, 20, 15.5, 12, 21);
    c.fill(p);
}

void plane(C &c)
{
    c.rotate(45);
    c.fill(C::rect(10.6, 1.5, 2.8, 20, 1.4));
    soft(c, C::polygon({{12, 8.5}, {22, 14}, {22, 15.8}, {12, 13.2}, {2, 15.8}, {2, 14}}), 0.5);
    soft(c, C::polygon({{12, 18}, {16, 20.6}, {16, 21.8}, {12, 20.6}, {8, 21.8}, {8, 20.6}}), 0.4);
}

void leaf(C &c)
{
    QPainterPath p;
    p.moveTo(4, 20);
    p.cubicTo(2.5, 9, 10, 3, 21, 3);
    p.cubicTo(21, 14, 15, 21, 4, 20);
    c.fill(p);
    QPainterPath vein;
    vein.moveTo(5, 19);
    vein.quadTo(10, 11, 16.5, 7.5);
    c.cutLine(vein, 1.3);
    c.line(C::segment(4.5, 19.5, 2.5, 21.5), 1.6);
}

void umbrella(C &c)
{
    QPainterPath p;
    p.moveTo(2, 12);
    p.arcTo(QRectF(2, 3, 20, 18), 180, -180);
    p.quadTo(19.5, 10.3, 17, 12);
    p.quadTo(14.5, 10.3, 12, 12);
    p.quadTo(9.5, 10.3, 7, 12);
    p.quadTo(4.5, 10.3, 2, 12);
    c.fill(p);
    c.fill(C::rect(11.2, 1.5, 1.6, 2.5, 0.6));
    QPainterPath handle;
    handle.moveTo(12, 11);
    handle.lineTo(12, 18.5);
    handle.cubicTo(12, 21.8, 8, 21.8, 8, 19);
    c.line(handle, 1.8);
}

void phone(C &c)
{
    c.fill(C::rect(6, 2, 12, 20, 2.6));
    c.cut(C::rect(7.8, 5, 8.4, 12.2, 0.6));
    c.cut(C::circle(12, 19.6, 1.05));
    c.cut(C::rect(10.5, 3.1, 3, 0.9, 0.45));
}

void bulb(C &c)
{
    c.fill(C::circle(12, 9.2, 6.8));
    soft(c, C::polygon({{8.6, 13}, {15.4, 13}, {14.8, 16.3}, {9.2, 16.3}}));
    c.fill(C::rect(9, 17.6, 6, 1.8, 0.9));
    c.fill(C::rect(9.6, 20.1, 4.8, 1.8, 0.9));
    QPainterPath shine;
    shine.moveTo(8.3, 9);
    shine.cubicTo(8.3, 7, 9.8, 5.6, 11.6, 5.4);
    c.cutLine(shine, 1.3);
}

void moneyBag(C &c)
{
    QPainterPath body;
    body.moveTo(8.3, 8.5);
    body.cubicTo(1.5, 13, 2.5, 21.5, 12, 21.5);
    body.cubicTo(21.5, 21.5, 22.5, 13, 15.7, 8.5);
    body.closeSubpath();
    c.fill(body);
    soft(c, C::polygon({{7.3, 2.5}, {16.7, 2.5}, {14.4, 6.2}, {9.6, 6.2}}));
    c.fill(C::rect(8.6, 6.8, 6.8, 1.7, 0.85));
    c.cutLine(dollar(12, 15.2, 8.4), 1.5);
}

void goldBars(C &c)
{
    soft(c, C::polygon({{1.8, 20.5}, {3.6, 15.2}, {9.6, 15.2}, {11.4, 20.5}}));
    soft(c, C::polygon({{12.6, 20.5}, {14.4, 15.2}, {20.4, 15.2}, {22.2, 20.5}}));
    soft(c, C::polygon({{7.2, 13.6}, {9, 8.3}, {15, 8.3}, {16.8, 13.6}}));
    soft(c, star(19, 4.5, 3, 0.9, 4), 0.2);
}

void gem(C &c)
{
    soft(c, C::polygon({{6.5, 4}, {17.5, 4}, {22, 9.5}, {12, 21}, {2, 9.5}}), 0.5);
    c.cutLine(C::segment(2, 9.5, 22, 9.5), 1.1);
    c.cutLine(C::polyline({{9.6, 4}, {8, 9.5}, {12, 20.5}, {16, 9.5}, {14.4, 4}}), 1.1);
}

void key(C &c)
{
    c.fill(C::circle(7.8, 7.8, 5.2));
    c.cut(C::circle(6.6, 6.6, 1.8));
    c.line(C::segment(11, 11, 20.5, 20.5), 2.8);
    c.line(C::segment(17.9, 17.9, 20.3, 15.5), 2.5);
    c.line(C::segment(15, 15, 16.9, 13.1), 2.5);
}

void calculator(C &c)
{
    c.fill(C::rect(4.5, 2, 15, 20, 2));
    c.cut(C::rect(7, 4.5, 10, 4, 0.8));
    for (qreal y : {11.0, 14.3, 17.6})
        for (qreal x : {7.0, 10.7, 14.4})
            c.cut(C::rect(x, y, 2.6, 2.4, 0.5));
}

void receipt(C &c)
{
    soft(c,
         C::polygon({{5, 2},
                     {19, 2},
                     {19, 21},
                     {17.25, 19.6},
                     {15.5, 21},
                     {13.75, 19.6},
                     {12, 21},
                     {10.25, 19.6},
                     {8.5, 21},
                     {6.75, 19.6},
                     {5, 21}}),
         0.4);
    c.cutLine(C::segment(8.2, 6.5, 15.8, 6.5), 1.4);
    c.cutLine(C::segment(8.2, 10, 15.8, 10), 1.4);
    c.cutLine(C::segment(8.2, 13.5, 12.5, 13.5), 1.4);
}

void calendar(C &c)
{
    c.fill(C::rect(2.5, 4, 19, 17.5, 2.2));
    c.cut(C::rect(2.5, 8.6, 19, 1.3));
    for (qreal x : {6.4, 15.4}) {
        c.cut(C::rect(x - 0.8, 1.2, 3.8, 6.2, 1.9));
        c.fill(C::rect(x, 2, 2.2, 4.6, 1.1));
    }
    for (qreal y : {11.8, 16.2})
        for (qreal x : {5.8, 10.9, 16.0})
            c.cut(C::rect(x, y, 2.3, 2.3, 0.5));
}

void clock(C &c)
{
    c.fill(C::circle(12, 12, 10));
    c.cutLine(C::polyline({{12, 6.2}, {12, 12}, {16, 14.5}}), 2);
}

void globe(C &c)
{
    c.fill(C::circle(12, 12, 10));
    c.cutLine(C::segment(2, 12, 22, 12), 1.1);
    c.cutLine(C::segment(12, 2, 12, 22), 1.1);
    c.cutLine(C::ellipse(12, 12, 4.6, 10), 1.1);
    c.cutLine(C::segment(3.3, 7, 20.7, 7), 1.1);
    c.cutLine(C::segment(3.3, 17, 20.7, 17), 1.1);
}

void shield(C &c)
{
    QPainterPath p;
    p.moveTo(12, 2);
    p.lineTo(20.5, 5);
    p.lineTo(20.5, 11);
    p.cubicTo(20.5, 16.5, 16.5, 20, 12, 22);
    p.cubicTo(7.5, 20, 3.5, 16.5, 3.5, 11);
    p.lineTo(3.5, 5);
    p.closeSubpath();
    soft(c, p, 0.5);
    c.cutLine(C::polyline({{8, 12}, {11, 15}, {16.3, 9.2}}), 2);
}

void starGlyph(C &c)
{
    soft(c, star(12, 12.8, 10.3, 4.3, 5), 0.8);
}

void trophy(C &c)
{
    QPainterPath handles;
    handles.moveTo(6.5, 5);
    handles.lineTo(3.3, 5);
    handles.cubicTo(3, 9, 4.5, 10.6, 7.3, 11);
    handles.moveTo(17.5, 5);
    handles.lineTo(20.7, 5);
    handles.cubicTo(21, 9, 19.5, 10.6, 16.7, 11);
    c.line(handles, 1.7);
    QPainterPath cup;
    cup.moveTo(6, 3);
    cup.lineTo(18, 3);
    cup.lineTo(18, 8);
    cup.cubicTo(18, 12.5, 15, 14.5, 12, 14.5);
    cup.cubicTo(9, 14.5, 6, 12.5, 6, 8);
    cup.closeSubpath();
    c.fill(cup);
    c.fill(C::rect(10.9, 14, 2.2, 4.2));
    c.fill(C::rect(7.5, 18, 9, 3.2, 1));
}

void crown(C &c)
{
    soft(c, C::polygon({{3, 17.5}, {2, 7.5}, {7.5, 12}, {12, 4.5}, {16.5, 12}, {22, 7.5}, {21, 17.5}}), 0.5);
    c.fill(C::circle(2, 6.6, 1.5));
    c.fill(C::circle(12, 3.6, 1.6));
    c.fill(C::circle(22, 6.6, 1.5));
    c.fill(C::rect(3, 19, 18, 2.8, 1));
}

void anchor(C &c)
{
    c.line(C::circle(12, 4.6, 2.2), 1.8);
    c.line(C::segment(12, 7, 12, 20.5), 2.2);
    c.line(C::segment(8, 10, 16, 10), 2);
    QPainterPath hook;
    hook.moveTo(4, 14.5);
    hook.cubicTo(4.5, 19, 8, 21, 12, 21);
    hook.cubicTo(16, 21, 19.5, 19, 20, 14.5);
    c.line(hook, 2.2);
    soft(c, C::polygon({{1.6, 15.8}, {4, 12}, {6.5, 15}}), 0.4);
    soft(c, C::polygon({{22.4, 15.8}, {20, 12}, {17.5, 15}}), 0.4);
}

void bicycle(C &c)
{
    c.line(C::circle(5.6, 15.6, 4.2), 1.7);
    c.line(C::circle(18.4, 15.6, 4.2), 1.7);
    c.line(C::polyline({{5.6, 15.6}, {9.5, 8.6}, {11.8, 15.6}, {5.6, 15.6}}), 1.6);
    c.line(C::polyline({{9.5, 8.6}, {16.2, 8.6}, {11.8, 15.6}}), 1.6);
    c.line(C::polyline({{18.4, 15.6}, {15.6, 6}, {18, 6}}), 1.6);
    c.line(C::segment(7.8, 7.8, 11.2, 7.8), 1.8);
}

void bus(C &c)
{
    c.fill(C::rect(3.5, 2.5, 17, 16.5, 2.6));
    c.cut(C::rect(5.5, 5.2, 13, 6.3, 1));
    c.cut(C::circle(7.2, 15, 1.3));
    c.cut(C::circle(16.8, 15, 1.3));
    c.fill(C::rect(5, 18, 3.6, 3.8, 1));
    c.fill(C::rect(15.4, 18, 3.6, 3.8, 1));
}

void fuelPump(C &c)
{
    c.fill(C::rect(3, 3, 11, 17.5, 1.6));
    c.fill(C::rect(2, 19.5, 13, 2.5, 0.6));
    c.cut(C::rect(5, 5.5, 7, 5, 0.8));
    QPainterPath hose;
    hose.moveTo(14, 9);
    hose.lineTo(17.5, 11.2);
    hose.lineTo(17.5, 17.5);
    hose.cubicTo(17.5, 19.8, 20.6, 19.8, 20.6, 17.5);
    hose.lineTo(20.6, 7.2);
    hose.lineTo(18.4, 4.6);
    c.line(hose, 1.6);
}

void wrench(C &c)
{
    c.rotate(-45);
    c.fill(C::circle(12, 6.3, 5.2));
    c.fill(C::rect(10.4, 8, 3.2, 14, 1.6));
    c.cut(C::rect(10.5, 0, 3, 6.4, 0.6));
}

void medical(C &c)
{
    c.fill(C::rect(8.8, 3, 6.4, 18, 1.4));
    c.fill(C::rect(3, 8.8, 18, 6.4, 1.4));
}

void pill(C &c)
{
    c.rotate(-45);
    c.fill(C::rect(2.5, 8.2, 19, 7.6, 3.8));
    c.cut(C::rect(12.8, 9.7, 7.2, 4.6, 2.3));
}

void paw(C &c)
{
    c.fill(C::ellipse(12, 16.2, 5, 4.3));
    c.fill(C::ellipse(5.3, 10.8, 2, 2.5));
    c.fill(C::ellipse(9.5, 6.3, 2.1, 2.7));
    c.fill(C::ellipse(14.5, 6.3, 2.1, 2.7));
    c.fill(C::ellipse(18.7, 10.8, 2, 2.5));
}

void dining(C &c)
{
    for (qreal x : {4.8, 7.0, 9.2})
        c.line(C::segment(x, 2.8, x, 7.5), 1.2);
    c.fill(C::rect(4.2, 7, 5.6, 4.2, 2.1));
    c.fill(C::rect(6.1, 9.5, 1.8, 12, 0.9));
    QPainterPath blade;
    blade.moveTo(15.2, 13.5);
    blade.lineTo(15.2, 2.5);
    blade.cubicTo(18.4, 3.6, 19.5, 8, 19.4, 13.5);
    blade.closeSubpath();
    soft(c, blade, 0.4);
    c.fill(C::rect(15.2, 12.5, 2.6, 9, 1.3));
}

void coffee(C &c)
{
    QPainterPath handle;
    handle.moveTo(16.3, 11.3);
    handle.cubicTo(21.5, 10.3, 21.5, 17, 15.6, 16.5);
    c.line(handle, 1.8);
    QPainterPath cup;
    cup.moveTo(3.5, 9);
    cup.lineTo(17, 9);
    cup.lineTo(16, 18);
    cup.cubicTo(15.8, 20, 14.5, 21, 13, 21);
    cup.lineTo(7.5, 21);
    cup.cubicTo(6, 21, 4.7, 20, 4.5, 18);
    cup.closeSubpath();
    c.fill(cup);
    for (qreal x : {8.2, 12.4}) {
        QPainterPath steam;
        steam.moveTo(x, 6.6);
        steam.cubicTo(x - 1.3, 5.4, x + 1.3, 4, x, 2.6);
        c.line(steam, 1.3);
    }
}

void shoppingBag(C &c)
{
    QPainterPath handle;
    handle.moveTo(8.5, 9);
    handle.lineTo(8.5, 6.5);
    handle.cubicTo(8.5, 1.8, 15.5, 1.8, 15.5, 6.5);
    handle.lineTo(15.5, 9);
    c.line(handle, 1.8);
    soft(c, C::polygon({{4.3, 7.5}, {19.7, 7.5}, {20.7, 21.3}, {3.3, 21.3}}), 0.7);
    c.cut(C::circle(8.5, 10.3, 1.1));
    c.cut(C::circle(15.5, 10.3, 1.1));
}

void shirt(C &c)
{
    soft(c,
         C::polygon({{8.5, 3},
                     {15.5, 3},
                     {21.2, 6},
                     {22.5, 11},
                     {18.8, 12.2},
                     {18, 10.2},
                     {18, 21},
                     {6, 21},
                     {6, 10.2},
                     {5.2, 12.2},
                     {1.5, 11},
                     {2.8, 6}}),
         0.7);
    c.cut(C::ellipse(12, 2.6, 3.6, 2.6));
}

void laptop(C &c)
{
    c.fill(C::rect(4, 4, 16, 11.5, 1.8));
    c.cut(C::rect(6.2, 6.2, 11.6, 7.1, 0.5));
    soft(c, C::polygon({{1.8, 17}, {22.2, 17}, {20.8, 20}, {3.2, 20}}), 0.6);
    c.cut(C::rect(10, 16.4, 4, 1.2, 0.6));
}

void monitor(C &c)
{
    c.fill(C::rect(2, 3, 20, 14.5, 1.8));
    c.cut(C::rect(4.3, 5.3, 15.4, 9.9, 0.5));
    c.fill(C::rect(10.5, 16.5, 3, 3));
    c.fill(C::rect(7, 19.3, 10, 2.2, 1.1));
}

void camera(C &c)
{
    soft(c, C::polygon({{7.5, 7}, {9, 4}, {15, 4}, {16.5, 7}}), 0.6);
    c.fill(C::rect(2, 6.5, 20, 14, 2.2));
    c.cut(C::circle(12, 13.5, 4.7));
    c.fill(C::circle(12, 13.5, 3.1));
    c.cut(C::rect(17.4, 8.8, 2.6, 1.6, 0.6));
}

void music(C &c)
{
    c.fill(C::ellipse(7.2, 18.2, 3.3, 2.6));
    c.fill(C::ellipse(17.6, 16.2, 3.3, 2.6));
    c.fill(C::rect(8.9, 5, 1.8, 13.3));
    c.fill(C::rect(19.3, 3, 1.8, 13.3));
    soft(c, C::polygon({{8.9, 5}, {21.1, 2}, {21.1, 5.4}, {8.9, 8.4}}), 0.3);
}

void book(C &c)
{
    QPainterPath left;
    left.moveTo(12, 6);
    left.cubicTo(9, 4, 5, 3.5, 1.8, 4.4);
    left.lineTo(1.8, 19.4);
    left.cubicTo(5, 18.5, 9, 19, 12, 21);
    left.closeSubpath();
    c.fill(left);
    c.fill(QTransform::fromScale(-1, 1).translate(-24, 0).map(left));
    c.cutLine(C::segment(12, 5.6, 12, 21.5), 1.1);
}

void ticket(C &c)
{
    c.rotate(-20);
    c.fill(C::rect(2, 6.5, 20, 11, 1.2));
    c.cut(C::circle(2, 12, 2.3));
    c.cut(C::circle(22, 12, 2.3));
    for (qreal y = 7.6; y < 17; y += 2.2)
        c.cut(C::rect(15, y, 1.1, 1.1, 0.3));
}

void gamepad(C &c)
{
    c.fill(C::rect(2, 7, 20, 10, 5));
    c.fill(C::circle(6.2, 15.6, 4));
    c.fill(C::circle(17.8, 15.6, 4));
    c.cut(C::rect(4.7, 11.2, 5, 1.6, 0.4));
    c.cut(C::rect(6.4, 9.5, 1.6, 5, 0.4));
    c.cut(C::circle(16.3, 10.8, 1.15));
    c.cut(C::circle(18.7, 13.2, 1.15));
}

void dumbbell(C &c)
{
    c.fill(C::rect(5, 11, 14, 2));
    c.fill(C::rect(4.3, 6, 3.2, 12, 1));
    c.fill(C::rect(16.5, 6, 3.2, 12, 1));
    c.fill(C::rect(1.5, 8.2, 2.4, 7.6, 1));
    c.fill(C::rect(20.1, 8.2, 2.4, 7.6, 1));
}

void tree(C &c)
{
    soft(c,
         C::polygon({{12, 2},
                     {18, 8.8},
                     {15.5, 8.8},
                     {20, 14.5},
                     {17, 14.5},
                     {21.5, 19},
                     {2.5, 19},
                     {7, 14.5},
                     {4, 14.5},
                     {8.5, 8.8},
                     {6, 8.8}}),
         0.6);
    c.fill(C::rect(10.5, 18.5, 3, 3.5, 0.5));
}

void sun(C &c)
{
    c.fill(C::circle(12, 12, 4.8));
    for (int i = 0; i < 8; ++i)
        c.line(C::polyline({polar(12, 12, 7.4, i * 45), polar(12, 12, 10, i * 45)}), 1.9);
}

void drop(C &c)
{
    QPainterPath p;
    p.moveTo(12, 2);
    p.cubicTo(12, 2, 4.2, 10.5, 4.2, 14.8);
    p.cubicTo(4.2, 19.3, 7.7, 22, 12, 22);
    p.cubicTo(16.3, 22, 19.8, 19.3, 19.8, 14.8);
    p.cubicTo(19.8, 10.5, 12, 2, 12, 2);
    c.fill(p);
    QPainterPath shine;
    shine.moveTo(8.2, 14.8);
    shine.cubicTo(8.2, 17.2, 9.6, 18.6, 11.2, 18.9);
    c.cutLine(shine, 1.4);
}

void flame(C &c)
{
    QPainterPath p;
    p.moveTo(12, 2);
    p.cubicTo(13, 6.5, 19, 9, 19, 15);
    p.cubicTo(19, 19, 16, 22, 12, 22);
    p.cubicTo(8, 22, 5, 19, 5, 15);
    p.cubicTo(5, 11.5, 7.2, 9.5, 8.4, 7.5);
    p.cubicTo(9.2, 9.6, 10.2, 10.8, 11, 11);
    p.cubicTo(11.6, 8, 12.2, 5, 12, 2);
    c.fill(p);
    QPainterPath inner;
    inner.moveTo(12, 12.8);
    inner.cubicTo(14, 15.8, 15.3, 16.8, 15.3, 18.4);
    inner.cubicTo(15.3, 20.2, 13.8, 21, 12, 21);
    inner.cubicTo(10.2, 21, 8.7, 20.2, 8.7, 18.4);
    inner.cubicTo(8.7, 16.8, 10.5, 15.5, 12, 12.8);
    c.cut(inner);
}

void bolt(C &c)
{
    soft(c, C::polygon({{14, 1.8}, {4.8, 13.5}, {11, 13.5}, {9.5, 22.2}, {19.2, 9.8}, {13, 9.8}, {15.6, 1.8}}), 0.5);
}

void wifi(C &c)
{
    for (qreal r : {4.6, 9.2, 13.6})
        c.line(C::arc(12, 20, r, 45, 90), 2.2);
    c.fill(C::circle(12, 20, 1.8));
}

void envelope(C &c)
{
    c.fill(C::rect(2, 5, 20, 14, 1.6));
    c.cutLine(C::polyline({{2.6, 6.2}, {12, 13.2}, {21.4, 6.2}}), 1.5);
}

void office(C &c)
{
    c.fill(C::rect(5, 2, 14, 20, 1));
    for (qreal y : {4.5, 8.5, 12.5})
        for (qreal x : {7.6, 13.4})
            c.cut(C::rect(x, y, 3, 2.3, 0.4));
    c.cut(C::rect(10.3, 17, 3.4, 5));
}

void percent(C &c)
{
    c.line(C::circle(6.8, 6.8, 3), 2);
    c.line(C::circle(17.2, 17.2, 3), 2);
    c.line(C::segment(18.5, 4, 5.5, 20), 2.2);
}

void scales(C &c)
{
    c.line(C::segment(12, 4, 12, 19.5), 1.8);
    c.fill(C::rect(7, 19.3, 10, 2.4, 1.1));
    c.line(C::segment(4.5, 6.5, 19.5, 6.5), 1.8);
    c.fill(C::circle(12, 4, 1.6));
    for (qreal x : {4.5, 19.5}) {
        c.line(C::polyline({{x - 2.6, 13}, {x, 6.5}, {x + 2.6, 13}}), 1.1);
        QPainterPath pan;
        pan.moveTo(x - 3.4, 13);
        pan.lineTo(x + 3.4, 13);
        pan.cubicTo(x + 3.4, 16.4, x - 3.4, 16.4, x - 3.4, 13);
        c.fill(pan);
    }
}

void padlock(C &c)
{
    QPainterPath shackle;
    shackle.moveTo(7.5, 11);
    shackle.lineTo(7.5, 7.5);
    shackle.cubicTo(7.5, 1.7, 16.5, 1.7, 16.5, 7.5);
    shackle.lineTo(16.5, 11);
    c.line(shackle, 2.4);
    c.fill(C::rect(4.5, 10, 15, 11.5, 2));
    c.cut(C::circle(12, 14.6, 1.7));
    c.cut(C::rect(11.3, 15, 1.4, 3.6, 0.5));
}

void people(C &c)
{
    QPainterPath back;
    back.moveTo(11, 19.5);
    back.cubicTo(11, 14.2, 13, 12.5, 16.3, 12.5);
    back.cubicTo(19.6, 12.5, 21.8, 14.2, 21.8, 19.5);
    back.closeSubpath();
    c.fill(back, 0.7);
    c.fill(C::circle(16.3, 7.6, 3.2), 0.7);
    QPainterPath front;
    front.moveTo(2.2, 21);
    front.cubicTo(2.2, 15.3, 4.7, 13.6, 8.8, 13.6);
    front.cubicTo(12.9, 13.6, 15.4, 15.3, 15.4, 21);
    front.closeSubpath();
    const QPainterPath head = C::circle(8.8, 8.6, 3.7);
    c.cutLine(front, 2.4);
    c.cutLine(head, 2.4);
    c.fill(front);
    c.fill(head);
}

void bell(C &c)
{
    QPainterPath p;
    p.moveTo(12, 3);
    p.cubicTo(16.5, 3, 18, 6.5, 18, 10.5);
    p.lineTo(18, 14.8);
    p.lineTo(20.6, 18);
    p.lineTo(3.4, 18);
    p.lineTo(6, 14.8);
    p.lineTo(6, 10.5);
    p.cubicTo(6, 6.5, 7.5, 3, 12, 3);
    soft(c, p, 0.5);
    c.fill(C::circle(12, 20.2, 2));
    c.fill(C::circle(12, 2.8, 1.3));
}

void transfer(C &c)
{
    arrow(c, {3.5, 7.5}, {21, 7.5}, 3.4);
    arrow(c, {20.5, 16.5}, {3, 16.5}, 3.4);
}

void ledger(C &c)
{
    for (qreal y : {5.0, 12.0, 19.0}) {
        c.fill(C::circle(4.5, y, 2));
        c.line(C::segment(9, y, 20.5, y), 2.4);
    }
}

void hierarchy(C &c)
{
    c.line(C::polyline({{12, 7}, {12, 12}}), 1.6);
    c.line(C::polyline({{5.5, 16.5}, {5.5, 12}, {18.5, 12}, {18.5, 16.5}}), 1.6);
    c.fill(C::rect(8.5, 2.5, 7, 5.5, 1.2));
    c.fill(C::rect(2, 16, 7, 5.5, 1.2));
    c.fill(C::rect(15, 16, 7, 5.5, 1.2));
}

void barChart(C &c)
{
    c.fill(C::rect(3.5, 12, 4.4, 9.5, 1));
    c.fill(C::rect(9.8, 7, 4.4, 14.5, 1));
    c.fill(C::rect(16.1, 2.5, 4.4, 19, 1));
}

void pencil(C &c)
{
    c.rotate(45);
    c.fill(C::rect(9.4, 0.8, 5.2, 3.6, 1.2));
    c.fill(C::rect(9.4, 5.4, 5.2, 11.6));
    soft(c, C::polygon({{9.4, 18}, {14.6, 18}, {12, 22.4}}), 0.4);
}

void trash(C &c)
{
    c.fill(C::rect(9, 2, 6, 3.4, 1));
    c.fill(C::rect(3.2, 4.6, 17.6, 2.6, 1.2));
    soft(c, C::polygon({{5.2, 8.6}, {18.8, 8.6}, {17.6, 21.4}, {6.4, 21.4}}), 0.7);
    for (qreal x : {9.3, 12.0, 14.7})
        c.cutLine(C::segment(x, 11.2, x, 18.8), 1.3);
}

// A sheet of paper with a folded corner; marks go inside x 6..18, y 9.5..20.5.
void sheet(C &c)
{
    soft(c, C::polygon({{3.8, 1.5}, {14.2, 1.5}, {20.2, 7.5}, {20.2, 22.5}, {3.8, 22.5}}), 0.5);
    c.cutLine(C::polyline({{14.2, 1.5}, {14.2, 7.5}, {20.2, 7.5}}), 1.1);
}

// A file format's mark, laid out about the grid's centre at full size: cut into a
// sheet when there is room, else drawn alone. `fit` shrinks it further.
void fileMark(C &c, const QPainterPath &mark, qreal width, qreal fit = 1.0)
{
    const bool onSheet = c.detailed();
    const qreal scale = fit * (onSheet ? 0.62 : 1.0);
    QTransform t;
    t.translate(12, onSheet ? 15 : 12);
    t.scale(scale, scale);
    t.translate(-12, -12);
    if (onSheet) {
        sheet(c);
        c.cutLine(t.map(mark), width * 0.75);
    } else {
        c.line(t.map(mark), width);
    }
}

void lettersMark(C &c, const QString &text)
{
    const qreal h = 10.5;
    const qreal w = C::lettersWidth(text, h);
    fileMark(c, C::letters(text, 12 - w / 2, 12 - h / 2, h), 2.4, std::min(1.0, 21 / w));
}

void spreadsheet(C &c)
{
    QPainterPath grid = C::rect(3, 4, 18, 16, 1.2);
    grid.addPath(C::segment(3, 9.3, 21, 9.3));
    grid.addPath(C::segment(3, 14.6, 21, 14.6));
    grid.addPath(C::segment(9.5, 4, 9.5, 20));
    fileMark(c, grid, 2.2);
}

void wordDocument(C &c)
{
    lettersMark(c, QStringLiteral("W"));
}

void htmlDocument(C &c)
{
    QPainterPath code = C::polyline({{7.5, 6}, {2.5, 12}, {7.5, 18}});
    code.addPath(C::polyline({{16.5, 6}, {21.5, 12}, {16.5, 18}}));
    code.addPath(C::segment(13.8, 4.5, 10.2, 19.5));
    fileMark(c, code, 2.4);
}

void printer(C &c)
{
    c.fill(C::rect(6.5, 2.5, 11, 5, 0.6));
    c.fill(C::rect(2, 8.3, 20, 9.7, 2));
    c.cut(C::rect(5.4, 13.2, 13.2, 10));
    c.fill(C::rect(6.8, 14.4, 10.4, 7.6, 0.5));
    c.cutLine(C::segment(9, 17.2, 15, 17.2), 1.1);
    c.cutLine(C::segment(9, 19.5, 13, 19.5), 1.1);
    c.cut(C::circle(18.6, 11, 0.95));
}

void refresh(C &c)
{
    arrowArc(c, 12, 12, 7.4, 70, 290, 3.4);
}

void sync(C &c)
{
    arrowArc(c, 12, 12, 7.6, 20, 135, 3.2);
    arrowArc(c, 12, 12, 7.6, 200, 135, 3.2);
}

void gear(C &c)
{
    c.fill(C::circle(12, 12, 7.4));
    const QPainterPath tooth = C::rect(10.2, 1.6, 3.6, 4.4, 0.7);
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(12, 12);
        t.rotate(i * 45);
        t.translate(-12, -12);
        c.fill(t.map(tooth));
    }
    c.cut(C::circle(12, 12, 3.1));
}

void folder(C &c)
{
    c.fill(C::rect(2, 3.5, 8.5, 5, 1.4));
    c.fill(C::rect(2, 6, 20, 15, 1.8));
    c.cut(C::rect(2, 8.7, 20, 1.2));
}

void help(C &c)
{
    c.fill(C::circle(12, 12, 10));
    QPainterPath q;
    q.moveTo(8.7, 9.2);
    q.cubicTo(8.7, 5.2, 15.3, 5.2, 15.3, 9.2);
    q.cubicTo(15.3, 12, 12, 11.9, 12, 14.6);
    c.cutLine(q, 2.3);
    c.cut(C::circle(12, 17.9, 1.45));
}

void info(C &c)
{
    c.fill(C::circle(12, 12, 10));
    c.cut(C::circle(12, 7, 1.6));
    c.cut(C::rect(10.75, 10, 2.5, 8.2, 1.25));
}

void tag(C &c)
{
    soft(c, C::polygon({{2.5, 2.5}, {12, 2.5}, {21.5, 12}, {12, 21.5}, {2.5, 12}}), 1);
    c.cut(C::circle(7.4, 7.4, 1.9));
}

void textLines(C &c)
{
    c.line(C::segment(3.5, 5, 20.5, 5), 2.4);
    c.line(C::segment(3.5, 10, 16, 10), 2.4);
    c.line(C::segment(3.5, 15, 20.5, 15), 2.4);
    c.line(C::segment(3.5, 20, 12, 20), 2.4);
}

void hash(C &c)
{
    c.line(C::segment(9.5, 3, 7.5, 21), 2.2);
    c.line(C::segment(16.5, 3, 14.5, 21), 2.2);
    c.line(C::segment(3.5, 8.5, 21, 8.5), 2.2);
    c.line(C::segment(3, 15.5, 20.5, 15.5), 2.2);
}

// Two coins, the front one carrying a florin sign: money, and the program's initial.
void appMark(C &c)
{
    c.fill(C::circle(15, 9, 7), QColor(0xF2, 0xC1, 0x4E));
    c.cut(C::circle(10.5, 13.5, 9.4));
    c.fill(C::circle(10.5, 13.5, 8.3));
    QPainterPath florin;
    florin.moveTo(14.2, 8.2);
    florin.cubicTo(12.6, 6.9, 10.7, 7.6, 10.4, 10);
    florin.lineTo(9.8, 17);
    florin.cubicTo(9.5, 19.6, 7.7, 20.2, 6.3, 19.1);
    florin.moveTo(7.4, 12.6);
    florin.lineTo(13.4, 12.6);
    c.cutLine(florin, 2.1);
}

} // namespace

void paintGlyph(Glyph glyph, GlyphCanvas &canvas)
{
    using Painter = void (*)(C &);
    static constexpr Painter painters[] = {
        bank,
        coins,
        banknote,
        card,
        piggyBank,
        wallet,
        house,
        car,
        safe,
        lineChart,
        cart,
        briefcase,
        gift,
        graduationCap,
        heart,
        plane,
        leaf,
        umbrella,
        phone,
        bulb,
        moneyBag,
        goldBars,
        gem,
        key,
        calculator,
        receipt,
        calendar,
        clock,
        globe,
        shield,
        starGlyph,
        trophy,
        crown,
        anchor,
        bicycle,
        bus,
        fuelPump,
        wrench,
        medical,
        pill,
        paw,
        dining,
        coffee,
        shoppingBag,
        shirt,
        laptop,
        monitor,
        camera,
        music,
        book,
        ticket,
        gamepad,
        dumbbell,
        tree,
        sun,
        drop,
        flame,
        bolt,
        wifi,
        envelope,
        office,
        percent,
        scales,
        padlock,
        people,
        bell,

        transfer,
        ledger,
        hierarchy,
        barChart,
        pencil,
        trash,
        spreadsheet,
        wordDocument,
        htmlDocument,
        [](C &c) {
        lettersMark(c, QStringLiteral("PDF"));
        },
        [](C &c) {
        lettersMark(c, QStringLiteral("TXT"));
    },
                             [](C &c) { lettersMark(c, QStringLiteral("CSV")); }, printer, refresh, sync, gear, folder,
                             help, info, tag, textLines, hash, appMark,
                             };
    static_assert(std::size(painters) == size_t(Glyph::AppMark) + 1);
    painters[int(glyph)](canvas);
}
