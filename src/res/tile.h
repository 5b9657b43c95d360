#pragma once

#include "res/glyph.h"

#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <QString>

// The one look of every picture: a rounded tile in a calm colour carrying a white
// glyph, optionally with a small round badge at its lower right corner.
namespace palette {
constexpr QRgb Blue = 0x3E7CC4;
constexpr QRgb Teal = 0x23968A;
constexpr QRgb Green = 0x4A9A50;
constexpr QRgb Amber = 0xD08A26;
constexpr QRgb Coral = 0xD9663F;
constexpr QRgb Red = 0xC8453F;
constexpr QRgb Rose = 0xC8557A;
constexpr QRgb Plum = 0x8A5BB0;
constexpr QRgb Indigo = 0x5863C2;
constexpr QRgb Slate = 0x5D7086;
constexpr QRgb Caption = 0x2B3A4C;
} // namespace palette

enum class Badge { None, Plus, Arrow };

struct Tile
{
    Glyph glyph;
    QRgb colour;
    Badge badge = Badge::None;
};

// `size` logical pixels square, painted for `devicePixelRatio`.
QImage renderTile(const Tile &tile, int size, qreal devicePixelRatio);
// The tile at 32 pixels followed by `text`; 32 high, at least 128 wide.
QImage renderCaption(const Tile &tile, const QString &text, qreal devicePixelRatio);
// The look of a disabled command: grey and faded.
QImage disabledImage(const QImage &image);
// renderTile(), or its disabled look, through the application's pixmap cache.
QPixmap tilePixmap(const Tile &tile, int size, qreal devicePixelRatio, bool disabled = false);
