#pragma once

#include <QString>

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
// Text that Windows-1252 cannot hold is enciphered as UTF-8 behind a byte-order mark.
QString encipherSettingsField(const QString &plain);
// The plain text, or empty for text that is not lower-case hex of whole blocks.
QString decipherSettingsField(const QString &cipher);

QString settingsFilePath(const QString &workDir);

// Writes the file with four empty fields unless it can already be opened.
// Nothing happens without a working directory.
void createDefaultSettings(const QString &workDir);
// The four fields; all empty when the file is missing or unreadable (or there is
// no working directory yet).
SettingsRecord readSettings(const QString &workDir);
// Replaces the file whole; false, leaving the old file as it was, when it cannot,
// with the message for the user (path and reason) in *error when given.
bool writeSettings(const QString &workDir, const SettingsRecord &record, QString *error = nullptr);
