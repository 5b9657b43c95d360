#pragma once

#include <QToolButton>

// A flat button of the bars: no frame until the mouse is over it, then the
// hot colours of GuiDrawLayer; pressed or checked in the pressed colour.
// Carries the command id it stands for.
class CGuiToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CGuiToolButton(int commandId, QWidget *parent = nullptr);

    int commandId() const { return m_commandId; }

    // The text shown beside or under the icon.
    void SetCaption(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_commandId;
};
