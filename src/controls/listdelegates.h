#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include <functional>

// The look every record list shares.
namespace ListLook {
QColor rowBackground(bool selectionMark);              // 0xE9E9E9 for the selection mark, else white
QColor separator();                                    // 0x848284
QColor amountColour(double value);                     // 0xC46E3D from 0 up, 0x0000FF below 0 (Windows colour values)
QFont rowFont(const QFont &base, bool italic = false); // bold, 13 pixels high
void paintBackground(QPainter *painter, const QRect &cell, bool selectionMark);
void paintSeparator(QPainter *painter, int left, int right, int bottom);
QColor warningColour(); // the face of the warning sign
// A warning sign (a triangle with "!") filling `box`.
void paintWarningMark(QPainter *painter, const QRect &box);
} // namespace ListLook

// The accounts list: two lines per account beside its picture, the balance on
// the right, a warning sign before a balance below the account's minimum.
class AccountListDelegate : public QStyledItemDelegate
{
public:
    using Picture = std::function<QPixmap(int index)>;
    explicit AccountListDelegate(Picture picture, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    Picture m_picture;
};

// The transaction and plan lists, cell by cell. In the one-account list the
// opening row, the separator rows and the "Plans" heading get their own look.
class TransactionListDelegate : public QStyledItemDelegate
{
public:
    enum class Style { OneAccount, Records };
    // Columns holding amounts (drawn right-aligned in their colour) and, for the
    // one-account list, the running balance.
    TransactionListDelegate(Style style, QPixmap rowPicture, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void paintOneAccountCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintRecordCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    Style m_style;
    QPixmap m_rowPicture;
};

// The reports list: a picture and the report's name.
class ReportListDelegate : public QStyledItemDelegate
{
public:
    explicit ReportListDelegate(QPixmap picture, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPixmap m_picture;
};
