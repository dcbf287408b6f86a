// Painting owner-drawn rows with QPainter.
#include "qt/qt_canvas.h"

#include <QPainter>

#include "qt/qt_text.h"

namespace recaster::qt {
namespace {

QColor ToQColor(ui::Color c) {
    return QColor(c.red, c.green, c.blue);
}
ui::Color ToColor(const QColor& c) {
    return ui::Color{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                     static_cast<uint8_t>(c.blue())};
}
QRect ToQRect(const ui::Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

}  // namespace

QtCanvas::QtCanvas(QPainter* painter, const QFont& font, const QPalette& palette)
    : painter_(painter), font_(font), italicFont_(font), palette_(palette) {
    italicFont_.setItalic(true);
    SetTextColor(SysColor(ui::SystemColor::WindowText));
    SetBackgroundColor(SysColor(ui::SystemColor::Window));
}

ui::Color QtCanvas::SysColor(ui::SystemColor which) const {
    switch (which) {
        case ui::SystemColor::Window:
            return ToColor(palette_.color(QPalette::Active, QPalette::Base));
        case ui::SystemColor::WindowText:
            return ToColor(palette_.color(QPalette::Active, QPalette::Text));
        case ui::SystemColor::Highlight:
            return ToColor(palette_.color(QPalette::Active, QPalette::Highlight));
        case ui::SystemColor::HighlightText:
            return ToColor(palette_.color(QPalette::Active, QPalette::HighlightedText));
        case ui::SystemColor::GrayText:
            return ToColor(palette_.color(QPalette::Disabled, QPalette::Text));
        case ui::SystemColor::ButtonFace:
            return ToColor(palette_.color(QPalette::Active, QPalette::Button));
    }
    return {};
}

void QtCanvas::FillRect(const ui::Rect& rect, ui::Color color) {
    if (painter_ && !rect.IsEmpty()) painter_->fillRect(ToQRect(rect), ToQColor(color));
}

void QtCanvas::DrawText(const ui::Rect& clip, std::string_view text,
                        const ui::TextOptions& options) {
    if (!painter_ || clip.IsEmpty()) return;
    QRect r = ToQRect(clip);
    painter_->save();
    painter_->setClipRect(r, Qt::IntersectClip);
    if (options.opaque) painter_->fillRect(r, ToQColor(backgroundColor()));
    painter_->setFont(options.italic ? italicFont_ : font_);
    painter_->setPen(ToQColor(textColor()));
    int align = Qt::AlignTop | Qt::TextSingleLine |
                (options.align == ui::TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
    painter_->drawText(r, align, FromModel(text));
    painter_->restore();
}

int QtCanvas::TextWidth(std::string_view text, bool italic) const {
    return QFontMetrics(italic ? italicFont_ : font_).horizontalAdvance(FromModel(text));
}

int QtCanvas::LineHeight() const {
    return QFontMetrics(font_).height();
}

}  // namespace recaster::qt
