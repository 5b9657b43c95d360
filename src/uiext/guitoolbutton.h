#pragma once

#include <QToolButton>

// A flat button of the bars: no frame until the mouse is over it, then the
// hot colours of GuiDrawLayer; pressed, checked or marked in the pressed
// colour; the keyboard focus as a dotted outline.
// Carries the command id it stands for.
class CGuiToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CGuiToolButton(int commandId, QWidget *parent = nullptr);

    int commandId() const { return m_commandId; }

    // The text shown beside or under the icon.
    void SetCaption(const QString &caption);

    // A marked button shows in the pressed colour, as the current one of a
    // group (the current view); it is no checkable button, a click does not toggle it.
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_commandId;
    bool m_marked = false;
};
