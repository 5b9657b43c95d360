#pragma once

#include "store/oledatetime.h"

#include <QByteArray>
#include <QString>

// The binary form of the data files: strings with a 1-, 3- or 7-byte length
// prefix, dates as status + double, 32-bit integers and doubles, all
// little-endian, nothing between the fields.

class ArchiveWriter
{
public:
    void writeInt32(qint32 value);
    void writeDouble(double value);
    // Windows-1252 bytes; text that Windows-1252 cannot hold goes in the
    // Unicode form (0xFF, 0xFFFE, the length prefix, UTF-16LE characters).
    void writeString(const QString &text);
    void writeDate(const OleDateTime &date);

    const QByteArray &bytes() const { return m_bytes; }

private:
    void writeLength(quint32 length);
    void writeRaw(const void *data, qsizetype size);

    QByteArray m_bytes;
};

// Reads the same form. A read past the end, or a length prefix larger than what
// is left, fails: the reader stops and every later read fails too.
class ArchiveReader
{
public:
    explicit ArchiveReader(QByteArrayView data) : m_data(data) {}

    bool readInt32(qint32 &value);
    bool readDouble(double &value);
    bool readString(QString &text);
    bool readDate(OleDateTime &date);
    // A string's stored characters without decoding them: Windows-1252 bytes,
    // or UTF-16LE pairs when `wide`. The same checks as readString.
    bool readStringBytes(QByteArrayView &bytes, bool &wide);

    bool ok() const { return m_ok; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos == m_data.size(); }

private:
    bool readRaw(void *out, qsizetype size);
    bool readLength(quint32 &length, qsizetype &charSize);
    bool fail();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};
