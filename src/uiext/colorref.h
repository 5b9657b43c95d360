#pragma once

#include <QColor>

// Windows colour values (0x00BBGGRR), as the data files hold them.
QColor fromColorRef(quint32 value);
quint32 toColorRef(const QColor &colour);
