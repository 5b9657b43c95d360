#pragma once

#include <QLabel>
#include <QPixmap>

// A picture standing for a label. White pixels of the picture are
// transparent, so it sits on any background; it is drawn at the left,
// centred vertically.
class CBitmapLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CBitmapLabel(QWidget *parent = nullptr);

    // Sets the picture; `text` is what the picture says, for screen readers.
    void setBitmap(const QPixmap &picture, const QString &text = QString());
    QPixmap bitmap() const { return m_picture; }

    // A picture of the words in the colour on white, for labels without an image.
    static QPixmap textPicture(const QString &text, const QColor &colour, int height = 16);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
