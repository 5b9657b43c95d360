#pragma once

#include <QDateTimeEdit>
#include <QTimer>

// A date-time picker with a calendar drop-down, painted flat: normal, hot
// while the cursor is over it (left about 10 ms after the cursor goes), and
// pressed while a mouse button is down on it or its calendar is open.
// Enter does not reach the dialog: it emits commandTriggered with the
// control's command id.
class CFlatDateCtrl : public QDateTimeEdit
{
    Q_OBJECT

public:
    enum State { Normal = 0, Hot = 1, Pressed = 2 };

    explicit CFlatDateCtrl(QWidget *parent = nullptr, int commandId = 0);

    int commandId() const { return m_commandId; }

    // The look being shown: 0 normal, 1 hot, 2 pressed.
    int drawState() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void commandTriggered(int commandId);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press();
    void release();
    void checkHover();

    int m_commandId;
    bool m_hot = false;
    bool m_pressed = false;
    QTimer m_hoverTimer;
};
