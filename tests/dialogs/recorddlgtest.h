#pragma once

// What the record dialog tests share: a book in the test's own working
// folder, and ways to press the dialogs' buttons and read their texts.

#include "datastore.h"
#include "guitestutil.h"
#include "storefixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace testutil {

// The working folder of one test with a store over it.
struct DialogBook
{
    GuiTestPlace place;
    CDataStore store{place.path()};

    QString addAccount(const QString &number, const QString &bank)
    {
        return store.addAccount(account(number, bank));
    }
};

inline void press(QWidget *dialog, const char *button)
{
    QTest::mouseClick(child<QAbstractButton>(dialog, QString::fromLatin1(button)), Qt::LeftButton);
}

// The texts of the dialog's labels and of its radio and check buttons, sorted.
inline QStringList captions(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->window() == dialog)
            texts << label->text();
    }
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
        if (button->window() == dialog && !qobject_cast<const QPushButton *>(button) && !button->text().isEmpty())
            texts << button->text();
    }
    texts.sort();
    return texts;
}

inline QLineEdit *edit(QWidget *dialog, const char *name)
{
    return child<QLineEdit>(dialog, QString::fromLatin1(name));
}

// Replaces the text of a field by typing, as a user would.
inline void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Clicks an item of a list or tree after scrolling it into sight; `twice`
// adds a double click.
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

// The object name of the focus widget, or of the first parent that has one.
inline QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
            return w->objectName();
    }
    return QString();
}

} // namespace testutil
