#include "controls/flatdatectrl.h"

#include "uiext/flatframepainter.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

CFlatDateCtrl::CFlatDateCtrl(QWidget *parent, int commandId) : QDateTimeEdit(parent), m_commandId(commandId)
{
    setCalendarPopup(true);
    // The calendar's window closes on a click outside it, and the button-up
    // that ends such a press never comes here.
    calendarWidget()->window()->installEventFilter(this);
    lineEdit()->installEventFilter(this);

    m_hoverTimer.setInterval(10);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CFlatDateCtrl::checkHover);
}

int CFlatDateCtrl::drawState() const
{
    if (m_pressed)
        return Pressed;
    return m_hot ? Hot : Normal;
}

QSize CFlatDateCtrl::sizeHint() const
{
    return FlatFramePainter::fitHeight(QDateTimeEdit::sizeHint(), this);
}

QSize CFlatDateCtrl::minimumSizeHint() const
{
    return FlatFramePainter::fitHeight(QDateTimeEdit::minimumSizeHint(), this);
}

bool CFlatDateCtrl::event(QEvent *event)
{
    if (event->type() == QEvent::Enter && !m_hot && !m_pressed) {
        m_hot = true;
        update();
        m_hoverTimer.start();
        checkHover();
    }
    const bool handled = QDateTimeEdit::event(event);
    if (FlatFramePainter::movesEditor(event))
        FlatFramePainter::placeEditor(lineEdit(), this);
    return handled;
}

bool CFlatDateCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            press();
        else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            release();
    } else if (event->type() == QEvent::Hide && m_pressed) {
        release();
        m_hoverTimer.start();
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

void CFlatDateCtrl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    FlatFramePainter::draw(p, rect(), FlatFramePainter::buttonRect(this), drawState(), isEnabled(),
                           palette().color(QPalette::Base));
}

void CFlatDateCtrl::resizeEvent(QResizeEvent *event)
{
    QDateTimeEdit::resizeEvent(event);
    FlatFramePainter::placeEditor(lineEdit(), this);
}

void CFlatDateCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        press();
    QDateTimeEdit::mousePressEvent(event);
}

void CFlatDateCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    QDateTimeEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        release();
}

void CFlatDateCtrl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT commandTriggered(m_commandId);
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void CFlatDateCtrl::press()
{
    m_hot = true;
    m_pressed = true;
    update();
}

void CFlatDateCtrl::release()
{
    // The calendar stays open after the click that opened it: it is pressed until it closes.
    if (calendarWidget()->window()->isVisible())
        return;
    m_pressed = false;
    update();
}

void CFlatDateCtrl::checkHover()
{
    if (underMouse() || m_pressed)
        return;
    m_hoverTimer.stop();
    m_hot = false;
    update();
}
