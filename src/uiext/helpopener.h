#pragma once

#include <QString>

#include <functional>
#include <utility>

// The help file installed beside the executable.
QString helpFilePath();

// Opens the help file with the desktop's browser, or runs the opener that
// tests put in its place.
void openHelp();

// Replaces what openHelp() does; an empty function brings the browser back.
// Returns the opener that was in place.
std::function<void()> setHelpOpener(std::function<void()> opener);
