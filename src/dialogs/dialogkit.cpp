#include "dialogs/dialogkit.h"

#include "uiext/guicomboboxext.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DialogButtons makeDialogButtons(QDialog *dialog)
{
    auto *box = new QDialogButtonBox(dialog);
    auto *ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    auto *cancel = box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    cancel->setAutoDefault(false);
    // OK is connected by the dialog to its own checks.
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {box, ok, cancel};
}

QPushButton *makeActionButton(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *makeLineEdit(const QString &objectName, bool password, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    if (password)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

CGuiComboBoxExt *makeQuestionCombo(const QString &question, QWidget *parent)
{
    auto *combo = new CGuiComboBoxExt(parent);
    combo->setObjectName(QStringLiteral("question"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::InsertAlphabetically);
    combo->setEditText(question);
    combo->setMinimumWidth(240);
    return combo;
}

QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void addFormRow(QFormLayout *form, const QString &label, QWidget *field)
{
    form->addRow(makeLabel(label, field, form->parentWidget()), field);
}

void setTabChain(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
