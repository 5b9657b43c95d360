#pragma once

#include "import/candidate.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// An OFX statement (1.x SGML, 2.x XML, QFX) read through libofx: the
// STMTTRN items of each account, numbered as the file holds them.
struct OfxStatement
{
    struct Account
    {
        QString id; // as libofx names it: bank id and account id
        QList<Candidate> candidates;
    };
    QList<Account> accounts;
    QString error; // nothing could be read

    // The account of that id, else the one whose own account number (the last
    // part of the id) it is; null when there is none, or several have it.
    const Account *account(const QString &id) const;
    QStringList accountIds() const;
};

OfxStatement readOfx(const QByteArray &bytes);
