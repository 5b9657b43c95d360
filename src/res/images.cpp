#include "res/images.h"

#include "res/glyphiconengine.h"
#include "res/tile.h"

#include <QGuiApplication>
#include <QHash>
#include <QPixmapCache>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

using namespace palette;

// Each subject is shown first in its own colour; the strip then repeats all subjects
// in two other colours, so an account can tell itself apart from a similar one.
constexpr QRgb kSubjectColours[] = {
    Blue,  Amber, Green,  Indigo, Rose,   Teal,  Coral, Red,   Slate,  Green,  Teal,  Slate, Rose,  Indigo,
    Red,   Blue,  Green,  Plum,   Slate,  Amber, Amber, Amber, Plum,   Amber,  Slate, Teal,  Amber, Indigo,
    Blue,  Blue,  Amber,  Amber,  Plum,   Blue,  Green, Coral, Red,    Slate,  Red,   Rose,  Coral, Coral,
    Coral, Rose,  Indigo, Slate,  Indigo, Plum,  Rose,  Teal,  Coral,  Indigo, Red,   Green, Amber, Blue,
    Coral, Amber, Teal,   Blue,   Slate,  Plum,  Teal,  Slate, Indigo, Plum,
};
static_assert(std::size(kSubjectColours) == kSubjectGlyphCount);
constexpr std::array<QRgb, 10> kRotation = {Blue, Teal, Green, Amber, Coral, Red, Rose, Plum, Indigo, Slate};
constexpr std::array<int, 3> kColourShift = {0, 3, 7};
// As many pictures as the strip the account files' icon indexes were made for.
constexpr int kAccountPictures = kSubjectGlyphCount * int(kColourShift.size());
static_assert(kAccountPictures == 198);

const QList<int> kCommandSizes = {16, 24, 32};

const QHash<int, Tile> &commandTiles()
{
    static const QHash<int, Tile> tiles = {
        {32781, {Glyph::Bank, Blue, Badge::Plus}},
        {32784, {Glyph::Transfer, Teal, Badge::Plus}},
        {32787, {Glyph::Calendar, Amber, Badge::Plus}},
        {32793, {Glyph::Hierarchy, Plum, Badge::Plus}},
        {32771, {Glyph::Pencil, Indigo}},
        {32772, {Glyph::Trash, Red}},
        {32790, {Glyph::Calendar, Amber, Badge::Arrow}},
        {32814, {Glyph::Spreadsheet, Green}},
        {32815, {Glyph::WordDocument, Blue}},
        {32816, {Glyph::HtmlDocument, Coral}},
        {32817, {Glyph::PdfDocument, Red}},
        {32818, {Glyph::TextDocument, Slate}},
        {32819, {Glyph::CsvDocument, Teal}},
        {57607, {Glyph::Printer, Slate}},
        {32798, {Glyph::Refresh, Teal}},
        {32800, {Glyph::Sync, Indigo}},
        {32799, {Glyph::Gear, Slate}},
        {57670, {Glyph::Help, Blue}},
        {57664, {Glyph::Info, Slate}},
        {32807, {Glyph::Key, Plum}},
        {32809, {Glyph::Bank, Blue}},
        {32810, {Glyph::Transfer, Teal}},
        {32811, {Glyph::Calendar, Amber}},
        {32812, {Glyph::Hierarchy, Plum}},
        {32813, {Glyph::BarChart, Green}},
    };
    return tiles;
}

// Navigation items show their command's picture, but Working Directory a folder.
constexpr std::array<int, 19> kNavigationCommands = {32809, 32810, 32811, 32812, 32813, 32781, 32784,
                                                     32787, 32800, 32798, 0,     32807, 57607, 32815,
                                                     32814, 32816, 32817, 32818, 32819};
const Tile kWorkingDirectory = {Glyph::Folder, Amber};

