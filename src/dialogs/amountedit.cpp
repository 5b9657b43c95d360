#include "amountedit.h"

#include "messagebox.h"

#include <QLocale>

CAmountEdit::CAmountEdit(const QString &objectName, QWidget *parent)
    : CNumberEdit(parent)
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
    if (text() == m_shownText)
        return m_shown;
    return value();
}

std::optional<double> CAmountEdit::checkedAmount()
{
    const std::optional<double> shown = amount();
    if (!shown) {
        showMessage(window(), QStringLiteral("Please enter a number."), MessageIcon::Warning);
        setFocus();
        selectAll();
    }
    return shown;
}
