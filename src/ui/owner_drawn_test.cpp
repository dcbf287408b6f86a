// Owner-drawn list rows painted on the headless canvas, and dialog units.
#include <gtest/gtest.h>

#include <array>

#include "ui/dialog.h"
#include "ui/dialog_driver.h"
#include "ui/dialog_units.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"

namespace recaster::ui {
namespace {

using namespace resources;

constexpr int kList = 163;

const DialogTemplate& ListTemplate() {
    static const std::array<ControlTemplate, 2> controls{{
        {kList, ControlKind::OwnerDrawnList, "", {5, 5, 200, 80}, kStyleTabStop | kStyleVScroll},
        {IDOK, ControlKind::DefaultPushButton, "&Done", {5, 90, 40, 14}, kStyleTabStop},
    }};
    static const DialogTemplate t{9002, "Rows", 210, 110, {}, 8, controls};
    return t;
}

// Rows of two columns: a name from 4 px clipped at 226, a value from 230 to
// the right edge; the value is italic when it is a default.
class RowsDialog : public Dialog {
  public:
    struct Row {
        std::string name;
        std::string value;
        bool isDefault;
    };
    explicit RowsDialog(std::vector<Row> rows) : Dialog(ListTemplate()), rows_(std::move(rows)) {}

    void DrawItem(DrawItemContext& c) override {
        if (c.row < 0 || c.row >= static_cast<int>(rows_.size())) return;
        Canvas& canvas = c.canvas;
        Color back = canvas.SysColor(c.selected ? SystemColor::Highlight : SystemColor::Window);
        Color text =
            canvas.SysColor(c.selected ? SystemColor::HighlightText : SystemColor::WindowText);
        canvas.FillRect(c.rect, back);
        Color oldText = canvas.SetTextColor(text);
        Color oldBack = canvas.SetBackgroundColor(back);
        const Row& row = rows_[static_cast<size_t>(c.row)];
        canvas.DrawText({c.rect.left + 4, c.rect.top, c.rect.left + 226, c.rect.bottom}, row.name);
        TextOptions value;
        value.italic = row.isDefault;
        canvas.DrawText({c.rect.left + 230, c.rect.top, c.rect.right, c.rect.bottom}, row.value,
                        value);
        canvas.SetTextColor(oldText);
        canvas.SetBackgroundColor(oldBack);
    }

  protected:
    void OnInitDialog() override {
        Item(kList).SetRowCount(static_cast<int>(rows_.size()));
        SetCurSel(kList, 1);
    }

  private:
    std::vector<Row> rows_;
};

TEST(OwnerDrawnTest, RowsAreDrawnInColumnsWithSelectionColoursAndClipping) {
    std::string longName(40, 'N');  // 240 px: more than the column holds
    RowsDialog dlg({{"SHORT", "Title", false}, {longName, "(02) Author", true}});
    HeadlessUi ui;
    HeadlessCanvas canvas;
    ui.OnDialog(9002, [&](DialogDriver& d) {
        EXPECT_TRUE(d.DrawRows(kList, canvas, 400));
        d.PressEnter();
    });
    dlg.DoModal(ui);

    const auto& ops = canvas.ops();
    ASSERT_EQ(ops.size(), 6u);
    // Row 0: unselected colours, the fill covers the whole row.
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::Fill);
    EXPECT_EQ(ops[0].rect, (Rect{0, 0, 400, 13}));
    EXPECT_EQ(ops[0].color, (Color{255, 255, 255}));
    EXPECT_EQ(ops[1].visible, "SHORT");
    EXPECT_EQ(ops[1].x, 4);
    EXPECT_EQ(ops[1].color, (Color{0, 0, 0}));
    EXPECT_EQ(ops[2].x, 230);
    EXPECT_FALSE(ops[2].options.italic);
    // Row 1: selected, one line lower; the long name is cut at 226 px
    // (222 px wide: 37 whole characters), the default value is italic.
    EXPECT_EQ(ops[3].rect, (Rect{0, 13, 400, 26}));
    EXPECT_EQ(ops[3].color, (Color{0, 0, 128}));
    EXPECT_EQ(ops[4].visible, std::string(37, 'N'));
    EXPECT_EQ(ops[4].rect.right, 226);
    EXPECT_EQ(ops[4].color, (Color{255, 255, 255}));
    EXPECT_EQ(ops[4].background, (Color{0, 0, 128}));
    EXPECT_EQ(ops[5].visible, "(02) Author");
    EXPECT_TRUE(ops[5].options.italic);
    // The row put the colours back.
    EXPECT_EQ(canvas.textColor(), (Color{0, 0, 0}));
    EXPECT_EQ(canvas.backgroundColor(), (Color{255, 255, 255}));
}

TEST(OwnerDrawnTest, HeadlessMetricAndRightAlignedClipping) {
    HeadlessCanvas canvas;
    EXPECT_EQ(canvas.TextWidth("Database"), 48);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_EQ(canvas.LineHeight(), 13);
    TextOptions right;
    right.align = TextAlign::Right;
    canvas.DrawText({0, 0, 20, 13}, "abcdef", right);  // room for 3 whole characters
    EXPECT_EQ(canvas.ops().back().visible, "def");
    EXPECT_EQ(canvas.ops().back().x, 2);
    canvas.DrawText({10, 0, 5, 13}, "abc");  // an empty clip shows nothing
    EXPECT_EQ(canvas.ops().back().visible, "");
}

TEST(DialogUnitsTest, ConvertsWithTheFontsBaseUnitsRounding) {
    // A font 13 px high whose 52 letters are 312 px wide: 6 px on average.
    EXPECT_EQ(AverageCharWidth(312), 6);
    EXPECT_EQ(AverageCharWidth(337), 6);  // 6.48
    EXPECT_EQ(AverageCharWidth(338), 7);  // 6.5 rounds up
    DialogBaseUnits units{6, 13};
    EXPECT_EQ(DialogUnitsToPixelsX(4, units), 6);
    EXPECT_EQ(DialogUnitsToPixelsX(3, units), 5);  // 4.5
    EXPECT_EQ(DialogUnitsToPixelsX(-3, units), -5);
    EXPECT_EQ(DialogUnitsToPixelsY(8, units), 13);
    EXPECT_EQ(DialogUnitsToPixelsY(5, units), 8);  // 8.125
    // Both edges are converted, so a control ends where its neighbour starts.
    Rect a = DialogRectToPixels({5, 5, 3, 10}, units);
    Rect b = DialogRectToPixels({8, 5, 3, 10}, units);
    EXPECT_EQ(a, (Rect{8, 8, 12, 24}));
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(DialogUnitsToPixelsX(2000000000, units), INT32_MAX);  // clamped, no overflow
}

}  // namespace
}  // namespace recaster::ui
