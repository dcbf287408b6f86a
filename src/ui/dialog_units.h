// Dialog units to pixels and back. A horizontal dialog unit is a quarter of the
// dialog font's average character width, a vertical one an eighth of its
// height; results are rounded to the nearest pixel (halves away from zero).
#pragma once

#include "resources/dialog_template.h"
#include "ui/geometry.h"

namespace recaster::ui {

struct DialogBaseUnits {
    int averageCharWidth = 0;  // pixels
    int charHeight = 0;        // pixels
};

// The average character width the platform uses: the width of the 52 letters
// "A".."Z" "a".."z" in the font, divided by 52 and rounded.
int AverageCharWidth(int widthOfAllLetters);

int DialogUnitsToPixelsX(int x, const DialogBaseUnits& units);
int DialogUnitsToPixelsY(int y, const DialogBaseUnits& units);
// Pixels back to dialog units, rounded to the nearest unit (0 while the
// units are unknown).
int PixelsToDialogUnitsX(int pixels, const DialogBaseUnits& units);
int PixelsToDialogUnitsY(int pixels, const DialogBaseUnits& units);
Rect DialogRectToPixels(const resources::DialogRect& rect, const DialogBaseUnits& units);

}  // namespace recaster::ui
