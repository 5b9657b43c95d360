#pragma once

#include "store/settingsfile.h"

#include <QDialog>

class CGuiComboBoxExt;
class QLineEdit;

// "Hint Dlg": shows the stored hint question and takes the answer. Three
// wrong answers end it. With no password stored, OK says there is none to
// recover and ends it.
class CHintDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kAttempts = 3;

    explicit CHintDlg(const QString &workDir, QWidget *parent = nullptr);

    // Reads the settings, puts the stored question into the question field
    // and runs the dialog: Accepted for the right answer, Rejected after
    // three wrong answers, Cancel or when there is no password.
    int run();

private:
    void onOk();

    QString m_workDir;
    SettingsRecord m_settings;
    CGuiComboBoxExt *m_question;
    QLineEdit *m_answer;
    int m_wrongAnswers = 0;
};
