#pragma once

#include "controls/numberedit.h"

#include <optional>

// The amount field of the record dialogs. It shows a stored amount in the
// shortest form ("0", "25.5") and gives back exactly that stored amount while
// the text is the one shown, so a value the field cannot show in full (more
// decimals, a sign) survives a dialog closed without touching it.
class CAmountEdit : public CNumberEdit
{
    Q_OBJECT

public:
    explicit CAmountEdit(const QString &objectName, QWidget *parent = nullptr);

    void setAmount(double amount);
    // The amount shown, or nothing while the text is no number.
    std::optional<double> amount() const;
    // The amount; when the text is no number, says so, takes the focus and
    // gives nothing, so that the dialog stays open.
    std::optional<double> checkedAmount();
    // Whether the field still holds the text it was given.
    bool isUntouched() const { return text() == m_shownText; }

    static QString shortestText(double amount);

private:
    double m_shown = 0.0;
    QString m_shownText;
};
