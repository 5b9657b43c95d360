#include "uiext/guiminitool.h"

#include "uiext/guitoolbutton.h"

#include <QBoxLayout>
#include <QKeyEvent>

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
    button->installEventFilter(this);
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

bool CGuiMiniTool::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *button = qobject_cast<CGuiToolButton *>(watched);
    const qsizetype at = m_buttons.indexOf(button);
    if (at < 0)
        return false;
    // The arrows of the strip's direction move along it; Enter presses as Space does.
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool vertical = m_orientation == Qt::Vertical;
    int step = 0;
    if (key == (vertical ? Qt::Key_Down : Qt::Key_Right))
        step = 1;
    else if (key == (vertical ? Qt::Key_Up : Qt::Key_Left))
        step = -1;
    if (step != 0) {
        for (qsizetype i = at + step; i >= 0 && i < m_buttons.size(); i += step) {
            if (m_buttons[i]->isEnabled() && m_buttons[i]->isVisible()) {
                m_buttons[i]->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)
        return true; // across the strip there is nowhere to go
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        button->click();
        return true;
    }
    return false;
}
