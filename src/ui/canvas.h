// Canvas: what owner-drawn rows paint with. Like a device context it keeps a
// text colour and a background colour that text drawing uses; the setters
// return the previous colour so a row can put it back. Texts are
// Windows-1252.
#pragma once

#include <string_view>

#include "ui/geometry.h"

namespace recaster::ui {

enum class SystemColor : uint8_t {
    Window,
    WindowText,
    Highlight,
    HighlightText,
    GrayText,
    ButtonFace
};

enum class TextAlign : uint8_t { Left, Right };

struct TextOptions {
    bool opaque = true;  // fill the clip rectangle with the background first
    bool italic = false;
    TextAlign align = TextAlign::Left;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual Color SysColor(SystemColor which) const = 0;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    // Draws `text` on one line from the clip's top, starting at its left edge
    // (or ending at its right edge when right-aligned); nothing outside
    // `clip` is painted.
    virtual void DrawText(const Rect& clip, std::string_view text,
                          const TextOptions& options = {}) = 0;
    virtual int TextWidth(std::string_view text, bool italic = false) const = 0;
    virtual int LineHeight() const = 0;

    Color textColor() const { return textColor_; }
    Color backgroundColor() const { return backgroundColor_; }
    Color SetTextColor(Color color) {
        Color old = textColor_;
        textColor_ = color;
        return old;
    }
    Color SetBackgroundColor(Color color) {
        Color old = backgroundColor_;
        backgroundColor_ = color;
        return old;
    }

  private:
    Color textColor_{0, 0, 0};
    Color backgroundColor_{255, 255, 255};
};

}  // namespace recaster::ui
