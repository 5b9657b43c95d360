#pragma once

#include <QColor>

// The colours of the program's one look (style 0x8002). Every bar, dialog and
// owner-drawn control takes its colours from here, so they stay one scheme.
class GuiDrawLayer
{
public:
    static constexpr int kStyle = 0x8002;

    // Dialog and bar background.
    static QColor GetRGBColorFace(int style = kStyle);
    // Edges and separators.
    static QColor GetRGBColorShadow(int style = kStyle);
    // The light edge of raised parts.
    static QColor GetRGBColorBTNHigh();
    // The light strip beside separators.
    static QColor GetRGBColorTabs();
    // Background of a hot (hovered) item.
    static QColor GetRGBFondoXP();
    // Frame of hot and pressed items; the accent colour.
    static QColor GetRGBCaptionXP();
    // Background of a pressed item.
    static QColor GetRGBPressBXP();
    // Text on the face colour.
    static QColor textColor();
};
