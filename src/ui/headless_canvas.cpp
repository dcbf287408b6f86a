// The recording canvas with its fixed metric.
#include "ui/headless_canvas.h"

#include <algorithm>

namespace recaster::ui {

Color HeadlessCanvas::SysColor(SystemColor which) const {
    switch (which) {
        case SystemColor::Window:
            return {255, 255, 255};
        case SystemColor::WindowText:
            return {0, 0, 0};
        case SystemColor::Highlight:
            return {0, 0, 128};
        case SystemColor::HighlightText:
            return {255, 255, 255};
        case SystemColor::GrayText:
            return {128, 128, 128};
        case SystemColor::ButtonFace:
            return {192, 192, 192};
    }
    return {};
}

void HeadlessCanvas::FillRect(const Rect& rect, Color color) {
    DrawOp op;
    op.kind = DrawOp::Kind::Fill;
    op.rect = rect;
    op.color = color;
    ops_.push_back(std::move(op));
}

void HeadlessCanvas::DrawText(const Rect& clip, std::string_view text, const TextOptions& options) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.rect = clip;
    op.color = textColor();
    op.background = backgroundColor();
    op.text = std::string(text);
    op.options = options;
    int fit = clip.Width() > 0 ? clip.Width() / kCharWidth : 0;
    size_t count = std::min(text.size(), static_cast<size_t>(fit));
    if (options.align == TextAlign::Left) {
        op.visible = std::string(text.substr(0, count));
        op.x = clip.left;
    } else {
        op.visible = std::string(text.substr(text.size() - count));
        op.x = clip.right - static_cast<int>(count) * kCharWidth;
    }
    ops_.push_back(std::move(op));
}

int HeadlessCanvas::TextWidth(std::string_view text, bool) const {
    return static_cast<int>(text.size()) * kCharWidth;
}

std::vector<DrawOp> HeadlessCanvas::Texts() const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops_) {
        if (op.kind == DrawOp::Kind::Text) out.push_back(op);
    }
    return out;
}

}  // namespace recaster::ui
