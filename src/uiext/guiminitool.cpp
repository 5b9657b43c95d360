#include "guiminitool.h"

#include "guitoolbutton.h"

#include <QBoxLayout>

CGuiMiniTool::CGuiMiniTool(QWidget *parent, Qt::Orientation orientation)
    : QWidget(parent)
    , m_layout(new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this))
    , m_orientation(orientation)
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(orientation == Qt::Horizontal ? 2 : 6);
}

CGuiToolButton *CGuiMiniTool::AddButton(int commandId, const QIcon &icon, const QString &caption,
                                        const QString &toolTip)
{
    auto *button = new CGuiToolButton(commandId, this);
    button->setIcon(icon);
    button->SetCaption(caption);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip.isEmpty() ? caption : toolTip);
    button->setIconSize(m_iconSize);
    button->setToolButtonStyle(m_buttonStyle);
    connect(button, &QToolButton::clicked, this, [this, commandId] { Q_EMIT commandTriggered(commandId); });
    m_layout->addWidget(button, 0, m_orientation == Qt::Horizontal ? Qt::AlignVCenter : Qt::AlignHCenter);
    m_buttons.append(button);
    return button;
}

CGuiToolButton *CGuiMiniTool::GetButton(int commandId) const
{
    for (CGuiToolButton *button : m_buttons) {
        if (button->commandId() == commandId)
            return button;
    }
    return nullptr;
}

void CGuiMiniTool::setIconSize(const QSize &size)
{
    m_iconSize = size;
    for (CGuiToolButton *button : std::as_const(m_buttons))
        button->setIconSize(size);
}

void CGuiMiniTool::setButtonStyle(Qt::ToolButtonStyle style)
{
    m_buttonStyle = style;
    for (CGuiToolButton *button : std::as_const(m_buttons))
        button->setToolButtonStyle(style);
}
