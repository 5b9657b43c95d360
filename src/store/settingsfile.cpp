#include "settingsfile.h"

#include "archive.h"
#include "crypto/blowfish.h"
#include "fileio.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>

namespace {

const QString kSettingsFile = QStringLiteral("setfnpngs.pss");
const QByteArray kUtf8Mark("\xEF\xBB\xBF");

const Blowfish &cipher()
{
    static const Blowfish blowfish(QByteArrayView("5D0E93C7A1F24B86B37D0C54E8A2196F"));
    return blowfish;
}

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

QString encipherSettingsField(const QString &plain)
{
    QByteArray bytes;
    if (!toWindows1252(plain, bytes))
        bytes = kUtf8Mark + plain.toUtf8();
    bytes.append('\0');
    bytes.append(QByteArray((8 - bytes.size() % 8) % 8, '\0'));
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); i += 8)
        cipher().encryptBlock(data + i, Blowfish::HalfOrder::LittleEndian);
    return QString::fromLatin1(bytes.toHex());
}

QString decipherSettingsField(const QString &text)
{
    const qsizetype n = text.size() / 2;
    if (n % 8 != 0)
        return {};
    QByteArray bytes(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexValue(text[2 * i]), low = hexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return {};
        bytes[i] = char(high << 4 | low);
    }
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    for (qsizetype i = 0; i < n; i += 8)
        cipher().decryptBlock(data + i, Blowfish::HalfOrder::LittleEndian);
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    if (bytes.startsWith(kUtf8Mark))
        return QString::fromUtf8(bytes.mid(kUtf8Mark.size()));
    return fromWindows1252(bytes);
}

QString settingsFilePath(const QString &workDir)
{
    return QDir(workDir).filePath(kSettingsFile);
}

void createDefaultSettings(const QString &workDir)
{
    if (workDir.isEmpty())
        return;
    QFile existing(settingsFilePath(workDir));
    if (existing.open(QIODevice::ReadOnly))
        return;
    writeSettings(workDir, SettingsRecord());
}

SettingsRecord readSettings(const QString &workDir)
{
    SettingsRecord record;
    if (workDir.isEmpty())
        return record;
    const auto bytes = readWholeFile(settingsFilePath(workDir), 1024 * 1024);
    if (!bytes)
        return record;
    ArchiveReader in(*bytes);
    for (QString *field : {&record.first, &record.password, &record.hintQuestion, &record.hintAnswer}) {
        QString cipherText;
        if (!in.readString(cipherText))
            break;
        *field = decipherSettingsField(cipherText);
    }
    return record;
}

bool writeSettings(const QString &workDir, const SettingsRecord &record, QString *error)
{
    if (workDir.isEmpty()) {
        if (error)
            *error = QStringLiteral("Could not save %1: no working directory has been chosen").arg(kSettingsFile);
        return false;
    }
    ArchiveWriter out;
    for (const QString *field : {&record.first, &record.password, &record.hintQuestion, &record.hintAnswer})
        out.writeString(encipherSettingsField(*field));
    try {
        writeFileAtomic(settingsFilePath(workDir), out.bytes());
    } catch (const FileError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    return true;
}