struct ViewCaption
{
    const char *name;
    Tile tile;
};
const std::array<ViewCaption, 6> kViews = {{
    {"Accounts", {Glyph::Bank, Blue}},
    {"Transactions", {Glyph::Transfer, Teal}},
    {"Planner", {Glyph::Calendar, Amber}},
    {"Categories", {Glyph::Hierarchy, Plum}},
    {"Reports", {Glyph::BarChart, Green}},
    {"All Transaction", {Glyph::Ledger, Teal}},
}};

const Tile kDate = {Glyph::Calendar, Amber};
const Tile kName = {Glyph::TextLines, Slate};
const Tile kAmount = {Glyph::Coins, Green};
const Tile kColumns[2][4] = {
    {kDate, kName, kAmount, {Glyph::Scales, Blue}},
    {{Glyph::Hash, Blue}, kDate, kName, kAmount},
};

qreal ratio(qreal devicePixelRatio)
{
    if (devicePixelRatio > 0)
        return devicePixelRatio;
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QPixmap picture(const Tile &tile, int size, qreal devicePixelRatio)
{
    return tilePixmap(tile, size, ratio(devicePixelRatio));
}

} // namespace

int accountPictureCount()
{
    return kAccountPictures;
}

QPixmap accountPicture(int index, qreal devicePixelRatio)
{
    if (index < 0 || index >= kAccountPictures)
        return {};
    const int subject = index % kSubjectGlyphCount;
    const int shift = kColourShift[size_t(index / kSubjectGlyphCount)];
    const QRgb home = kSubjectColours[subject];
    const auto at = std::find(kRotation.begin(), kRotation.end(), home) - kRotation.begin();
    const QRgb colour = kRotation[size_t((at + shift) % qsizetype(kRotation.size()))];
    return picture({Glyph(subject), colour}, 32, devicePixelRatio);
}

QIcon commandIcon(int commandId)
{
    const auto it = commandTiles().constFind(commandId);
    if (it == commandTiles().constEnd())
        return {};
    return QIcon(new GlyphIconEngine(*it, kCommandSizes));
}

int navigationIconCount()
{
    return int(kNavigationCommands.size());
}

QPixmap navigationIcon(int index, qreal devicePixelRatio)
{
    if (index < 0 || index >= navigationIconCount())
        return {};
    const int command = kNavigationCommands[size_t(index)];
    return picture(command ? commandTiles().value(command) : kWorkingDirectory, 32, devicePixelRatio);
}

QPixmap viewCaptionImage(int view, qreal devicePixelRatio)
{
    if (view < 0 || view >= int(kViews.size()))
        return {};
    const qreal dpr = ratio(devicePixelRatio);
    const QString key = QStringLiteral("fennimar-caption:%1:%2").arg(view).arg(dpr);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        const ViewCaption &v = kViews[size_t(view)];
        pixmap = QPixmap::fromImage(renderCaption(v.tile, QString::fromLatin1(v.name), dpr));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QPixmap viewButtonIcon(int view, qreal devicePixelRatio)
{
    if (view < 0 || view >= 5)
        return {};
    return picture(kViews[size_t(view)].tile, 16, devicePixelRatio);
}

QPixmap transactionRowPicture(qreal devicePixelRatio)
{
    return picture({Glyph::Receipt, Teal}, 32, devicePixelRatio);
}

QPixmap reportPicture(qreal devicePixelRatio)
{
    return picture({Glyph::LineChart, Green}, 32, devicePixelRatio);
}

QPixmap categoryPicture(qreal devicePixelRatio)
{
    return picture({Glyph::Tag, Plum}, 16, devicePixelRatio);
}

QPixmap columnPicture(int list, int column, qreal devicePixelRatio)
{
    if (list < 0 || list >= int(std::size(kColumns)) || column < 0 || column >= int(std::size(kColumns[0])))
        return {};
    return picture(kColumns[list][column], 16, devicePixelRatio);
}

QIcon applicationIcon()
{
    return QIcon(new GlyphIconEngine({Glyph::AppMark, Teal}, {16, 24, 32, 48, 64, 128, 256}));
}
