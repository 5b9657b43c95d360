#include "flatframepainter.h"
#include "guicomboboxext.h"
#include "guidrawlayer.h"
#include "guitestutil.h"

#include <QAbstractItemView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

using namespace testutil;

namespace {

const QColor kFace = GuiDrawLayer::GetRGBColorFace();
const QColor kCaption = GuiDrawLayer::GetRGBCaptionXP();
const QColor kBase(Qt::white);

} // namespace

class TestFlatFramePainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometry()
    {
        const QRect rect(0, 0, 120, 24);
        const QRect button = FlatFramePainter::buttonRect(rect, 100);
        QCOMPARE(button, QRect(QPoint(100, 3), QPoint(116, 20)));
        QCOMPARE(FlatFramePainter::editorRect(rect, button), QRect(QPoint(4, 4), QPoint(99, 19)));
        // An arrow area reaching into the rings is kept inside them.
        QCOMPARE(FlatFramePainter::buttonRect(rect, 200).left(), 116);
        QCOMPARE(FlatFramePainter::buttonRect(rect, -5).left(), 3);
    }

    // Column x = 0..3 are the four rings; (101, 5) lies in the drop button
    // clear of the glyph; the glyph's tip is (108, 13).
    void states_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("ring1");
        QTest::addColumn<QColor>("buttonFill");
        QTest::addColumn<QColor>("glyph");
        const QColor text = GuiDrawLayer::textColor();
        QTest::newRow("normal") << 0 << true << kFace << kBase << text;
        QTest::newRow("hot") << 1 << true << kCaption << GuiDrawLayer::GetRGBFondoXP() << text;
        QTest::newRow("pressed") << 2 << true << kCaption << GuiDrawLayer::GetRGBPressBXP() << text;
        QTest::newRow("disabled") << 0 << false << kFace << kBase << GuiDrawLayer::GetRGBColorShadow();
        QTest::newRow("disabled hot") << 1 << false << kCaption << GuiDrawLayer::GetRGBFondoXP()
                                      << GuiDrawLayer::GetRGBColorShadow();
    }

    void states()
    {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        QFETCH(QColor, ring1);
        QFETCH(QColor, buttonFill);
        QFETCH(QColor, glyph);

        QImage image(120, 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        const QRect rect = image.rect();
        const QRect button = FlatFramePainter::buttonRect(rect, 100);
        {
            QPainter p(&image);
            FlatFramePainter::draw(p, rect, button, state, enabled, kBase);
        }
        for (int y : {0, 23})
            QCOMPARE(pixel(image, 60, y), kFace);
        QCOMPARE(pixel(image, 0, 12), kFace);
        QCOMPARE(pixel(image, 1, 12), ring1);
        QCOMPARE(pixel(image, 118, 12), ring1);
        QCOMPARE(pixel(image, 60, 1), ring1);
        QCOMPARE(pixel(image, 2, 12), kFace);
        QCOMPARE(pixel(image, 3, 12), kCaption);
        QCOMPARE(pixel(image, 60, 20), kCaption);
        QCOMPARE(pixel(image, 10, 12), kBase);
        QCOMPARE(pixel(image, 99, 12), kBase);

        QCOMPARE(pixel(image, 101, 5), buttonFill);
        QCOMPARE(pixel(image, 108, 13), glyph);
        QCOMPARE(pixel(image, 104, 9), glyph);
        QCOMPARE(pixel(image, 112, 9), glyph);
        QVERIFY(pixel(image, 107, 13) != glyph);
        QVERIFY(pixel(image, 113, 9) != glyph);
        if (state == 0) {
            // The quiet button: face, edged in white, two pixels in from the field.
            QCOMPARE(pixel(image, 104, 6), kFace);
            QCOMPARE(pixel(image, 102, 10), GuiDrawLayer::GetRGBColorBTNHigh());
        } else {
            QCOMPARE(pixel(image, 100, 10), kCaption);
        }
    }

    void comboEditorSitsInsideTheRings()
    {
        GuiTestPlace place;
        CGuiComboBoxExt combo;
        combo.setEditable(true);
        combo.addItems({QStringLiteral("Bravo"), QStringLiteral("Alpha")});
        combo.resize(200, combo.sizeHint().height());
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QVERIFY(combo.height() >= FlatFramePainter::minimumHeight(&combo));
        const QRect button = FlatFramePainter::buttonRect(&combo);
        QCOMPARE(combo.lineEdit()->geometry(), FlatFramePainter::editorRect(combo.rect(), button));
        combo.resize(260, combo.height());
        QTRY_COMPARE(combo.lineEdit()->geometry(),
                     FlatFramePainter::editorRect(combo.rect(), FlatFramePainter::buttonRect(&combo)));
    }

    void comboStates()
    {
        QWidget window;
        auto *combo = new CGuiComboBoxExt(&window);
        auto *other = new QLineEdit(&window);
        combo->addItems({QStringLiteral("One"), QStringLiteral("Two")});
        combo->setGeometry(10, 10, 160, combo->sizeHint().height());
        other->setGeometry(10, 60, 160, 24);
        window.resize(200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        other->setFocus();
        QTRY_COMPARE(combo->drawState(), 0);

        combo->setFocus();
        QTRY_COMPARE(combo->drawState(), 1);
        // A click on the drop button opens the list.
        QTest::mouseClick(combo, Qt::LeftButton, {}, FlatFramePainter::buttonRect(combo).center());
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->drawState(), 2);
        combo->hidePopup();
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->drawState(), 1);
        other->setFocus();
        QTRY_COMPARE(combo->drawState(), 0);
    }

    void editableComboOpensFromItsButton()
    {
        CGuiComboBoxExt combo;
        combo.setEditable(true);
        combo.addItems({QStringLiteral("One"), QStringLiteral("Two")});
        combo.resize(180, combo.sizeHint().height());
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        const QRect button = FlatFramePainter::buttonRect(&combo);
        QTest::mouseClick(&combo, Qt::LeftButton, {}, QPoint(button.left() + 2, button.center().y()));
        QTRY_VERIFY(combo.view()->isVisible());
        combo.hidePopup();
    }

    void listComboPaintsItsText()
    {
        CGuiComboBoxExt combo;
        combo.addItems({QStringLiteral("Wide account text"), QStringLiteral("i")});
        combo.resize(200, combo.sizeHint().height());
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        const auto inkIn = [&combo] {
            const QImage image = render(&combo);
            const QRect field = FlatFramePainter::editorRect(combo.rect(), FlatFramePainter::buttonRect(&combo));
            int dark = 0;
            for (int y = field.top(); y <= field.bottom(); ++y) {
                for (int x = field.left(); x <= field.right(); ++x)
                    dark += pixel(image, x, y).lightness() < 128 ? 1 : 0;
            }
            return dark;
        };
        const int wide = inkIn();
        combo.setCurrentIndex(1);
        const int narrow = inkIn();
        QVERIFY2(wide > 3 * narrow && narrow > 0, qPrintable(QStringLiteral("%1 %2").arg(wide).arg(narrow)));
    }
};

QTEST_MAIN(TestFlatFramePainter)
#include "tst_flatframepainter.moc"
