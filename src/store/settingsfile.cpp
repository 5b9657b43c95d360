#include "store/settingsfile.h"

#include "store/archive.h"
#include "store/crypto/blowfish.h"
#include "store/fileio.h"
#include "store/filenames.h"
#include "store/windows1252.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

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

QByteArray encodeSettings(const SettingsRecord &record)
{
    ArchiveWriter out;
    for (const QString *field : {&record.first, &record.password, &record.hintQuestion, &record.hintAnswer})
        out.writeString(encipherSettingsField(*field));
    return out.bytes();
}

QString encipherSettingsField(const QString &plain)
{
    QByteArray bytes;
    // Bytes that begin like the mark would read back as UTF-8 without it.
    if (!toWindows1252(plain, bytes) || bytes.startsWith(kUtf8Mark))
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
    if (bytes.startsWith(kUtf8Mark)) {
        // A mark that begins the text itself (U+FEFF) is kept as a character.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8(bytes.mid(kUtf8Mark.size()));
    }
    return fromWindows1252(bytes);
}

QString settingsFilePath(const QString &workDir)
{
    return QDir(workDir).filePath(kSettingsFileName);
}

void createDefaultSettings(const QString &workDir)
{
    if (workDir.isEmpty() || entryType(settingsFilePath(workDir)) != EntryType::Missing)
        return;
    try {
        writeNewFile(settingsFilePath(workDir), encodeSettings(SettingsRecord()));
    } catch (const FileError &) {
        // A folder that cannot take the file: the gate then finds none.
    }
}

std::optional<SettingsRecord> decodeSettings(QByteArrayView bytes, QString *problem)
{
    static const QRegularExpression cipherText(QRegularExpression::anchoredPattern(QStringLiteral("([0-9a-f]{16})+")));
    ArchiveReader in(bytes);
    SettingsRecord record;
    int n = 0;
    for (QString *field : {&record.first, &record.password, &record.hintQuestion, &record.hintAnswer}) {
        ++n;
        QString text;
        if (!in.readString(text) || !cipherText.match(text).hasMatch()) {
            if (problem)
                *problem = QStringLiteral("field %1 is missing or not enciphered text").arg(n);
            return std::nullopt;
        }
        *field = decipherSettingsField(text);
    }
    if (!in.atEnd()) {
        if (problem)
            *problem = QStringLiteral("%1 bytes after the four fields").arg(in.remaining());
        return std::nullopt;
    }
    return record;
}

SettingsRead readSettingsFile(const QString &workDir)
{
    SettingsRead result;
    if (workDir.isEmpty())
        return result;
    FileRead file = readDataFile(settingsFilePath(workDir), 1024 * 1024);
    if (file.status == FileRead::Missing)
        return result;
    result.status = SettingsRead::Damaged;
    if (!file.ok()) {
        result.reason = file.reason;
        return result;
    }
    if (const auto record = decodeSettings(file.bytes, &result.reason)) {
        result.status = SettingsRead::Read;
        result.record = *record;
        result.reason.clear();
    }
    return result;
}

QString settingsDamageMessage(const QString &workDir, const SettingsRead &read)
{
    return QStringLiteral("The password file %1 cannot be read: %2. Nobody is admitted until it can be read again: "
                          "restore it, or move it aside to start without a password.")
        .arg(QDir::toNativeSeparators(settingsFilePath(workDir)), read.reason);
}

SettingsRecord readSettings(const QString &workDir)
{
    const SettingsRead read = readSettingsFile(workDir);
    return read.status == SettingsRead::Read ? read.record : SettingsRecord();
}

bool writeSettings(const QString &workDir, const SettingsRecord &record, QString *error)
{
    if (workDir.isEmpty()) {
        if (error)
            *error = QStringLiteral("Could not save %1: no working directory has been chosen").arg(kSettingsFileName);
        return false;
    }
    try {
        writeFileAtomic(settingsFilePath(workDir), encodeSettings(record));
    } catch (const FileError &e) {
        if (error)
            *error = e.message();
        return false;
    }
    return true;
}
