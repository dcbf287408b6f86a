// Dialog-unit conversion.
#include "ui/dialog_units.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace recaster::ui {

// value * numerator / denominator rounded half away from zero, computed in 64
// bits and clamped to the int range.
static int MulDivRound(int value, int numerator, int denominator) {
    if (denominator == 0) return 0;
    int64_t product = static_cast<int64_t>(value) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    int64_t magnitude = (product < 0 ? -product : product);
    int64_t d = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
    int64_t half = d / 2;
    int64_t result = (magnitude + half) / d;
    if (negative) result = -result;
    return static_cast<int>(std::clamp<int64_t>(result, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int AverageCharWidth(int widthOfAllLetters) {
    return MulDivRound(widthOfAllLetters, 1, 52);
}

int DialogUnitsToPixelsX(int x, const DialogBaseUnits& units) {
    return MulDivRound(x, units.averageCharWidth, 4);
}

int DialogUnitsToPixelsY(int y, const DialogBaseUnits& units) {
    return MulDivRound(y, units.charHeight, 8);
}

int PixelsToDialogUnitsX(int pixels, const DialogBaseUnits& units) {
    return MulDivRound(pixels, 4, units.averageCharWidth);
}

int PixelsToDialogUnitsY(int pixels, const DialogBaseUnits& units) {
    return MulDivRound(pixels, 8, units.charHeight);
}

Rect DialogRectToPixels(const resources::DialogRect& rect, const DialogBaseUnits& units) {
    int left = DialogUnitsToPixelsX(rect.x, units);
    int top = DialogUnitsToPixelsY(rect.y, units);
    // Both edges are converted, so neighbouring controls stay flush.
    return Rect{left, top, DialogUnitsToPixelsX(rect.x + rect.width, units),
                DialogUnitsToPixelsY(rect.y + rect.height, units)};
}

}  // namespace recaster::ui
