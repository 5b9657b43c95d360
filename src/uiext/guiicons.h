#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The desktop theme's icon of that name; without one, a painted badge: a
// rounded square in the colour carrying the short label (one or two letters).
QIcon themedIcon(const QString &themeName, const QString &label, const QColor &colour);

// The painted badge alone, at one size.
QPixmap badgePixmap(const QString &label, const QColor &colour, int size);
