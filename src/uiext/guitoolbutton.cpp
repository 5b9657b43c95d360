#include "uiext/guitoolbutton.h"

#include "uiext/guidrawlayer.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

CGuiToolButton::CGuiToolButton(int commandId, QWidget *parent) : QToolButton(parent), m_commandId(commandId)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

void CGuiToolButton::SetCaption(const QString &caption)
{
    setText(caption);
}

void CGuiToolButton::setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    update();
}

void CGuiToolButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);

    const bool down = isDown() || isChecked() || m_marked;
    const bool hot = isEnabled() && underMouse();
    if (down || hot) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(GuiDrawLayer::GetRGBCaptionXP());
        p.setBrush(down ? GuiDrawLayer::GetRGBPressBXP() : GuiDrawLayer::GetRGBFondoXP());
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(GuiDrawLayer::GetRGBCaptionXP(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
    // Only the icon and text from the style; the panel is ours.
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On | QStyle::State_HasFocus);
    option.rect = rect().adjusted(2, 2, -2, -2);
    p.drawControl(QStyle::CE_ToolButtonLabel, option);
}
