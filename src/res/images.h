#pragma once

#include <QIcon>
#include <QPixmap>

// The desktop program's pictures. All are painted from code on first use and kept
// in the application's pixmap cache; they need a QGuiApplication and its thread.
//
// Functions returning a QPixmap take the device pixel ratio to paint for (0: the
// application's); the pixmap has size x ratio device pixels and carries the ratio,
// so its logical size is the size named below. Out-of-range arguments give a null
// pixmap or icon.

// Account pictures, 32 x 32: the strip from which an account's icon index picks.
int accountPictureCount();
QPixmap accountPicture(int index, qreal devicePixelRatio = 0);

// Menu and toolbar icon of a command id (16 and 24, any other size on request);
// a null icon for ids that have no picture.
QIcon commandIcon(int commandId);

// Navigation bar items, 32 x 32: 0 Accounts, 1 Transactions, 2 Planner, 3 Categories,
// 4 Reports, 5 Account, 6 Transaction, 7 Plan, 8 Synchronize, 9 Refresh,
// 10 Working Directory, 11 Password, 12 Print, 13 Word, 14 Excel, 15 HTML, 16 PDF,
// 17 Text, 18 CSV.
int navigationIconCount();
QPixmap navigationIcon(int index, qreal devicePixelRatio = 0);

// Caption bar: the view's icon followed by its name, 32 high and at least 128 wide
// (views 0 to 5, the last being all accounts' transactions); and the 16 x 16 icons
// of the five view buttons (views 0 to 4).
QPixmap viewCaptionImage(int view, qreal devicePixelRatio = 0);
QPixmap viewButtonIcon(int view, qreal devicePixelRatio = 0);

// List pictures: before each date of the one-account list (32), before each report
// (32), before each category (16).
QPixmap transactionRowPicture(qreal devicePixelRatio = 0);
QPixmap reportPicture(qreal devicePixelRatio = 0);
QPixmap categoryPicture(qreal devicePixelRatio = 0);

// Column header pictures, 16 x 16. List 0, the one-account transactions: Date,
// Transaction Name, Amount, Balance. List 1, the plans: Account No, Date, Subject, Amount.
QPixmap columnPicture(int list, int column, qreal devicePixelRatio = 0);

// The program's own icon, 16 to 256 pixels.
QIcon applicationIcon();
