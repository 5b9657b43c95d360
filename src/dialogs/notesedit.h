#pragma once

#include <QPlainTextEdit>

// The multi-line notes field: Enter starts a new line, Tab moves on. Lines
// are stored ending in CR LF as in the data files of the books' origin; notes
// left untouched come back byte for byte.
class CNotesEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CNotesEdit(QWidget *parent = nullptr);

    void setNotes(const QString &notes);
    QString notes() const;

private:
    QString m_stored;
    QString m_shownText;
};
