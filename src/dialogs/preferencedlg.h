#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

// "Preference": shows the working directory, lets the user pick another
// folder (Change), edit the chart colours (Color) and read the help.
//
// After Change picks an existing folder, the field shows it and workDir() is
// the working directory for it (workDirFor: the folder itself when it holds a
// book, else its "Fennimar"). OK hands back the folder shown (directory());
// with no folder it behaves as Cancel, except at start-up, where it says that
// a folder is needed and stays open. The caller adopts workDir() only after
// Accepted.
class CPreferenceDlg : public QDialog
{
    Q_OBJECT

public:
    // The start-up chooser opens the dialog with an empty field; the
    // Preference command shows the current working directory.
    static constexpr int kStartUpMode = 0;
    static constexpr int kCommandMode = 1;

    // Asks for a folder under the title; empty when cancelled.
    using FolderPicker = std::function<QString(QWidget *parent, const QString &title)>;

    CPreferenceDlg(const QString &workDir, int mode, QWidget *parent = nullptr);

    int mode() const { return m_mode; }
    // The folder as shown in the field.
    QString directory() const { return m_directory; }
    // The working directory: the one given, or the one Change made.
    QString workDir() const { return m_workDir; }

    // Replaces the folder picker; an empty picker brings QFileDialog back.
    // Returns the picker that was in place.
    static FolderPicker setFolderPicker(FolderPicker picker);

private:
    void onChange();
    void onColor();
    void onOk();

    int m_mode;
    QString m_directory;
    QString m_workDir;
    QLineEdit *m_field;
    QPushButton *m_change;
};
