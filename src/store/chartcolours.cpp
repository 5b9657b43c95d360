#include "store/chartcolours.h"

#include "res/stringtable.h"
#include "store/archive.h"
#include "store/fileio.h"
#include "store/filenames.h"

#include <QDir>

#include <cstdlib>

namespace {

void writeColours(ArchiveWriter &out, const QList<quint32> &colours, int slots)
{
    for (int i = 0; i < slots; ++i)
        out.writeInt32(qint32(colours.value(i)));
}

} // namespace

ChartColours defaultChartColours()
{
    ChartColours colours;
    const QStringList pieces = LoadText(IDS_DEFAULT_CHART_COLOURS).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const quint32 value = quint32(std::atoi(pieces[i].toLatin1().constData()));
        (i < pieces.size() / 2 ? colours.face : colours.shade).append(value);
    }
    return colours;
}

QByteArray encodeChartColours(const ChartColours &colours)
{
    ArchiveWriter out;
    out.writeInt32(12);
    writeColours(out, colours.face, 6);
    writeColours(out, colours.shade, 6);
    return out.bytes();
}

ChartColours decodeChartColours(QByteArrayView bytes, int slots)
{
    ChartColours colours;
    ArchiveReader in(bytes);
    qint32 count = 0;
    if (!in.readInt32(count) || count <= 0)
        return colours;
    const qint32 half = count / 2;
    for (QList<quint32> *column : {&colours.face, &colours.shade}) {
        for (qint32 i = 0; i < half; ++i) {
            qint32 value;
            if (!in.readInt32(value))
                return colours;
            if (column->size() < slots)
                column->append(quint32(value));
        }
    }
    return colours;
}

std::optional<ChartColours> readChartColourFile(const QString &workDir, int slots)
{
    const auto bytes = readWholeFile(QDir(workDir).filePath(kChartColourFileName));
    if (!bytes)
        return std::nullopt;
    return decodeChartColours(*bytes, slots);
}

void writeChartColourFile(const QString &workDir, const ChartColours &colours)
{
    if (workDir.isEmpty())
        throw FileError(kChartColourFileName, QStringLiteral("no working directory has been chosen"));
    writeFileAtomic(QDir(workDir).filePath(kChartColourFileName), encodeChartColours(colours));
}

bool ensureChartColourFile(const QString &workDir)
{
    if (!listEntries(workDir, kChartColourExtension, false).isEmpty())
        return false;
    try {
        writeChartColourFile(workDir, defaultChartColours());
    } catch (const FileError &) {
        return false;
    }
    return true;
}
