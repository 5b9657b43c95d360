#pragma once

#include <QColor>

class QDialog;
class CGuiComboBoxExt;
class QBoxLayout;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The OK and Cancel buttons every dialog ends with. OK is the default button
// (Enter) and is left to the dialog, which checks before it closes; Cancel
// and Escape reject.
struct DialogButtons
{
    QDialogButtonBox *box;
    QPushButton *ok;
    QPushButton *cancel;
};
DialogButtons makeDialogButtons(QDialog *dialog);

// A push button with an object name, for the dialogs' small action buttons.
QPushButton *makeActionButton(const QString &text, const QString &objectName, QWidget *parent);

// A single-line edit with an object name; hidden characters when `password`.
QLineEdit *makeLineEdit(const QString &objectName, bool password, QWidget *parent);

// The hint question field: an editable combo with a sorted, empty list.
CGuiComboBoxExt *makeQuestionCombo(const QString &question, QWidget *parent);

// A label that moves the focus to `buddy` on its mnemonic.
QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent);

// A form row: the label (buddy of the field) and the field.
void addFormRow(QFormLayout *form, const QString &label, QWidget *field);

// Paints the dialog's background in one colour.
void setBackground(QWidget *widget, const QColor &colour);
