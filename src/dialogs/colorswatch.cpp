#include "dialogs/colorswatch.h"

#include "uiext/colorref.h"
#include "uiext/guidrawlayer.h"

#include <QPainter>

CColorSwatch::CColorSwatch(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void CColorSwatch::setColour(quint32 colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
    Q_EMIT colourChanged(colour);
}

QSize CColorSwatch::sizeHint() const
{
    return QSize(56, 22);
}

void CColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool active = hasFocus() || underMouse();
    const QColor frame = active ? GuiDrawLayer::GetRGBCaptionXP() : GuiDrawLayer::GetRGBColorShadow();
    p.fillRect(rect(), frame);
    p.fillRect(rect().adjusted(1, 1, -1, -1), GuiDrawLayer::GetRGBColorBTNHigh());
    p.fillRect(rect().adjusted(3, 3, -3, -3), fromColorRef(m_colour));
    if (active) {
        p.setPen(GuiDrawLayer::GetRGBCaptionXP());
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}
