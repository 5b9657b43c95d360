#include "uiext/guicapoutbar.h"

#include "uiext/guidrawlayer.h"
#include "uiext/guiminitool.h"
#include "uiext/guitoolbutton.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>

GuiCapOutBar::GuiCapOutBar(QWidget *parent)
    : QWidget(parent), m_left(new CGuiMiniTool(this)), m_right(new CGuiMiniTool(this))
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_left->setIconSize(QSize(24, 24));
    m_left->setButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_captionButton = m_left->AddButton(kCaptionButtonId, QIcon());
    QFont font = m_captionButton->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    m_captionButton->setFont(font);
    m_captionButton->setFixedHeight(kHeight - 4);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 6, 2);
    layout->addWidget(m_left);
    layout->addStretch(1);
    layout->addWidget(m_right);

    connect(m_left, &CGuiMiniTool::commandTriggered, this, &GuiCapOutBar::commandTriggered);
    connect(m_right, &CGuiMiniTool::commandTriggered, this, &GuiCapOutBar::commandTriggered);
}

void GuiCapOutBar::setCaption(const QString &title, const QIcon &icon)
{
    m_captionButton->SetCaption(title);
    m_captionButton->setIcon(icon);
    m_captionButton->setToolTip(QString());
    m_captionButton->setAccessibleName(title);
    update();
}

QString GuiCapOutBar::caption() const
{
    return m_captionButton->text();
}

void GuiCapOutBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, GuiDrawLayer::GetRGBColorTabs());
    fill.setColorAt(1, GuiDrawLayer::GetRGBColorFace());
    p.fillRect(rect(), fill);
    p.setPen(GuiDrawLayer::GetRGBColorShadow());
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
}
