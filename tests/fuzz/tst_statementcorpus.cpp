#include "corpus.h"
#include "fuzzreaders.h"
#include "fuzzstatements.h"

#include "import/statementfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using corpus::ownVerdict;

// The statement fuzzers' seed corpus, replayed through every statement reader.
class TestStatementCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void corpusHasAFolderPerReader()
    {
        QStringList names;
        for (const FuzzedReader &reader : kFuzzedReaders)
            names.append(QLatin1String(reader.name));
        for (const FuzzedStatementReader &reader : kFuzzedStatementReaders)
            names.append(QLatin1String(reader.name));
        names.sort();
        QCOMPARE(QDir(corpus::dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), names);
    }

    void seedsOfEachReader_data()
    {
        QTest::addColumn<QString>("reader");
        for (const FuzzedStatementReader &reader : kFuzzedStatementReaders)
            QTest::newRow(reader.name) << QString::fromLatin1(reader.name);
    }

    void seedsOfEachReader()
    {
        QFETCH(QString, reader);
        int valid = 0, refused = 0;
        for (const QString &name : QDir(corpus::dir() + u'/' + reader).entryList(QDir::Files)) {
            const std::optional<bool> verdict = ownVerdict(name);
            valid += verdict == true;
            refused += verdict == false;
        }
        QVERIFY2(valid >= 3, qPrintable(QStringLiteral("%1 valid seeds").arg(valid)));
        QVERIFY2(refused >= 3, qPrintable(QStringLiteral("%1 refused seeds").arg(refused)));
    }

    // Every statement reader gets every file: the statements of the other
    // formats and the store's binary files too.
    void everyReaderKeepsItsInvariants_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        const QStringList files = corpus::files();
        for (int r = 0; r < int(kFuzzedStatementReaders.size()); ++r) {
            for (const QString &file : files)
                QTest::addRow("%s <- %s", kFuzzedStatementReaders[r].name, qPrintable(file)) << r << file;
        }
    }

    void everyReaderKeepsItsInvariants()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QCOMPARE(kFuzzedStatementReaders[reader].check(corpus::read(file)).broken, QString());
    }

    void ownReaderJudgesItsSeeds_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        for (int r = 0; r < int(kFuzzedStatementReaders.size()); ++r) {
            const QString folder = QString::fromLatin1(kFuzzedStatementReaders[r].name);
            for (const QString &name : QDir(corpus::dir() + u'/' + folder).entryList(QDir::Files, QDir::Name)) {
                if (const std::optional<bool> verdict = ownVerdict(name))
                    QTest::addRow("%s", qPrintable(folder + u'/' + name)) << r << folder + u'/' + name << *verdict;
            }
        }
    }

    void ownReaderJudgesItsSeeds()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QFETCH(bool, accepted);
        QCOMPARE(kFuzzedStatementReaders[reader].check(corpus::read(file)).accepted, accepted);
    }

    // Too large to fuzz: a file over the limit is refused for its size before
    // anything of it is read; one at the limit is not (its zeros are refused
    // as binary instead).
    void fileSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("at the limit") << kMaxStatementSize << false;
        QTest::newRow("a byte over") << kMaxStatementSize + 1 << true;
        QTest::newRow("far over") << 4 * kMaxStatementSize << true;
    }

    void fileSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, tooLarge);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A statement padded with zeros, sparse where the file system allows.
        QFile file(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray head = "Date,Payee,Amount\n2026-06-03,Bakery,-2.40\n";
        QCOMPARE(file.write(head), head.size());
        QVERIFY(file.resize(size));
        file.close();

        const StatementBytes read = readStatementFile(file.fileName());
        QVERIFY(!read.ok());
        QVERIFY(read.bytes.isEmpty());
        QCOMPARE(read.error.contains(QLatin1String(" MB: no bank statement is that large")), tooLarge);
    }
};

QTEST_GUILESS_MAIN(TestStatementCorpus)
#include "tst_statementcorpus.moc"
