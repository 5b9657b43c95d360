#pragma once

#include <QDialog>

class CCategoryTreeCtrl;

// "Categories": the category tree of the working directory, read only, to
// pick one category from. OK needs a selected item; its text is the result.
class CCategoriesPickerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CCategoriesPickerDlg(const QString &workDir, QWidget *parent = nullptr);

    // Selects the first item, depth-first in pre-order, whose text equals
    // the trimmed name exactly; nothing when there is none.
    void setName(const QString &name);
    QString name() const { return m_name; }

    CCategoryTreeCtrl *tree() const { return m_tree; }

private:
    void onOk();

    QString m_name;
    CCategoryTreeCtrl *m_tree;
};
