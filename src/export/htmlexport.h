#pragma once

#include "export/exportsource.h"

#include <QByteArray>
#include <QString>

// The HTML export of the shown list: one page with a caption, a heading and the
// list's table, in Windows-1252. Text from the user's data is escaped.
QByteArray exportHtml(const ExportSource &source);

// "&", "<" and ">" as character references.
QString htmlEscaped(const QString &text);

// The page's bytes in Windows-1252; a character the code page cannot hold
// becomes a numeric character reference.
QByteArray htmlBytes(const QString &page);
