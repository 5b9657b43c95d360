#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class CGuiToolButton;
class QBoxLayout;

// A strip of small flat buttons, each standing for a command id; a row, or a
// column (the items of a navigation folder).
class CGuiMiniTool : public QWidget
{
    Q_OBJECT

public:
    explicit CGuiMiniTool(QWidget *parent = nullptr, Qt::Orientation orientation = Qt::Horizontal);

    // Adds a button at the end of the strip; a click emits commandTriggered(id).
    CGuiToolButton *AddButton(int commandId, const QIcon &icon, const QString &caption = QString(),
                              const QString &toolTip = QString());
    // The button of that command id, or null.
    CGuiToolButton *GetButton(int commandId) const;
    QList<CGuiToolButton *> buttons() const { return m_buttons; }

    // Icon size of every button, present and future (16 x 16 at first).
    void setIconSize(const QSize &size);
    // Icon only (the default), caption beside or under the icon.
    void setButtonStyle(Qt::ToolButtonStyle style);

Q_SIGNALS:
    void commandTriggered(int commandId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QBoxLayout *m_layout;
    Qt::Orientation m_orientation;
    QList<CGuiToolButton *> m_buttons;
    QSize m_iconSize{16, 16};
    Qt::ToolButtonStyle m_buttonStyle = Qt::ToolButtonIconOnly;
};
