#include "dialogs/amountedit.h"

#include "store/recordrules.h"
#include "uiext/messagebox.h"

#include <QLocale>

CAmountEdit::CAmountEdit(const QString &objectName, QWidget *parent) : CNumberEdit(parent)
{
    setObjectName(objectName);
    setAmount(0.0);
}

QString CAmountEdit::shortestText(double amount)
{
    // Fifteen significant digits as printf's %.15g, but never with an
    // exponent, which the field would not let in.
    const QString text = QString::number(amount, 'g', 15);
    if (text.contains(u'e'))
        return QString::number(amount, 'f', QLocale::FloatingPointShortest);
    return text;
}

void CAmountEdit::setAmount(double amount)
{
    setText(shortestText(amount));
    m_shown = amount;
    m_shownText = text();
}

std::optional<double> CAmountEdit::amount() const
{
    if (isUntouched())
        return m_shown;
    const std::optional<double> typed = value();
    if (!typed)
        return std::nullopt;
    return roundToCents(*typed);
}

std::optional<double> CAmountEdit::checkedAmount()
{
    const std::optional<double> shown = amount();
    QString refusal;
    if (!shown)
        refusal = QStringLiteral("Please enter a number.");
    else if (!isUntouched() && !amountProblem(*shown).isEmpty())
        refusal = QStringLiteral("The amount %1.").arg(amountProblem(*shown));
    if (refusal.isEmpty())
        return shown;
    showMessage(window(), refusal, MessageIcon::Warning);
    setFocus();
    selectAll();
    return std::nullopt;
}
