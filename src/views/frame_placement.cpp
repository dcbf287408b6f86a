// Cascade placement of new field list windows.
#include "views/frame_placement.h"

#include <algorithm>

namespace recaster::views {

ui::Rect CascadePlacement(int windowsPresent, const ui::Rect& clientArea, int captionHeight) {
    const int offset = (std::max(0, windowsPresent) % 10) * captionHeight;
    const int left = offset + 10;
    const int top = offset + 10;
    const int width = std::max(100, clientArea.Width() - offset - clientArea.left - 20);
    const int height = std::max(100, clientArea.Height() - offset - clientArea.top - 20);
    return ui::Rect{left, top, left + width, top + height};
}

}  // namespace recaster::views
