#include "res/glyphiconengine.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

GlyphIconEngine::GlyphIconEngine(const Tile &tile, QList<int> sizes) : m_tile(tile), m_sizes(std::move(sizes)) {}

void GlyphIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State)
{
    const int size = std::min(rect.width(), rect.height());
    if (size <= 0)
        return;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRect square(rect.x() + (rect.width() - size) / 2, rect.y() + (rect.height() - size) / 2, size, size);
    painter->drawPixmap(square, tilePixmap(m_tile, size, dpr, mode == QIcon::Disabled));
}

QPixmap GlyphIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

// QIcon asks with the size in device pixels.
QPixmap GlyphIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale)
{
    const int extent = qRound(std::min(size.width(), size.height()) / std::max(scale, 1e-3));
    if (extent <= 0 || scale <= 0)
        return {};
    return tilePixmap(m_tile, extent, scale, mode == QIcon::Disabled);
}

QList<QSize> GlyphIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (int s : m_sizes)
        sizes.append(QSize(s, s));
    return sizes;
}

QString GlyphIconEngine::key() const
{
    return QStringLiteral("fennimar-glyph");
}

QIconEngine *GlyphIconEngine::clone() const
{
    return new GlyphIconEngine(m_tile, m_sizes);
}
