#include "controls/listdelegates.h"

#include "controls/listmodels.h"
#include "store/formatters.h"

#include <QPainter>

namespace ListLook {

QColor rowBackground(bool selectionMark)
{
    return selectionMark ? QColor(0xE9, 0xE9, 0xE9) : QColor(Qt::white);
}

QColor separator()
{
    return QColor(0x84, 0x82, 0x84);
}

QColor amountColour(double value)
{
    return value < 0 ? QColor(0xFF, 0x00, 0x00) : QColor(0x3D, 0x6E, 0xC4);
}

QFont rowFont(const QFont &base, bool italic)
{
    QFont font = base;
    font.setWeight(QFont::Bold);
    font.setPixelSize(13);
    font.setItalic(italic);
    return font;
}

void paintBackground(QPainter *painter, const QRect &cell, bool selectionMark)
{
    painter->fillRect(QRect(cell.left(), cell.top(), cell.width(), cell.height() - 1), rowBackground(selectionMark));
}

void paintSeparator(QPainter *painter, int left, int right, int bottom)
{
    painter->setPen(QPen(separator(), 1));
    painter->drawLine(left, bottom - 1, right, bottom - 1);
}

QColor warningColour()
{
    return QColor(0xF5, 0xA6, 0x23);
}

void paintWarningMark(QPainter *painter, const QRect &box)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QPolygon triangle({QPoint(box.center().x(), box.top()), box.bottomRight(), box.bottomLeft()});
    painter->setPen(QColor(0x8A, 0x5A, 0x00));
    painter->setBrush(warningColour());
    painter->drawPolygon(triangle);
    const int x = box.center().x();
    const int stroke = qMax(1, box.width() / 8);
    const QRect bar(x - stroke / 2, box.top() + box.height() * 3 / 8, stroke, box.height() * 5 / 16);
    painter->fillRect(bar, Qt::black);
    painter->fillRect(QRect(x - stroke / 2, box.bottom() - box.height() / 4 + 1, stroke, stroke), Qt::black);
    painter->restore();
}

} // namespace ListLook

namespace {

constexpr int kPictureSpace = 34;
constexpr int kMarkSize = 16;
constexpr int kMarkGap = 6;

bool isSelectionMark(const QStyleOptionViewItem &option)
{
    return option.state & QStyle::State_Selected;
}

void drawText(QPainter *painter, const QRect &rect, Qt::Alignment align, const QString &text, const QColor &colour)
{
    painter->setPen(colour);
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter->drawText(rect, int(align | Qt::AlignVCenter | Qt::TextSingleLine), shown);
}

} // namespace

AccountListDelegate::AccountListDelegate(Picture picture, QObject *parent)
    : QStyledItemDelegate(parent), m_picture(std::move(picture))
{}

void AccountListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    painter->save();
    painter->setClipRect(r);
    ListLook::paintBackground(painter, r, isSelectionMark(option));
    if (index.data(HasRowDataRole).toBool()) {
        painter->setFont(ListLook::rowFont(option.font));
        const double balance = index.data(AmountRole).toDouble();
        const int half = (r.height() - 1) / 2;
        const QRect upper(r.left(), r.top(), r.width(), half), lower(r.left(), r.top() + half, r.width(), half);
        const QRect balanceRect = QRect(r.right() - 150, r.top(), 150, r.height()).adjusted(0, 0, -6, 0);
        const QString balanceText = formatAmount(balance);
        drawText(painter, balanceRect, Qt::AlignRight, balanceText, ListLook::amountColour(balance));
        if (index.data(BelowMinimumRole).toBool()) {
            const int textWidth = qMin(painter->fontMetrics().horizontalAdvance(balanceText), balanceRect.width());
            const QRect mark(balanceRect.right() - textWidth - kMarkGap - kMarkSize,
                             r.top() + (r.height() - kMarkSize) / 2, kMarkSize, kMarkSize);
            ListLook::paintWarningMark(painter, mark);
        }
        drawText(painter, QRect(r.left() + kPictureSpace, upper.top(), 200, half), Qt::AlignLeft,
                 index.data(AccountNumberRole).toString(), Qt::black);
        drawText(painter, QRect(r.left() + 234, upper.top(), qMax(0, r.width() - 150 - 234), half), Qt::AlignLeft,
                 index.data(NameRole).toString(), Qt::black);
        drawText(painter, QRect(r.left() + kPictureSpace, lower.top(), qMax(0, r.width() - 150 - kPictureSpace), half),
                 Qt::AlignLeft, index.data(BankRole).toString(), Qt::black);
    }
    ListLook::paintSeparator(painter, r.left(), r.right() + 50, r.bottom() + 1);
    if (index.data(HasRowDataRole).toBool() && m_picture)
        painter->drawPixmap(r.left() + 1, r.top() + 1, m_picture(index.data(IconRole).toInt()));
    painter->restore();
}

