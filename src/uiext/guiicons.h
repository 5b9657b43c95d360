#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

// A painted badge at one size: a rounded square in the colour carrying the
// short label (one or two letters).
QPixmap badgePixmap(const QString &label, const QColor &colour, int size);
