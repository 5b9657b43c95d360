#include "store/archive.h"

#include "store/windows1252.h"

#include <QtEndian>

#include <cstring>

void ArchiveWriter::writeRaw(const void *data, qsizetype size)
{
    m_bytes.append(static_cast<const char *>(data), size);
}

void ArchiveWriter::writeInt32(qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    writeRaw(&le, 4);
}

void ArchiveWriter::writeDouble(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, 8);
    bits = qToLittleEndian(bits);
    writeRaw(&bits, 8);
}

void ArchiveWriter::writeLength(quint32 length)
{
    if (length < 0xFF) {
        m_bytes.append(char(length));
    } else if (length < 0xFFFE) {
        m_bytes.append(char(0xFF));
        const quint16 le = qToLittleEndian(quint16(length));
        writeRaw(&le, 2);
    } else {
        m_bytes.append(char(0xFF));
        const quint16 marker = qToLittleEndian(quint16(0xFFFF));
        writeRaw(&marker, 2);
        const quint32 le = qToLittleEndian(length);
        writeRaw(&le, 4);
    }
}

void ArchiveWriter::writeString(const QString &text)
{
    QByteArray bytes;
    if (toWindows1252(text, bytes)) {
        writeLength(quint32(bytes.size()));
        m_bytes.append(bytes);
        return;
    }
    m_bytes.append(char(0xFF));
    const quint16 marker = qToLittleEndian(quint16(0xFFFE));
    writeRaw(&marker, 2);
    writeLength(quint32(text.size()));
    for (QChar c : text) {
        const quint16 le = qToLittleEndian(c.unicode());
        writeRaw(&le, 2);
    }
}

void ArchiveWriter::writeDate(const OleDateTime &date)
{
    writeInt32(date.status());
    writeDouble(date.value());
}

bool ArchiveReader::fail()
{
    m_ok = false;
    m_pos = m_data.size();
    return false;
}

bool ArchiveReader::readRaw(void *out, qsizetype size)
{
    if (!m_ok || remaining() < size)
        return fail();
    std::memcpy(out, m_data.data() + m_pos, size_t(size));
    m_pos += size;
    return true;
}

bool ArchiveReader::readInt32(qint32 &value)
{
    qint32 le;
    if (!readRaw(&le, 4))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool ArchiveReader::readDouble(double &value)
{
    quint64 bits;
    if (!readRaw(&bits, 8))
        return false;
    bits = qFromLittleEndian(bits);
    std::memcpy(&value, &bits, 8);
    return true;
}

bool ArchiveReader::readLength(quint32 &length, qsizetype &charSize)
{
    charSize = 1;
    quint8 byteLength;
    if (!readRaw(&byteLength, 1))
        return false;
    if (byteLength < 0xFF) {
        length = byteLength;
        return true;
    }
    quint16 wordLength;
    if (!readRaw(&wordLength, 2))
        return false;
    wordLength = qFromLittleEndian(wordLength);
    if (wordLength == 0xFFFE) {
        // Unicode marker: the real length prefix follows.
        charSize = 2;
        if (!readRaw(&byteLength, 1))
            return false;
        if (byteLength < 0xFF) {
            length = byteLength;
            return true;
        }
        if (!readRaw(&wordLength, 2))
            return false;
        wordLength = qFromLittleEndian(wordLength);
    }
    if (wordLength < 0xFFFF) {
        length = wordLength;
        return true;
    }
    quint32 le;
    if (!readRaw(&le, 4))
        return false;
    length = qFromLittleEndian(le);
    return true;
}

bool ArchiveReader::readStringBytes(QByteArrayView &bytes, bool &wide)
{
    quint32 length;
    qsizetype charSize;
    if (!readLength(length, charSize))
        return false;
    // Checked against what is left before anything is allocated.
    if (quint64(length) * quint64(charSize) > quint64(remaining()))
        return fail();
    bytes = m_data.sliced(m_pos, qsizetype(length) * charSize);
    m_pos += bytes.size();
    wide = charSize == 2;
    return true;
}

bool ArchiveReader::readString(QString &text)
{
    QByteArrayView bytes;
    bool wide = false;
    if (!readStringBytes(bytes, wide))
        return false;
    if (!wide) {
        text = fromWindows1252(bytes);
    } else {
        const qsizetype length = bytes.size() / 2;
        text.resize(length);
        for (qsizetype i = 0; i < length; ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    }
    return true;
}

bool ArchiveReader::readDate(OleDateTime &date)
{
    qint32 status;
    double value;
    if (!readInt32(status) || !readDouble(value))
        return false;
    date = OleDateTime(value, status);
    return true;
}
