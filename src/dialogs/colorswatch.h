#pragma once

#include <QAbstractButton>

// A solid block of one chart colour; a click lets the user pick another.
class CColorSwatch : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CColorSwatch(QWidget *parent = nullptr);

    // A Windows colour value (0x00BBGGRR); 0 at first.
    void setColour(quint32 colour);
    quint32 colour() const { return m_colour; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void colourChanged(quint32 colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_colour = 0;
};