QSize AccountListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), 40);
}

TransactionListDelegate::TransactionListDelegate(Style style, QPixmap rowPicture, QObject *parent)
    : QStyledItemDelegate(parent), m_style(style), m_rowPicture(std::move(rowPicture))
{}

void TransactionListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    painter->save();
    painter->setClipRect(option.rect);
    if (m_style == Style::OneAccount)
        paintOneAccountCell(painter, option, index);
    else
        paintRecordCell(painter, option, index);
    painter->restore();
}

void TransactionListDelegate::paintRecordCell(QPainter *painter, const QStyleOptionViewItem &option,
                                              const QModelIndex &index) const
{
    const QRect r = option.rect;
    ListLook::paintBackground(painter, r, isSelectionMark(option));
    if (index.data(HasRowDataRole).toBool()) {
        painter->setFont(ListLook::rowFont(option.font));
        const QRect text = r.adjusted(4, 0, -4, 0);
        if (index.column() == 3) {
            const double amount = index.data(AmountRole).toDouble();
            drawText(painter, text, Qt::AlignRight, formatAmount(amount), ListLook::amountColour(amount));
        } else {
            drawText(painter, text, Qt::AlignLeft, index.data(Qt::DisplayRole).toString(), Qt::black);
        }
    }
    ListLook::paintSeparator(painter, r.left(), r.right(), r.bottom() + 1);
}

void TransactionListDelegate::paintOneAccountCell(QPainter *painter, const QStyleOptionViewItem &option,
                                                  const QModelIndex &index) const
{
    using Kind = AccountTransRows::Kind;
    const QRect r = option.rect;
    const auto kind = Kind(index.data(RowKindRole).toInt());
    const int column = index.column();
    const bool separatorAbovePlans = kind == Kind::Separator && index.sibling(index.row() + 1, 0).isValid()
                                     && Kind(index.sibling(index.row() + 1, 0).data(RowKindRole).toInt()) == Kind::Plan;
    if (separatorAbovePlans) {
        if (column == 0)
            ListLook::paintSeparator(painter, r.left(), r.right(), r.bottom() + 1);
        return;
    }
    if (kind == Kind::Separator || (kind == Kind::Heading && column != 0) || (kind == Kind::Opening && column == 1))
        return;

    ListLook::paintBackground(painter, r, isSelectionMark(option));
    painter->setFont(ListLook::rowFont(option.font, kind == Kind::Opening && column == 0));
    const QRect text = r.adjusted(4, 0, -4, 0);
    if (kind == Kind::Heading) {
        drawText(painter, r, Qt::AlignHCenter, index.data(Qt::DisplayRole).toString(), Qt::black);
    } else if (column == 0) {
        if (kind != Kind::Opening && !m_rowPicture.isNull())
            painter->drawPixmap(r.left() + 1, r.top() + 1, m_rowPicture);
        drawText(painter, QRect(r.left() + kPictureSpace, r.top(), r.width() - kPictureSpace, r.height()),
                 Qt::AlignLeft, index.data(Qt::DisplayRole).toString(), Qt::black);
    } else if (column == 1) {
        drawText(painter, text, Qt::AlignLeft, index.data(Qt::DisplayRole).toString(), Qt::black);
    } else if (column == 2 && kind != Kind::Opening) {
        const double amount = index.data(AmountRole).toDouble();
        drawText(painter, text, Qt::AlignRight, formatAmount(amount), ListLook::amountColour(amount));
    } else if (column == 3 && kind != Kind::Plan) {
        // The row's own text: a negative running balance keeps its "-", which
        // the locale's currency format may have written as parentheses.
        const double balance = index.data(BalanceRole).toDouble();
        drawText(painter, text, Qt::AlignRight, index.data(Qt::DisplayRole).toString(),
                 ListLook::amountColour(balance));
    }
    ListLook::paintSeparator(painter, r.left(), r.right(), r.bottom() + 1);
}

QSize TransactionListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int height = m_style == Style::OneAccount ? 34 : 24;
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height);
}

ReportListDelegate::ReportListDelegate(QPixmap picture, QObject *parent)
    : QStyledItemDelegate(parent), m_picture(std::move(picture))
{}

void ReportListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    painter->save();
    painter->setClipRect(r);
    ListLook::paintBackground(painter, r, isSelectionMark(option));
    painter->setFont(ListLook::rowFont(option.font));
    drawText(painter, QRect(r.left() + kPictureSpace, r.top(), r.width() - kPictureSpace, r.height()), Qt::AlignLeft,
             index.data(Qt::DisplayRole).toString(), Qt::black);
    ListLook::paintSeparator(painter, r.left(), r.right(), r.bottom() + 1);
    if (!m_picture.isNull())
        painter->drawPixmap(r.left() + 1, r.top() + 1, m_picture);
    painter->restore();
}

QSize ReportListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), 36);
}
