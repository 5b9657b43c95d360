#include "uiext/fennimarlook.h"

#include "uiext/guidrawlayer.h"

#include <QApplication>
#include <QStyleFactory>

QPalette fennimarPalette()
{
    const QColor face = GuiDrawLayer::GetRGBColorFace();
    const QColor shadow = GuiDrawLayer::GetRGBColorShadow();
    const QColor text = GuiDrawLayer::textColor();
    const QColor accent = GuiDrawLayer::GetRGBCaptionXP();

    QPalette palette(face);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, GuiDrawLayer::GetRGBColorTabs());
    palette.setColor(QPalette::Light, GuiDrawLayer::GetRGBColorBTNHigh());
    palette.setColor(QPalette::Midlight, face.lighter(104));
    palette.setColor(QPalette::Mid, shadow);
    palette.setColor(QPalette::Dark, shadow.darker(115));
    palette.setColor(QPalette::Shadow, shadow.darker(160));
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::ToolTipBase, GuiDrawLayer::GetRGBColorTabs());
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, shadow.darker(130));

    const QColor disabledText = shadow.darker(110);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

void applyFennimarLook(QApplication &app)
{
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    app.setPalette(fennimarPalette());
}
