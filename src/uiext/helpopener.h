#pragma once

#include <QString>

#include <functional>
#include <utility>

// The help page: installed under <prefix>/share/fennimar, or beside the executable of a build tree.
QString helpFilePath();

class QWidget;

// Opens the help file with the desktop's browser, or runs the opener that
// tests put in its place. When nothing opens it, a message says where the
// help file is.
void openHelp(QWidget *parent = nullptr);

// Replaces what openHelp() does (the opener says whether it opened the file);
// an empty function brings the browser back. Returns the opener that was in place.
std::function<bool()> setHelpOpener(std::function<bool()> opener);
