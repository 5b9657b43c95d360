#pragma once

#include <QByteArray>
#include <QStringView>

// The one font of the PDF writer: the standard Type 1 font Helvetica under the
// PDF's MacRomanEncoding.

// Text in MacRomanEncoding; a character it cannot hold becomes "?". Characters
// below 0x80 keep their byte.
QByteArray encodeMacRoman(QStringView text);

// The advance width of a MacRomanEncoding byte in Helvetica, in 1/1000 em
// (Adobe's published metrics); 0 for a byte that shows no glyph.
int helveticaWidth(unsigned char byte);
