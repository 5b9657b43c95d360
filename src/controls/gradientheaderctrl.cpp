#include "controls/gradientheaderctrl.h"

#include "uiext/colorref.h"
#include "uiext/guidrawlayer.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

namespace {

struct SchemePair
{
    quint32 base;
    QColor start;
    QColor end;
};

// The blue, olive and silver schemes of Windows XP have gradients of their own.
const SchemePair kSchemes[] = {
    {0xF3C9AD, QColor(222, 234, 253), QColor(141, 178, 223)},
    {0xB9DEDC, QColor(243, 251, 221), QColor(179, 194, 138)},
    {0xF1E3E7, QColor(248, 248, 250), QColor(165, 160, 184)},
};

int step(int from, int to, int band)
{
    return from + (to - from) * band / CGradientHeaderCtrl::kBands;
}

} // namespace

CGradientHeaderCtrl::CGradientHeaderCtrl(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_base(GuiDrawLayer::GetRGBColorFace())
{
    m_titleFont.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    m_titleFont.setPixelSize(13);
    m_titleFont.setBold(true);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setSectionsClickable(true);
}

void CGradientHeaderCtrl::setPictures(const QList<QIcon> &pictures)
{
    m_pictures = pictures;
    viewport()->update();
}

void CGradientHeaderCtrl::setBaseColour(const QColor &base)
{
    m_base = base;
    viewport()->update();
}

std::pair<QColor, QColor> CGradientHeaderCtrl::gradientColours(const QColor &base)
{
    const quint32 value = toColorRef(base);
    for (const SchemePair &scheme : kSchemes) {
        if (scheme.base == value)
            return {scheme.start, scheme.end};
    }
    const QColor end = base.toRgb();
    const QColor start(qMax(end.red() - 30, 0), qMax(end.green() - 30, 0), qMax(end.blue() - 30, 0));
    return {start, end};
}

QColor CGradientHeaderCtrl::bandColour(const QColor &start, const QColor &end, int band)
{
    return QColor(step(start.red(), end.red(), band), step(start.green(), end.green(), band),
                  step(start.blue(), end.blue(), band));
}

int CGradientHeaderCtrl::bandOfRow(int y, int height)
{
    return height > 1 ? y * (kBands - 1) / (height - 1) : 0;
}

QRect CGradientHeaderCtrl::sectionRect(int logicalIndex) const
{
    return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), viewport()->height());
}

QRect CGradientHeaderCtrl::titleRect(int logicalIndex) const
{
    return sectionRect(logicalIndex).adjusted(kTitleIndent, 0, isSortedBy(logicalIndex) ? -kSortMarkSpace : 0, 0);
}

bool CGradientHeaderCtrl::isSortedBy(int logicalIndex) const
{
    return isSortIndicatorShown() && logicalIndex >= 0 && sortIndicatorSection() == logicalIndex;
}

void CGradientHeaderCtrl::paintSortMark(QPainter &p, const QRect &item) const
{
    const int width = 8;
    const int height = 4;
    const int left = item.right() - 2 - (kSortMarkSpace + width) / 2;
    const int top = item.top() + (item.height() - height) / 2;
    QPolygon triangle;
    if (sortIndicatorOrder() == Qt::AscendingOrder)
        triangle << QPoint(left, top + height) << QPoint(left + width, top + height) << QPoint(left + width / 2, top);
    else
        triangle << QPoint(left, top) << QPoint(left + width, top) << QPoint(left + width / 2, top + height);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(GuiDrawLayer::textColor());
    p.drawPolygon(triangle);
    p.restore();
}

QString CGradientHeaderCtrl::displayedTitle(int logicalIndex) const
{
    if (!model())
        return QString();
    const QString title = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    return QFontMetrics(m_titleFont).elidedText(title, Qt::ElideRight, qMax(titleRect(logicalIndex).width(), 0));
}

QSize CGradientHeaderCtrl::sizeHint() const
{
    const QSize hint = QHeaderView::sizeHint();
    return QSize(hint.width(), qMax(hint.height(), QFontMetrics(m_titleFont).height() + 10));
}

void CGradientHeaderCtrl::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const int w = viewport()->width();
    const int h = viewport()->height();

    const auto [start, end] = gradientColours(m_base);
    for (int y = 0; y < h; ++y)
        p.fillRect(0, y, w, 1, bandColour(start, end, bandOfRow(y, h)));

    if (!model())
        return;
    const QColor shadow = GuiDrawLayer::GetRGBColorShadow();
    const QColor tabs = GuiDrawLayer::GetRGBColorTabs();
    p.setFont(m_titleFont);
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const QRect item = sectionRect(logical);
        if (item.right() < 0 || item.left() >= w)
            continue;

        if (logical == m_hotColumn) {
            p.fillRect(item, QColor(255, 255, 255, 90));
            p.fillRect(item.left(), h - 2, item.width(), 2, GuiDrawLayer::GetRGBCaptionXP());
        }
        const int top = 3;
        const int bottom = h - 4;
        p.fillRect(item.right() - 1, top, 1, bottom - top + 1, shadow);
        p.fillRect(item.right(), top, 1, bottom - top + 1, tabs);

        if (logical < m_pictures.size()) {
            const QRect picture(item.left() + kPictureIndent, (h - kPictureSize) / 2, kPictureSize, kPictureSize);
            m_pictures[logical].paint(&p, picture);
        }
        p.setPen(GuiDrawLayer::textColor());
        p.drawText(titleRect(logical), Qt::AlignCenter | Qt::TextSingleLine, displayedTitle(logical));
        if (isSortedBy(logical))
            paintSortMark(p, item);
    }
}

void CGradientHeaderCtrl::mouseMoveEvent(QMouseEvent *event)
{
    const int column = logicalIndexAt(event->position().toPoint());
    if (column != m_hotColumn) {
        m_hotColumn = column;
        viewport()->update();
    }
    QHeaderView::mouseMoveEvent(event);
}

void CGradientHeaderCtrl::leaveEvent(QEvent *event)
{
    if (m_hotColumn != -1) {
        m_hotColumn = -1;
        viewport()->update();
    }
    QHeaderView::leaveEvent(event);
}
