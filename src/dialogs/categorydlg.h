#pragma once

#include <QDialog>

class QLineEdit;

// "Category": asks for one category name. OK hands back the text as typed,
// even empty; the commands decide what to do with it.
class CCategoryDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CCategoryDlg(QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const { return m_name; }

private:
    void onOk();

    QString m_name;
    QLineEdit *m_edit;
};
