// QtCanvas: the ui::Canvas that owner-drawn rows paint with in the Qt front
// end, over a QPainter. Without a painter it only measures (text widths and
// line height), which is what column computations need outside painting.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPalette>

#include "ui/canvas.h"

class QPainter;

namespace recaster::qt {

class QtCanvas : public ui::Canvas {
  public:
    QtCanvas(QPainter* painter, const QFont& font, const QPalette& palette);

    ui::Color SysColor(ui::SystemColor which) const override;
    void FillRect(const ui::Rect& rect, ui::Color color) override;
    void DrawText(const ui::Rect& clip, std::string_view text,
                  const ui::TextOptions& options = {}) override;
    int TextWidth(std::string_view text, bool italic = false) const override;
    int LineHeight() const override;

  private:
    QPainter* painter_;
    QFont font_;
    QFont italicFont_;
    QPalette palette_;
};

}  // namespace recaster::qt
