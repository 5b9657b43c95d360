#include "guitestutil.h"
#include "messagebox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

using namespace testutil;

class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handlerTakesThePlaceOfTheBox()
    {
        QWidget parent;
        QWidget *seenParent = nullptr;
        QString seenText;
        MessageIcon seenIcon = MessageIcon::None;
        MessageButtons seenButtons = MessageButtons::Ok;
        const MessageHandler previous =
            setMessageHandler([&](QWidget *p, const QString &text, MessageIcon icon, MessageButtons buttons) {
                seenParent = p;
                seenText = text;
                seenIcon = icon;
                seenButtons = buttons;
                return int(MessageNo);
            });
        QVERIFY(!previous);
        QCOMPARE(showMessage(&parent, QStringLiteral("Delete?"), MessageIcon::Question, MessageButtons::YesNo),
                 int(MessageNo));
        QCOMPARE(seenParent, &parent);
        QCOMPARE(seenText, QStringLiteral("Delete?"));
        QCOMPARE(seenIcon, MessageIcon::Question);
        QCOMPARE(seenButtons, MessageButtons::YesNo);

        // Handing back the previous (empty) handler restores the real box.
        QVERIFY(setMessageHandler(previous));
        QVERIFY(!setMessageHandler({}));
    }

    void recorderAnswersInTurn()
    {
        MessageRecorder recorder;
        recorder.answers = {MessageNo};
        QCOMPARE(showMessage(nullptr, QStringLiteral("one"), MessageIcon::Question, MessageButtons::YesNo),
                 int(MessageNo));
        QCOMPARE(showMessage(nullptr, QStringLiteral("two"), MessageIcon::Question, MessageButtons::YesNo),
                 int(MessageYes));
        QCOMPARE(showMessage(nullptr, QStringLiteral("three")), int(MessageOk));
        QCOMPARE(recorder.texts(), QStringList({"one", "two", "three"}));
        QCOMPARE(recorder.shown.last().icon, MessageIcon::None);
    }

    void realBox_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("boxIcon");
        QTest::addColumn<int>("answer");
        QTest::newRow("stop, OK") << int(MessageIcon::Stop) << int(MessageButtons::Ok) << int(QMessageBox::Ok)
                                  << int(QMessageBox::Critical) << int(MessageOk);
        QTest::newRow("question, yes") << int(MessageIcon::Question) << int(MessageButtons::YesNo)
                                       << int(QMessageBox::Yes) << int(QMessageBox::Question) << int(MessageYes);
        QTest::newRow("question, no") << int(MessageIcon::Question) << int(MessageButtons::YesNo)
                                      << int(QMessageBox::No) << int(QMessageBox::Question) << int(MessageNo);
        QTest::newRow("information") << int(MessageIcon::Information) << int(MessageButtons::Ok)
                                     << int(QMessageBox::Ok) << int(QMessageBox::Information) << int(MessageOk);
        QTest::newRow("plain") << int(MessageIcon::None) << int(MessageButtons::Ok) << int(QMessageBox::Ok)
                               << int(QMessageBox::NoIcon) << int(MessageOk);
        QTest::newRow("warning, escape") << int(MessageIcon::Warning) << int(MessageButtons::YesNo) << -1
                                         << int(QMessageBox::Warning) << int(MessageNo);
    }

    void realBox()
    {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, boxIcon);
        QFETCH(int, answer);

        QString caption;
        QString text;
        int shownIcon = -1;
        QMessageBox::StandardButtons shownButtons;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            caption = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            shownButtons = box->standardButtons();
            if (press < 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        });
        const int result = showMessage(nullptr, QStringLiteral("Sure?"), MessageIcon(icon), MessageButtons(buttons));
        QCOMPARE(result, answer);
        QCOMPARE(caption, QStringLiteral("Fennimar"));
        QCOMPARE(text, QStringLiteral("Sure?"));
        QCOMPARE(shownIcon, boxIcon);
        QCOMPARE(shownButtons, MessageButtons(buttons) == MessageButtons::YesNo
                                   ? QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                   : QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
