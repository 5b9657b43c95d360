#pragma once

#include "store/settingsfile.h"

#include <QDialog>

class QLineEdit;

// The login at start: admits the stored password, or a right answer to the
// hint question (Forgot). Accepted admits the user.
class CLoginDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CLoginDlg(const QString &workDir, QWidget *parent = nullptr);

private:
    void onOk();
    void onForgot();

    QString m_workDir;
    SettingsRecord m_settings;
    QLineEdit *m_password;
};
