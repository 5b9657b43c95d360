#include "uiext/guifolder.h"

#include <algorithm>

#include "uiext/guidrawlayer.h"
#include "uiext/guioutlook.h"

#include <QAbstractButton>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// A folder's title bar.
class FolderTitle : public QAbstractButton
{
public:
    explicit FolderTitle(const QString &title, QWidget *parent) : QAbstractButton(parent)
    {
        setText(title);
        setAccessibleName(title);
        setAttribute(Qt::WA_Hover);
        setFocusPolicy(Qt::TabFocus);
        QFont f = font();
        f.setBold(true);
        setFont(f);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        return QSize(fontMetrics().horizontalAdvance(text()) + 24, fontMetrics().height() + 12);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const bool hot = underMouse() || hasFocus();
        const QColor top = hot ? GuiDrawLayer::GetRGBColorBTNHigh() : GuiDrawLayer::GetRGBColorTabs();
        const QColor bottom = isDown() ? GuiDrawLayer::GetRGBPressBXP()
                              : hot    ? GuiDrawLayer::GetRGBFondoXP()
                                       : GuiDrawLayer::GetRGBColorFace();
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, top);
        fill.setColorAt(1, bottom);
        p.fillRect(rect(), fill);
        p.setPen(GuiDrawLayer::GetRGBColorShadow());
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
        p.setPen(GuiDrawLayer::GetRGBColorBTNHigh());
        p.drawLine(0, 0, width() - 1, 0);
        p.setPen(GuiDrawLayer::textColor());
        p.drawText(rect().adjusted(10, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   fontMetrics().elidedText(text(), Qt::ElideRight, width() - 16));
    }
};

} // namespace

CGuiFolder::CGuiFolder(QWidget *parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
}

int CGuiFolder::AddFolder(const QString &title, CGuiOutLook *panel)
{
    const int index = int(m_folders.size());
    auto *button = new FolderTitle(title, this);
    panel->setParent(this);
    panel->hide();
    // Before the stretch that keeps the titles at the bottom while no panel is open.
    const int at = m_layout->count() - 1;
    m_layout->insertWidget(at, button);
    m_layout->insertWidget(at + 1, panel, 1);
    m_folders.append({button, panel});
    connect(button, &QAbstractButton::clicked, this, [this, index] { SelectFolder(index); });
    connect(panel, &CGuiOutLook::commandTriggered, this, &CGuiFolder::commandTriggered);
    if (m_current < 0)
        SelectFolder(index);
    return index;
}

void CGuiFolder::SelectFolder(int index)
{
    if (index < 0 || index >= m_folders.size() || index == m_current)
        return;
    for (int i = 0; i < m_folders.size(); ++i)
        m_folders[i].panel->setVisible(i == index);
    // With a panel open it takes the room; the stretch is needed only without one.
    m_layout->setStretch(m_layout->count() - 1, 0);
    m_current = index;
    Q_EMIT folderChanged(index);
}

CGuiOutLook *CGuiFolder::panel(int index) const
{
    return index >= 0 && index < m_folders.size() ? m_folders[index].panel : nullptr;
}

QAbstractButton *CGuiFolder::titleButton(int index) const
{
    return index >= 0 && index < m_folders.size() ? m_folders[index].title : nullptr;
}

QSize CGuiFolder::minimumSizeHint() const
{
    // Room for every title and for the tallest panel's items, so that no
    // button of any folder is ever out of sight.
    QSize size = QWidget::minimumSizeHint();
    int titles = 0, panel = 0;
    for (const Folder &folder : m_folders) {
        titles += folder.title->sizeHint().height();
        if (QWidget *content = folder.panel->widget())
            panel = std::max(panel, content->sizeHint().height());
    }
    return size.expandedTo(QSize(0, titles + panel));
}
