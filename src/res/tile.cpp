#include "res/tile.h"

#include "res/glyphcanvas.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

namespace {

QImage blankImage(QSizeF logical, qreal dpr)
{
    QImage image((logical * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

QColor mix(QColor a, QColor b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

void paintBadge(QPainter &p, Badge badge, QPointF centre, qreal radius)
{
    const QColor colour(badge == Badge::Plus ? palette::Green : palette::Teal);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
    QPen pen(Qt::white, std::max(1.2, radius * 0.36), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const qreal arm = radius * 0.5;
    if (badge == Badge::Plus) {
        p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
        p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    } else {
        p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
        p.drawPolyline(QPolygonF({centre + QPointF(arm * 0.1, -arm * 0.8), centre + QPointF(arm, 0),
                                  centre + QPointF(arm * 0.1, arm * 0.8)}));
    }
}

} // namespace

QImage renderTile(const Tile &tile, int size, qreal devicePixelRatio)
{
    QImage image = blankImage(QSizeF(size, size), devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal margin = size >= 24 ? std::round(size / 24.0) : 0;
    const QRectF box(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal radius = box.width() * 0.22;
    const QColor base(tile.colour);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, mix(base, Qt::white, 0.14));
    fill.setColorAt(1, mix(base, Qt::black, 0.06));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(box, radius, radius);

    // The glyph takes a larger share of small tiles.
    const qreal share = size <= 16 ? 0.84 : size <= 24 ? 0.76 : 0.72;
    const qreal glyphSize = box.width() * share;
    const qreal unit = glyphSize / 24.0;
    QPointF origin = box.center() - QPointF(glyphSize, glyphSize) / 2;
    const qreal badgeRadius = size * (size <= 16 ? 0.25 : 0.22);
    if (tile.badge != Badge::None)
        origin -= QPointF(size, size) * 0.05;

    QImage layer = blankImage(QSizeF(size, size), devicePixelRatio);
    {
        QPainter g(&layer);
        g.setRenderHint(QPainter::Antialiasing);
        g.translate(origin);
        g.scale(unit, unit);
        GlyphCanvas canvas(g, unit * devicePixelRatio);
        paintGlyph(tile.glyph, canvas);
    }
    p.drawImage(QPointF(0, 0), layer);

    if (tile.badge != Badge::None) {
        const QPointF centre(size - badgeRadius, size - badgeRadius);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setBrush(Qt::black);
        p.drawEllipse(centre, badgeRadius + std::max(1.0, size / 24.0), badgeRadius + std::max(1.0, size / 24.0));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        paintBadge(p, tile.badge, centre, badgeRadius);
    }
    return image;
}

QImage renderCaption(const Tile &tile, const QString &text, qreal devicePixelRatio)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(15);
    font.setBold(true);
    const QFontMetricsF metrics(font);
    const qreal textLeft = 40;
    const qreal width = std::max(128.0, std::ceil(textLeft + metrics.horizontalAdvance(text) + 6));

    QImage image = blankImage(QSizeF(width, 32), devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(QPointF(0, 0), renderTile(tile, 32, devicePixelRatio));
    p.setFont(font);
    p.setPen(QColor(palette::Caption));
    p.drawText(QRectF(textLeft, 0, width - textLeft, 32), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

QImage disabledImage(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int grey = std::min(255, qGray(c) + 40);
            line[x] = qRgba(grey, grey, grey, qAlpha(c) * 45 / 100);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPixmap tilePixmap(const Tile &tile, int size, qreal devicePixelRatio, bool disabled)
{
    const QString key = QStringLiteral("fennimar-tile:%1:%2:%3:%4:%5:%6")
                            .arg(int(tile.glyph))
                            .arg(tile.colour)
                            .arg(int(tile.badge))
                            .arg(size)
                            .arg(devicePixelRatio)
                            .arg(disabled);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        const QImage image = renderTile(tile, size, devicePixelRatio);
        pixmap = QPixmap::fromImage(disabled ? disabledImage(image) : image);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}
