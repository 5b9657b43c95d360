#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The password, its hint question and answer, and a string nobody reads, kept
// enciphered in setfnpngs.pss in the working directory.
struct SettingsRecord
{
    QString first;
    QString password;
    QString hintQuestion;
    QString hintAnswer;

    friend bool operator==(const SettingsRecord &, const SettingsRecord &) = default;
};

// The cipher text of one field: the Windows-1252 bytes and a zero byte,
// zero-padded to whole 8-byte blocks, each block enciphered with Blowfish under
// the program's fixed key (halves little-endian), written as lower-case hex.
// Text that Windows-1252 cannot hold, or whose Windows-1252 bytes would begin
// like a byte-order mark, is enciphered as UTF-8 behind a byte-order mark.
QString encipherSettingsField(const QString &plain);
// The plain text, or empty for text that is not lower-case hex of whole blocks.
QString decipherSettingsField(const QString &cipher);

QString settingsFilePath(const QString &workDir);

// The four enciphered fields as the file holds them.
QByteArray encodeSettings(const SettingsRecord &record);

// The file's bytes read whole: four enciphered strings and nothing after them.
// Nothing, with the reason in *problem, for anything else.
std::optional<SettingsRecord> decodeSettings(QByteArrayView bytes, QString *problem = nullptr);

// Writes the file with four empty fields unless an entry of that name exists.
// Nothing happens without a working directory.
void createDefaultSettings(const QString &workDir);

// The settings file as the password gate sees it: missing (no password is
// set), read whole, or there but not readable whole, which admits nobody.
struct SettingsRead
{
    enum Status { Missing, Read, Damaged };
    Status status = Missing;
    SettingsRecord record;
    QString reason; // why a damaged file cannot be read

    bool admits(const QString &password) const { return status != Damaged && password == record.password; }
};
SettingsRead readSettingsFile(const QString &workDir);
// What the gate tells the user about a damaged settings file.
QString settingsDamageMessage(const QString &workDir, const SettingsRead &read);

// The four fields; all empty when the file is missing or cannot be read whole
// (or there is no working directory yet).
SettingsRecord readSettings(const QString &workDir);
// Replaces the file whole; false, leaving the old file as it was, when it cannot,
// with the message for the user (path and reason) in *error when given.
bool writeSettings(const QString &workDir, const SettingsRecord &record, QString *error = nullptr);
