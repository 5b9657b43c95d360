#include "fuzzreaders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

#include <optional>

namespace {

QString corpusDir()
{
    return QStringLiteral(FENNIMAR_FUZZ_CORPUS);
}

// Every file of the corpus, relative to it, in name order.
QStringList corpusFiles()
{
    QStringList files;
    const QDir root(corpusDir());
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(root.relativeFilePath(it.next()));
    files.sort();
    return files;
}

// What its own reader must make of a seed, by the seed's name: nothing for
// files whose verdict is left open (see makecorpus.cpp).
std::optional<bool> ownVerdict(const QString &fileName)
{
    if (fileName.startsWith(QLatin1String("refused-")))
        return false;
    if (fileName.startsWith(QLatin1String("hostile-")) || fileName.startsWith(QLatin1String("regression-")))
        return std::nullopt;
    return true;
}

} // namespace

// The fuzzers' seed corpus, replayed through every file reader of the store.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The statement readers' folders are there too; tst_statementcorpus checks the whole list.
    void corpusHasAFolderPerReader()
    {
        const QStringList folders = QDir(corpusDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
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
        for (const QString &name : QDir(corpusDir() + u'/' + reader).entryList(QDir::Files)) {
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
        const QStringList files = corpusFiles();
        for (int r = 0; r < int(kFuzzedReaders.size()); ++r) {
            for (const QString &file : files)
                QTest::addRow("%s <- %s", kFuzzedReaders[r].name, qPrintable(file)) << r << file;
        }
    }

    void everyReaderKeepsItsInvariants()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QFile f(QDir(corpusDir()).filePath(file));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.errorString()));
        QCOMPARE(kFuzzedReaders[reader].check(f.readAll()).broken, QString());
    }

    // A seed that stops being what its name says is noticed here.
    void ownReaderJudgesItsSeeds_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        for (int r = 0; r < int(kFuzzedReaders.size()); ++r) {
            const QString folder = QString::fromLatin1(kFuzzedReaders[r].name);
            for (const QString &name : QDir(corpusDir() + u'/' + folder).entryList(QDir::Files, QDir::Name)) {
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
        QFile f(QDir(corpusDir()).filePath(file));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.errorString()));
        QCOMPARE(kFuzzedReaders[reader].check(f.readAll()).accepted, accepted);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
