#include "guitestutil.h"
#include "uiext/colorref.h"
#include "uiext/flatframepainter.h"
#include "uiext/guicomboboxext.h"
#include "uiext/guidrawlayer.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>

using namespace testutil;

// Colour values as the files hold them, and the flat frame of the combo boxes and date pickers.
class TestGuiDrawLayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // 0x00BBGGRR; the high byte is ignored.
    void colorRefs_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<quint32>("back");
        QTest::newRow("positive amount") << quint32(0xC46E3D) << QColor(0x3D, 0x6E, 0xC4) << quint32(0xC46E3D);
        QTest::newRow("blue") << quint32(16711680) << QColor(0, 0, 255) << quint32(16711680);
        QTest::newRow("high byte ignored") << quint32(0xFF00FF00) << QColor(0, 255, 0) << quint32(0x00FF00);
    }

    void colorRefs()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QFETCH(quint32, back);
        QCOMPARE(fromColorRef(value), colour);
        QCOMPARE(toColorRef(colour), back);
    }

    // The button and text field inside the rings; x = 0..3 are the four rings; (101, 5)
    // is in the button clear of the glyph, whose rows of 9 to 1 pixels end at (108, 13).
    void frameStates_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("ring1");
        QTest::addColumn<QColor>("buttonFill");
        QTest::addColumn<QColor>("glyph");
        const QColor face = GuiDrawLayer::GetRGBColorFace();
        const QColor caption = GuiDrawLayer::GetRGBCaptionXP();
        const QColor text = GuiDrawLayer::textColor();
        QTest::newRow("normal") << 0 << true << face << QColor(Qt::white) << text;
        QTest::newRow("hot") << 1 << true << caption << GuiDrawLayer::GetRGBFondoXP() << text;
        QTest::newRow("pressed") << 2 << true << caption << GuiDrawLayer::GetRGBPressBXP() << text;
        QTest::newRow("disabled") << 0 << false << face << QColor(Qt::white) << GuiDrawLayer::GetRGBColorShadow();
    }

    void frameStates()
    {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        QFETCH(QColor, ring1);
        QFETCH(QColor, buttonFill);
        QFETCH(QColor, glyph);
        QImage image(120, 24, QImage::Format_RGB32);
        image.fill(Qt::black);
        const QRect button = FlatFramePainter::buttonRect(image.rect(), 100);
        QCOMPARE(button, QRect(QPoint(100, 3), QPoint(116, 20)));
        QCOMPARE(FlatFramePainter::editorRect(image.rect(), button), QRect(QPoint(4, 4), QPoint(99, 19)));
        // An arrow area reaching into the rings is kept inside them.
        QCOMPARE(FlatFramePainter::buttonRect(image.rect(), 200).left(), 116);
        QCOMPARE(FlatFramePainter::buttonRect(image.rect(), -5).left(), 3);
        {
            QPainter p(&image);
            FlatFramePainter::draw(p, image.rect(), button, state, enabled, Qt::white);
        }
        const QColor face = GuiDrawLayer::GetRGBColorFace();
        const QColor caption = GuiDrawLayer::GetRGBCaptionXP();
        const QList<QColor> rings = {pixel(image, 0, 12), pixel(image, 1, 12), pixel(image, 2, 12),
                                     pixel(image, 3, 12)};
        QCOMPARE(rings, QList<QColor>({face, ring1, face, caption}));
        QCOMPARE(pixel(image, 118, 12), ring1);
        QCOMPARE(pixel(image, 99, 12), QColor(Qt::white));
        QCOMPARE(pixel(image, 101, 5), buttonFill);
        for (const QPoint at : {QPoint(104, 9), QPoint(112, 9), QPoint(108, 13)})
            QCOMPARE(pixel(image, at.x(), at.y()), glyph);
        QVERIFY(pixel(image, 113, 9) != glyph);
        QVERIFY(pixel(image, 107, 13) != glyph);
    }

    // Normal, hot with the focus or the mouse, pressed while the list is open;
    // an editable combo keeps its text field inside the rings.
    void comboStates()
    {
        QWidget window;
        auto *combo = new CGuiComboBoxExt(&window);
        auto *other = new QLineEdit(&window);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("One"), QStringLiteral("Two")});
        combo->setGeometry(10, 10, 160, combo->sizeHint().height());
        other->setGeometry(10, 60, 160, 24);
        window.resize(200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(combo->lineEdit()->geometry(),
                     FlatFramePainter::editorRect(combo->rect(), FlatFramePainter::buttonRect(combo)));
        other->setFocus();
        QTRY_COMPARE(combo->drawState(), 0);
        combo->setFocus();
        QTRY_COMPARE(combo->drawState(), 1);
        QTest::mouseClick(combo, Qt::LeftButton, {}, FlatFramePainter::buttonRect(combo).center());
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->drawState(), 2);
        combo->hidePopup();
        QCOMPARE(combo->drawState(), 1);
    }
};

FENNIMAR_GUI_TEST_MAIN(TestGuiDrawLayer)
#include "tst_guidrawlayer.moc"
