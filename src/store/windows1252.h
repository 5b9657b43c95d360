#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of the data files' strings. Bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D have no character; they map to the C1 controls of the same value,
// so every byte sequence decodes and encodes back unchanged.

QString fromWindows1252(QByteArrayView bytes);

// Encodes text when every character has a Windows-1252 byte; false otherwise.
bool toWindows1252(QStringView text, QByteArray &out);

// The byte for one character, or -1 when Windows-1252 cannot hold it.
int windows1252Byte(char16_t c);
