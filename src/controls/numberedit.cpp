#include "controls/numberedit.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

// Filters every change of the text: what was inserted since the last accepted
// text is let in character by character, as if typed at the insertion point.
class AmountFilter : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        const QString &old = m_accepted;
        qsizetype prefix = 0;
        while (prefix < old.size() && prefix < input.size() && old[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < old.size() - prefix && suffix < input.size() - prefix
               && old[old.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;

        const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        if (!inserted.isEmpty()) {
            QString text = old.left(prefix) + old.right(suffix);
            int caret = int(prefix);
            for (QChar c : inserted) {
                if (c.isPrint() && CNumberEdit::acceptsCharacter(c, text, caret))
                    text.insert(caret++, c);
            }
            input = text;
            pos = caret;
        }
        m_accepted = input;
        return Acceptable;
    }

private:
    mutable QString m_accepted;
};

} // namespace

CNumberEdit::CNumberEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new AmountFilter(this));
}

std::optional<double> CNumberEdit::value() const
{
    bool ok = false;
    const double amount = text().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return amount;
}

bool CNumberEdit::acceptsCharacter(QChar c, const QString &text, int caret)
{
    if (c == u'\b' || c == QChar(12))
        return true;
    const bool digit = c >= u'0' && c <= u'9';
    if (!digit && c != u'.')
        return false;
    const qsizetype point = text.indexOf(u'.');
    if (c == u'.' && point >= 0)
        return false;
    return !(point >= 0 && text.size() - point > 2 && caret > point);
}

void CNumberEdit::keyPressEvent(QKeyEvent *event)
{
    // Keys without a printable character (editing keys, Enter), shortcuts and
    // text of several characters at once are left to the edit and the filter.
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcut && typed.size() == 1 && typed[0].isPrint()) {
        // The key replaces the selection, so the rules judge the text without it.
        QString remaining = text();
        int caret = cursorPosition();
        if (hasSelectedText()) {
            caret = selectionStart();
            remaining.remove(caret, selectionLength());
        }
        if (!acceptsCharacter(typed[0], remaining, caret)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
