#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The chart colours as Windows colour values (0x00BBGGRR): the face (2D)
// colours, then the shade (3D) colours, each in the row order Balance +ve,
// Balance -ve, Income, Expense, Profit, Loss.
struct ChartColours
{
    QList<quint32> face;
    QList<quint32> shade;

    friend bool operator==(const ChartColours &, const ChartColours &) = default;
};

// The twelve colours of the default string.
ChartColours defaultChartColours();

// Count 12, the six face colours, the six shade colours.
QByteArray encodeChartColours(const ChartColours &colours);
// Count n, then n / 2 face and n / 2 shade colours; each list keeps at most
// `slots` of them, and a file that ends early keeps what it held.
ChartColours decodeChartColours(QByteArrayView bytes, int slots);

// Graph.grp of the folder; nothing when it cannot be read.
std::optional<ChartColours> readChartColourFile(const QString &workDir, int slots);
// Writes Graph.grp whole. Throws FileError, also when no folder is given.
void writeChartColourFile(const QString &workDir, const ChartColours &colours);
// Writes the default colours unless some *.grp entry exists. Returns whether it wrote.
bool ensureChartColourFile(const QString &workDir);
