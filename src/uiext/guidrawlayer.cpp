#include "uiext/guidrawlayer.h"

QColor GuiDrawLayer::GetRGBColorFace(int style)
{
    Q_UNUSED(style);
    return QColor(0xEB, 0xEE, 0xF3);
}

QColor GuiDrawLayer::GetRGBColorShadow(int style)
{
    Q_UNUSED(style);
    return QColor(0xA3, 0xAB, 0xB8);
}

QColor GuiDrawLayer::GetRGBColorBTNHigh()
{
    return QColor(0xFF, 0xFF, 0xFF);
}

QColor GuiDrawLayer::GetRGBColorTabs()
{
    return QColor(0xF7, 0xF8, 0xFB);
}

QColor GuiDrawLayer::GetRGBFondoXP()
{
    return QColor(0xCF, 0xE0, 0xF7);
}

QColor GuiDrawLayer::GetRGBCaptionXP()
{
    return QColor(0x4B, 0x6F, 0x9E);
}

QColor GuiDrawLayer::GetRGBPressBXP()
{
    return QColor(0xB9, 0xCF, 0xEB);
}

QColor GuiDrawLayer::textColor()
{
    return QColor(0x1F, 0x29, 0x33);
}
