#pragma once

// Typing into the dialogs, pressing their buttons and keys, seeing the focus.

#include "guitestutil.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

namespace testutil {

inline void press(QWidget *dialog, const char *button)
{
    QTest::mouseClick(child<QAbstractButton>(dialog, QString::fromLatin1(button)), Qt::LeftButton);
}

inline QLineEdit *edit(QWidget *dialog, const char *name)
{
    return child<QLineEdit>(dialog, QString::fromLatin1(name));
}

inline void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Clicks (and with `twice` double-clicks) an item after scrolling it into sight.
inline void clickItem(QAbstractItemView *view, const QModelIndex &index, bool twice = false)
{
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

inline void showAndWait(QWidget *dialog)
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

// Presses `key` in `field`: the dialog's result once it has closed, -1 while it stays open.
inline int keyResult(QDialog *dialog, QWidget *field, Qt::Key key)
{
    field->setFocus();
    QWidget *focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : field, key);
    return dialog->isVisible() ? -1 : dialog->result();
}

// Ends the dialog with "ok" or "cancel" (its buttons), "enter" or "escape" (keys
// in `field`), or with nothing more; the result as keyResult gives it.
inline int finish(QDialog *dialog, QWidget *field, const QString &how)
{
    if (how == u"enter" || how == u"escape")
        return keyResult(dialog, field, how == u"enter" ? Qt::Key_Return : Qt::Key_Escape);
    if (how == u"ok" || how == u"cancel")
        press(dialog, qPrintable(how));
    return dialog->isVisible() ? -1 : dialog->result();
}

// The object name of the focus widget, or of its parent for a combo's line edit.
inline QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w->objectName().isEmpty() ? w->parentWidget()->objectName() : w->objectName();
}

} // namespace testutil
