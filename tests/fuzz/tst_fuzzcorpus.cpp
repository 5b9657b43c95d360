#include "corpus.h"
#include "fuzzreaders.h"

#include <QDir>
#include <QTest>

#include <optional>

using corpus::ownVerdict;

// The fuzzers' seed corpus, replayed through every file reader of the store.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The statement readers' folders are there too; tst_statementcorpus checks the whole list.
    void corpusHasAFolderPerReader()
    {
        const QStringList folders = QDir(corpus::dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const FuzzedReader &reader : kFuzzedReaders)
            QVERIFY2(folders.contains(QLatin1String(reader.name)), reader.name);
    }

    // Enough of each kind that a reader is tried on both sides.
    void seedsOfEachReader_data()
    {
        QTest::addColumn<QString>("reader");
        for (const FuzzedReader &reader : kFuzzedReaders)
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
        QVERIFY2(valid >= 2, qPrintable(QStringLiteral("%1 valid seeds").arg(valid)));
        QVERIFY2(refused >= 3, qPrintable(QStringLiteral("%1 refused seeds").arg(refused)));
    }

    // Every reader gets every file, its own and the others'.
    void everyReaderKeepsItsInvariants_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        const QStringList files = corpus::files();
        for (int r = 0; r < int(kFuzzedReaders.size()); ++r) {
            for (const QString &file : files)
                QTest::addRow("%s <- %s", kFuzzedReaders[r].name, qPrintable(file)) << r << file;
        }
    }

    void everyReaderKeepsItsInvariants()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QCOMPARE(kFuzzedReaders[reader].check(corpus::read(file)).broken, QString());
    }

    // A seed that stops being what its name says is noticed here.
    void ownReaderJudgesItsSeeds_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        for (int r = 0; r < int(kFuzzedReaders.size()); ++r) {
            const QString folder = QString::fromLatin1(kFuzzedReaders[r].name);
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
        QCOMPARE(kFuzzedReaders[reader].check(corpus::read(file)).accepted, accepted);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
