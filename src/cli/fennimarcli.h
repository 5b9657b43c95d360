#pragma once

#include "store/oledatetime.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

class CDataStore;
enum class ExportView;

// fennimar-cli: the books of a working directory from the command line, through
// the same store and exporters as the desktop program.
class FennimarCli
{
public:
    enum ExitCode { Success = 0, Failed = 1, Usage = 2, NotAdmitted = 3 };

    FennimarCli(QTextStream &out, QTextStream &err);
    ~FennimarCli();

    int run(const QStringList &arguments);

    struct Command;

private:
    static const QList<Command> &commands();
    void printHelp() const;
    bool readPassword(QString &entered) const;

    void init();
    void listAccounts();
    void listTransactions();
    void listAllTransactions();
    void listPlans();
    void addAccount();
    void modifyAccount();
    void deleteAccount();
    void addRecord(bool plan);
    void modifyRecord(bool plan);
    void deleteRecord(bool plan);
    void convertPlan();
    void listCategories();
    void check();
    void backup();
    void restore();
    void find();
    void report();
    void print();
    void importStatement();

public:
    // Whether a command line runs a command that draws (report, print), which
    // needs a graphical application, if only an offscreen one.
    static bool drawsPictures(const QStringList &arguments);

private:
    QString argument(int index, const QString &name) const;
    QString option(const QString &name) const { return m_parser.value(name); }
    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString format() const;
    void writeTable(const QList<QStringList> &lines);
    // The same for `count` lines made one at a time.
    void writeTable(qsizetype count, const std::function<QStringList(qsizetype)> &line);
    void writeExport(ExportView view, const QString &accountTitle);
    QString requireAccount(const QString &id) const;
    QString requireRecord(const QString &key, bool plan);

    QTextStream &m_out;
    QTextStream &m_err;
    QCommandLineParser m_parser;
    QString m_workDir;
    std::unique_ptr<CDataStore> m_store;
    OleDateTime m_from;
    OleDateTime m_to;
};
