#pragma once

#include <QLineEdit>

#include <optional>

// The amount field: takes digits and one decimal point, and at most two
// decimals typed after the point. Pasted, dropped and programmatically
// inserted text goes through the same rule character by character, so the
// field never holds anything but an unsigned decimal number (or a part of one).
class CNumberEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CNumberEdit(QWidget *parent = nullptr);

    // The amount, or nothing while the text is no number (empty, ".").
    std::optional<double> value() const;

    // Whether the character c, typed with the caret at `caret` into `text`,
    // is let in. Backspace and code 12 always are.
    static bool acceptsCharacter(QChar c, const QString &text, int caret);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
