#pragma once

#include <QComboBox>

// A combo box in the flat look of the bars: a plain frame that turns to the
// hot colours under the mouse or with the focus, and a flat drop button.
class CGuiComboBoxExt : public QComboBox
{
    Q_OBJECT

public:
    explicit CGuiComboBoxExt(QWidget *parent = nullptr);

    // 0 normal, 1 hot, 2 pressed (list open).
    int drawState() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeEditor();

    bool m_popupShown = false;
};
