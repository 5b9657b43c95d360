#include "helpopener.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

class TestHelpOpener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathBesideTheExecutable()
    {
        const QString before = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(helpFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/FennimarHelp.html"));
        QDir::setCurrent(before);
    }

    void openerSeam()
    {
        int opened = 0;
        QVERIFY(!setHelpOpener([&opened] { ++opened; }));
        openHelp();
        openHelp();
        QCOMPARE(opened, 2);
        QVERIFY(setHelpOpener({}));
        QVERIFY(!setHelpOpener({}));
    }
};

QTEST_MAIN(TestHelpOpener)
#include "tst_helpopener.moc"
