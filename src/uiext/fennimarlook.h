#pragma once

#include <QPalette>

class QApplication;

// The palette of the program's look, built from GuiDrawLayer.
QPalette fennimarPalette();

// Gives the whole application the program's look: the Fusion style with
// fennimarPalette().
void applyFennimarLook(QApplication &app);
