#include "res/stringtable.h"

#include <QHash>

namespace {

const QHash<int, QString> &table()
{
    static const QHash<int, QString> texts = {
        {IDS_DOC_TEMPLATE, QStringLiteral("Fennimar\n\nFenmar\n\n\nFennimar.Document\nFenmar Document")},
        {IDS_APP_TITLE, QStringLiteral("Fennimar")},
        {IDS_IDLE_MESSAGE, QStringLiteral("Ready")},
        {IDS_DIR_NOT_FOUND,
         QStringLiteral("The working directory is moved or deleted. Please select the working directory to continue.")},
        {IDS_WORKDIR_MOVED,
         QStringLiteral("The working directory is moved or deleted. Please select the working directory to continue.")},
        {IDS_CONFIRM_DELETE_ACCOUNT,
         QStringLiteral("Are you sure want to delete this Account and all its Transactions?")},
        {IDS_CONFIRM_DELETE_TRANSACTION, QStringLiteral("Are you sure want to delete this Transaction?")},
        {IDS_CONFIRM_DELETE_PLAN, QStringLiteral("Are you sure want to delete this Plan?")},
        {IDS_DEFAULT_CATEGORIES,
         QStringLiteral("Categories\nKitchen Items\nHousehold Items\nPet Items\nKids Stuff\nPDA & PC Items\n"
                        "Electronic Items\nWear Items\nBeauty Items\nMeat Market\nNecessitites\nSnacks")},
        {IDS_CONFIRM_DELETE_CATEGORY, QStringLiteral("Are you sure want to delete this Category?")},
        {IDS_CONFIRM_CONVERT_PLAN, QStringLiteral("Are you sure want to convert this Plan into a Transaction?")},
        {IDS_DEFAULT_CHART_COLOURS,
         QStringLiteral("16711680\n255\n65280\n255\n16711680\n13948116\n8388608\n128\n32768\n128\n8388608\n11184810")},
        {IDS_WRONG_OLD_PASSWORD, QStringLiteral("You have entered a wrong password !!!")},
        {IDS_PASSWORDS_DIFFER, QStringLiteral("New Password and Confirm New Password do not match !!!")},
        {IDS_UNAUTHORIZED, QStringLiteral("Sorry, Unauthorized User !!!")},
        {IDS_PASSWORD_CHANGED, QStringLiteral("Password has been changed successfully.")},
        {IDS_PRINT_TITLE, QStringLiteral("Fennimar")},
        {IDS_PRINT_PAGE, QStringLiteral("Page %d")},
        {IDS_WORD_EXPORT_FAILED, QStringLiteral("There was a problem exporting the document to MS Word\n"
                                                "Please contact support@fennimar.org")},
        {IDS_WRONG_ANSWER, QStringLiteral("You have entered a Wrong Answer")},
        {IDS_TOO_MANY_ATTEMPTS, QStringLiteral("Too many attempts. Unauthorized user!")},
        {IDS_HINT_QUESTION_EMPTY, QStringLiteral("Hint Question cannot be empty.")},
        {IDS_HINT_ANSWER_EMPTY, QStringLiteral("Hint Answer cannot be empty.")},
        {IDS_EXCEL_EXPORT_FAILED, QStringLiteral("There was a problem exporting the document to MS Excel\n"
                                                 "Please contact support@fennimar.org")},
        {IDS_PASSWORD_NOT_SAVED, QStringLiteral("The password has not been changed.\n%1")},
        {IDS_COLOURS_NOT_SAVED, QStringLiteral("The chart colours have not been saved.\n%1")},
    };
    return texts;
}

} // namespace

QString LoadText(int id)
{
    return table().value(id);
}
