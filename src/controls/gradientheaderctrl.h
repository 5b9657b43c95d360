#pragma once

#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QIcon>
#include <QList>
#include <utility>

// The column header of the record lists: a vertical gradient chosen by the
// face colour, bold titles centred right of a 20-pixel margin and ended with
// an ellipsis when too long, an optional 16-pixel picture per column,
// separators, the column under the mouse shown hot, and a triangle at the
// right of the column the rows are sorted by (up: ascending).
class CGradientHeaderCtrl : public QHeaderView
{
    Q_OBJECT

public:
    static constexpr int kBands = 256;
    static constexpr int kTitleIndent = 20;
    static constexpr int kPictureIndent = 3;
    static constexpr int kPictureSize = 16;
    static constexpr int kSortMarkSpace = 16;

    explicit CGradientHeaderCtrl(QWidget *parent = nullptr);

    // Picture i goes before the title of column i.
    void setPictures(const QList<QIcon> &pictures);

    // The colour the gradient is chosen by; GuiDrawLayer's face colour at first.
    void setBaseColour(const QColor &base);
    QColor baseColour() const { return m_base; }

    // The top and bottom colours of the gradient for a base colour.
    static std::pair<QColor, QColor> gradientColours(const QColor &base);
    // Band 0 is the start colour; each step moves 1/256 of the way to the end.
    static QColor bandColour(const QColor &start, const QColor &end, int band);
    // The band painted on pixel row y of a header `height` rows high.
    static int bandOfRow(int y, int height);

    // The column under the mouse, or -1.
    // The title as painted: elided to the room right of the indent.
    QString displayedTitle(int logicalIndex) const;
    QRect titleRect(int logicalIndex) const;
    const QFont &titleFont() const { return m_titleFont; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QRect sectionRect(int logicalIndex) const;
    bool isSortedBy(int logicalIndex) const;
    void paintSortMark(QPainter &p, const QRect &item) const;

    QList<QIcon> m_pictures;
    QColor m_base;
    QFont m_titleFont;
    int m_hotColumn = -1;
};
