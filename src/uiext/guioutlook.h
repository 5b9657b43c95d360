#pragma once

#include <QIcon>
#include <QScrollArea>

class CGuiMiniTool;
class CGuiToolButton;

// One folder's panel of the navigation bar: a column of large-icon items, each
// a command id. Items carry no tool tips.
class CGuiOutLook : public QScrollArea
{
    Q_OBJECT

public:
    explicit CGuiOutLook(QWidget *parent = nullptr);

    CGuiToolButton *AddItem(int commandId, const QString &text, const QIcon &icon);
    CGuiToolButton *item(int commandId) const;
    QList<CGuiToolButton *> items() const;

Q_SIGNALS:
    void commandTriggered(int commandId);

private:
    CGuiMiniTool *m_items;
};
