#pragma once

#include <QIcon>
#include <QWidget>

class CGuiMiniTool;
class CGuiToolButton;

// The bar above the panes: on the left the caption button with the current
// view's icon and title, on the right a strip of small view buttons. A click
// on any button emits commandTriggered with its command id.
class GuiCapOutBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 32;
    static constexpr int kCaptionButtonId = 5560;

    explicit GuiCapOutBar(QWidget *parent = nullptr);

    // Shows the view's title and icon on the caption button.
    void setCaption(const QString &title, const QIcon &icon);
    QString caption() const;

    // Left: the caption button alone. Right: the view buttons (the owner adds them).
    CGuiMiniTool *rightTool() const { return m_right; }
    CGuiToolButton *captionButton() const { return m_captionButton; }

Q_SIGNALS:
    void commandTriggered(int commandId);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CGuiMiniTool *m_left;
    CGuiMiniTool *m_right;
    CGuiToolButton *m_captionButton;
};
