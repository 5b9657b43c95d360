#include "dialogs/notesedit.h"

CNotesEdit::CNotesEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("notes"));
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void CNotesEdit::setNotes(const QString &notes)
{
    setPlainText(notes);
    m_stored = notes;
    m_shownText = toPlainText();
}

QString CNotesEdit::notes() const
{
    const QString shown = toPlainText();
    if (shown == m_shownText)
        return m_stored;
    return QString(shown).replace(u'\n', QStringLiteral("\r\n"));
}
