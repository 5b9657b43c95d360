#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running program per working directory, so that two windows never write
// the same books: the first start listens on a local socket named after the
// folder; a later start on that folder asks it to show its window and goes.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit CSingleInstance(QObject *parent = nullptr);

    // Whether another program keeps the books of that folder; it has then been
    // asked to show its window.
    static bool askRunning(const QString &workDir);
    // Claims the folder for this program (a socket left by a program that died
    // is taken over) in place of the one it held. False when another program
    // holds it: that one has been asked to show its window, and this program
    // keeps the folder it held.
    bool claim(const QString &workDir);

    static QString socketName(const QString &workDir);

Q_SIGNALS:
    // Another start on this program's folder wants its window shown.
    void showRequested();

private:
    QLocalServer m_server;
};
