// Where a new field list window opens: the windows cascade down and to the
// right by one caption height each, starting over after ten, and fill the
// rest of the MDI client area.
#pragma once

#include "ui/geometry.h"

namespace recaster::views {

// `windowsPresent` child windows exist already; `clientArea` is the MDI
// client area (its left and top are usually 0); `captionHeight` the height
// of a window caption. Width and height are at least 100.
ui::Rect CascadePlacement(int windowsPresent, const ui::Rect& clientArea, int captionHeight);

}  // namespace recaster::views
