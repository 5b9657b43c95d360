#include "uiext/guiicons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

QPixmap badgePixmap(const QString &label, const QColor &colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(pixmap.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(colour.darker(130));
    p.setBrush(fill);
    const qreal radius = size / 5.0;
    p.drawRoundedRect(box, radius, radius);

    QFont font;
    font.setBold(true);
    font.setPixelSize(label.size() > 1 ? size * 2 / 5 : size * 3 / 5);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, label);
    return pixmap;
}
