// HeadlessCanvas: a canvas without pixels that records what was painted, with
// a fixed metric so that column computations can be checked exactly:
//
//   every character (plain or italic)  6 px wide
//   line height                        13 px
//   Window         (255, 255, 255)     WindowText     (0, 0, 0)
//   Highlight      (0, 0, 128)         HighlightText  (255, 255, 255)
//   GrayText       (128, 128, 128)     ButtonFace     (192, 192, 192)
//
// A text's visible part is the characters that fit wholly inside the clip.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"

namespace recaster::ui {

struct DrawOp {
    enum class Kind : uint8_t { Fill, Text } kind = Kind::Fill;
    Rect rect;            // fill rectangle or text clip
    Color color;          // fill colour or text colour
    Color background;     // text background (meaningful when opaque)
    std::string text;     // the whole text given
    std::string visible;  // the characters that fit in the clip
    int x = 0;            // left edge of the first visible character
    TextOptions options;
};

class HeadlessCanvas : public Canvas {
  public:
    static constexpr int kCharWidth = 6;
    static constexpr int kLineHeight = 13;

    Color SysColor(SystemColor which) const override;
    void FillRect(const Rect& rect, Color color) override;
    void DrawText(const Rect& clip, std::string_view text,
                  const TextOptions& options = {}) override;
    int TextWidth(std::string_view text, bool italic = false) const override;
    int LineHeight() const override { return kLineHeight; }

    const std::vector<DrawOp>& ops() const { return ops_; }
    // The text operations only, in order.
    std::vector<DrawOp> Texts() const;
    void Clear() { ops_.clear(); }

  private:
    std::vector<DrawOp> ops_;
};

}  // namespace recaster::ui
