#include "corpus.h"
#include "fuzzreaders.h"
#include "fuzzstatements.h"

#include <QDir>
#include <QTest>

#include <optional>

using corpus::ownVerdict;

namespace {

// The store's readers, then the bank statement readers; each gets every file.
QList<FuzzedReader> readers()
{
    QList<FuzzedReader> all(kFuzzedReaders.begin(), kFuzzedReaders.end());
    all.append(QList<FuzzedReader>(kFuzzedStatementReaders.begin(), kFuzzedStatementReaders.end()));
    return all;
}

} // namespace

// The fuzzers' seed corpus, replayed through every file reader: the store's
// and the bank statement readers.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void corpusHasAFolderPerReader()
    {
        QStringList names;
        for (const FuzzedReader &reader : readers())
            names.append(QLatin1String(reader.name));
        names.sort();
        QCOMPARE(QDir(corpus::dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), names);
    }

    // Enough of each kind that a reader is tried on both sides.
    void seedsOfEachReader_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<int>("leastValid");
        for (const FuzzedReader &reader : kFuzzedReaders)
            QTest::newRow(reader.name) << QString::fromLatin1(reader.name) << 2;
        for (const FuzzedReader &reader : kFuzzedStatementReaders)
            QTest::newRow(reader.name) << QString::fromLatin1(reader.name) << 3;
    }

    void seedsOfEachReader()
    {
        QFETCH(QString, reader);
        QFETCH(int, leastValid);
        int valid = 0, refused = 0;
        for (const QString &name : QDir(corpus::dir() + u'/' + reader).entryList(QDir::Files)) {
            const std::optional<bool> verdict = ownVerdict(name);
            valid += verdict == true;
            refused += verdict == false;
        }
        QVERIFY2(valid >= leastValid, qPrintable(QStringLiteral("%1 valid seeds").arg(valid)));
        QVERIFY2(refused >= 3, qPrintable(QStringLiteral("%1 refused seeds").arg(refused)));
    }

    // Every reader gets every file, its own and the others': the statements of
    // every format and the store's binary files alike.
    void everyReaderKeepsItsInvariants_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        const QStringList files = corpus::files();
        const QList<FuzzedReader> all = readers();
        for (int r = 0; r < int(all.size()); ++r) {
            for (const QString &file : files)
                QTest::addRow("%s <- %s", all[r].name, qPrintable(file)) << r << file;
        }
    }

    void everyReaderKeepsItsInvariants()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QCOMPARE(readers()[reader].check(corpus::read(file)).broken, QString());
    }

    // A seed that stops being what its name says is noticed here.
    void ownReaderJudgesItsSeeds_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        const QList<FuzzedReader> all = readers();
        for (int r = 0; r < int(all.size()); ++r) {
            const QString folder = QString::fromLatin1(all[r].name);
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
        QCOMPARE(readers()[reader].check(corpus::read(file)).accepted, accepted);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
