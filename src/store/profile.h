#pragma once

#include <QByteArray>
#include <QString>

// The per-user profile (QSettings "Kestrune"/"Fennimar"): where the books are,
// the split of the main window and whether charts show their values.

QString profileWorkDir();
void writeProfile(const QString &workDir, int first, int second);
// "Show"/"Show": 1 (the default) draws value labels on charts, 0 does not.
int readShowValues();
void writeShowValues(int show);
// The main window's last size, position and state (empty when none was kept).
QByteArray readWindowGeometry();
void writeWindowGeometry(const QByteArray &geometry);
