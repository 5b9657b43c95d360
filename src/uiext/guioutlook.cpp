#include "uiext/guioutlook.h"

#include "uiext/guidrawlayer.h"
#include "uiext/guiminitool.h"
#include "uiext/guitoolbutton.h"

#include <QVBoxLayout>

CGuiOutLook::CGuiOutLook(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, GuiDrawLayer::GetRGBColorTabs());
    page->setPalette(palette);

    m_items = new CGuiMiniTool(page, Qt::Vertical);
    m_items->setIconSize(QSize(32, 32));
    m_items->setButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 10, 6, 10);
    layout->addWidget(m_items, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    setWidget(page);

    connect(m_items, &CGuiMiniTool::commandTriggered, this, &CGuiOutLook::commandTriggered);
}

CGuiToolButton *CGuiOutLook::AddItem(int commandId, const QString &text, const QIcon &icon)
{
    CGuiToolButton *button = m_items->AddButton(commandId, icon, text);
    button->setMinimumWidth(88);
    return button;
}

CGuiToolButton *CGuiOutLook::item(int commandId) const
{
    return m_items->GetButton(commandId);
}

QList<CGuiToolButton *> CGuiOutLook::items() const
{
    return m_items->buttons();
}
