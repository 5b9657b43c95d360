#include "bitmaplabel.h"

#include <QBitmap>
#include <QPainter>

CBitmapLabel::CBitmapLabel(QWidget *parent)
    : QLabel(parent)
{
}

void CBitmapLabel::setBitmap(const QPixmap &picture, const QString &text)
{
    m_picture = picture;
    if (!m_picture.isNull())
        m_picture.setMask(m_picture.createMaskFromColor(Qt::white, Qt::MaskInColor));
    setAccessibleName(text);
    updateGeometry();
    update();
}

QPixmap CBitmapLabel::textPicture(const QString &text, const QColor &colour, int height)
{
    QFont font;
    font.setBold(true);
    font.setPixelSize(height * 3 / 4);
    const QFontMetrics metrics(font);
    QPixmap picture(metrics.horizontalAdvance(text) + 2, height);
    picture.fill(Qt::white);
    QPainter p(&picture);
    // Sharp edges: a smoothed edge would leave light pixels that are not quite white.
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(picture.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
}

QSize CBitmapLabel::sizeHint() const
{
    return m_picture.isNull() ? QLabel::sizeHint() : m_picture.size();
}

QSize CBitmapLabel::minimumSizeHint() const
{
    return sizeHint();
}

void CBitmapLabel::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, (height() - m_picture.height()) / 2, m_picture);
}
