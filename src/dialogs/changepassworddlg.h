#pragma once

#include "store/settingsfile.h"

#include <QDialog>

class CGuiComboBoxExt;
class QLineEdit;

// "Change Password": checks the old password, the new one twice and the hint
// question and answer, then writes the settings file. Accepted only once the
// file is written.
class CChangePasswordDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CChangePasswordDlg(const QString &workDir, QWidget *parent = nullptr);

    // What was written (after Accepted).
    const SettingsRecord &settings() const { return m_settings; }

private:
    void onOk();
    void refuse(int textId, QWidget *focus);

    QString m_workDir;
    SettingsRecord m_settings;
    QLineEdit *m_oldPassword;
    QLineEdit *m_newPassword;
    QLineEdit *m_confirmPassword;
    CGuiComboBoxExt *m_question;
    QLineEdit *m_answer;
};
