#pragma once

#include "res/tile.h"

#include <QIconEngine>
#include <QList>

// An icon that paints its tile afresh for every size and device pixel ratio asked
// for, so it stays sharp at any scale; disabled icons are greyed.
class GlyphIconEngine : public QIconEngine
{
public:
    GlyphIconEngine(const Tile &tile, QList<int> sizes);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine *clone() const override;

private:
    Tile m_tile;
    QList<int> m_sizes;
};
