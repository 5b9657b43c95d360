#include "uiext/flatframepainter.h"

#include "uiext/guidrawlayer.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QWidget>

namespace {

void frame(QPainter &p, const QRect &r, const QColor &colour)
{
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

QRect FlatFramePainter::buttonRect(const QRect &rect, int buttonLeft)
{
    const QRect inner = rect.adjusted(kRings - 1, kRings - 1, -(kRings - 1), -(kRings - 1));
    const int left = qBound(inner.left(), buttonLeft, inner.right());
    return QRect(QPoint(left, inner.top()), inner.bottomRight());
}

QRect FlatFramePainter::buttonRect(const QWidget *widget)
{
    QStyleOptionComboBox option;
    option.initFrom(widget);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = widget->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, widget);
    return buttonRect(widget->rect(), arrow.isValid() ? arrow.left() : widget->width() - 20);
}

int FlatFramePainter::minimumHeight(const QWidget *widget)
{
    return widget->fontMetrics().height() + 2 * kRings + 4;
}

QSize FlatFramePainter::fitHeight(const QSize &hint, const QWidget *widget)
{
    return QSize(hint.width(), qMax(hint.height(), minimumHeight(widget)));
}

void FlatFramePainter::placeEditor(QWidget *editor, const QWidget *owner)
{
    editor->setGeometry(editorRect(owner->rect(), buttonRect(owner)));
}

bool FlatFramePainter::movesEditor(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::Show:
        return true;
    default:
        return false;
    }
}

QRect FlatFramePainter::editorRect(const QRect &rect, const QRect &button)
{
    const QRect inside = rect.adjusted(kRings, kRings, -kRings, -kRings);
    return QRect(QPoint(inside.left(), inside.top()), QPoint(button.left() - 1, inside.bottom()));
}

void FlatFramePainter::draw(QPainter &p, const QRect &rect, const QRect &button, int state, bool enabled,
                            const QColor &base)
{
    const QColor face = GuiDrawLayer::GetRGBColorFace();
    const QColor caption = GuiDrawLayer::GetRGBCaptionXP();

    p.save();
    p.fillRect(rect.adjusted(kRings, kRings, -kRings, -kRings), base);

    QRect r = rect;
    frame(p, r, face);
    r.adjust(1, 1, -1, -1);
    const bool active = state == Hot || state == Pressed;
    frame(p, r, enabled ? GuiDrawLayer::GetRGBPressBXP() : GuiDrawLayer::GetRGBColorBTNHigh());
    frame(p, r, active ? caption : face);
    r.adjust(1, 1, -1, -1);
    frame(p, r, face);
    r.adjust(1, 1, -1, -1);
    frame(p, r, caption);

    if (active) {
        p.fillRect(button, state == Hot ? GuiDrawLayer::GetRGBFondoXP() : GuiDrawLayer::GetRGBPressBXP());
        frame(p, button, caption);
    } else {
        const QRect shifted = button.adjusted(2, 0, 0, 0);
        p.fillRect(shifted, face);
        frame(p, shifted.adjusted(0, 1, -1, -1), GuiDrawLayer::GetRGBColorBTNHigh());
    }
    drawGlyph(p, button, enabled ? GuiDrawLayer::textColor() : GuiDrawLayer::GetRGBColorShadow());
    p.restore();
}

void FlatFramePainter::drawGlyph(QPainter &p, const QRect &button, const QColor &colour)
{
    const int height = (kGlyphWidth + 1) / 2;
    const int x = button.left() + (button.width() - kGlyphWidth + 1) / 2;
    const int y = button.top() + (button.height() - height) / 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    // Rows of 9, 7, 5, 3 and 1 pixels.
    for (int row = 0; row < height; ++row)
        p.drawRect(x + row, y + row, kGlyphWidth - 2 * row, 1);
    p.restore();
}
