// Column edges, row painting and type-ahead of the column list.
#include "views/column_list_box.h"

#include <gtest/gtest.h>

#include "config/enums.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"
#include "views/column_list_pane.h"
#include "views/views_test_util.h"

namespace recaster::views {
namespace {

using config::CCfgDBList;
using config::CCfgField;
using config::CCfgFieldList;
using ui::Color;
using ui::HeadlessCanvas;
using ui::Rect;

// 6 px a character on the headless canvas.
std::string Chars(int n) {
    return std::string(static_cast<size_t>(n), 'X');
}

class NullDelegate : public ListPaneDelegate {
  public:
    void ListSelectionChanged() override { ++selectionChanges; }
    void ListDoubleClicked(int) override {}
    bool ListKeyCommand(views::ListKeyCommand) override { return false; }
    int selectionChanges = 0;
};

struct DbListFixture {
    workforms::WorkformCatalog catalog;
    CCfgDBList list;
    NullDelegate delegate;
    ColumnListPane pane{ColumnListBox::Kind::Databases, catalog, delegate};
    HeadlessCanvas canvas;
    DbListFixture() { testing::FillCatalog(catalog); }
    ColumnListBox& box() { return pane.box(); }
};

TEST(ColumnListBoxTest, DatabaseColumnsFollowTheWidestTexts) {
    {
        DbListFixture f;
        testing::AppendDb(f.list, "Default");
        testing::AppendDb(f.list, "SHORT", "Short text");
        f.box().Attach(f.list, f.canvas);
        EXPECT_EQ(f.box().ColumnEdges(), (std::vector<int>{2, 82, 221}));
        EXPECT_EQ(f.box().control().ItemCount(), 2);
        EXPECT_EQ(f.box().SelectedIndex(), 0);
        EXPECT_EQ(f.list.GetView() != nullptr, true);
    }
    {
        // A 16-character name (98 px with the margin) moves the description
        // column; the target column moves with it; only the last element
        // has the wide name.
        DbListFixture f;
        testing::AppendDb(f.list, "Default");
        testing::AppendDb(f.list, "A");
        testing::AppendDb(f.list, Chars(16));
        f.box().Attach(f.list, f.canvas);
        EXPECT_EQ(f.box().ColumnEdges(), (std::vector<int>{2, 98, 237}));
    }
    {
        // A wide description in the last element moves the target column;
        // a name just under 82 px leaves the description column at 82.
        DbListFixture f;
        testing::AppendDb(f.list, "Default");
        testing::AppendDb(f.list, Chars(13), "d");
        testing::AppendDb(f.list, "B", Chars(30));
        f.box().Attach(f.list, f.canvas);
        EXPECT_EQ(f.box().ColumnEdges(), (std::vector<int>{2, 82, 82 + 182}));
    }
}

TEST(ColumnListBoxTest, FieldColumnsCountSubfieldIndentAndTypeNames) {
    workforms::WorkformCatalog catalog;
    CCfgFieldList list;
    NullDelegate delegate;
    ColumnListPane pane(ColumnListBox::Kind::Fields, catalog, delegate);
    HeadlessCanvas canvas;

    auto parent = std::make_unique<CCfgField>();
    parent->tag = "TI";
    parent->type = config::kFieldParsedWithSubfields;  // 21 characters
    CCfgField* parentRaw = parent.get();
    list.Append(std::move(parent));
    auto sub = std::make_unique<CCfgField>();
    sub->tag = Chars(6);  // 36 + 2 + 15 = 53 px
    sub->parent = parentRaw;
    sub->description = Chars(20);  // 122 px
    list.Append(std::move(sub));

    pane.box().Attach(list, canvas);
    const int edge1 = 53;
    const int edge2 = std::max(118, edge1 + 122);
    const int edge3 = std::max(210, edge2 + 21 * 6 + 2);
    EXPECT_EQ(pane.box().ColumnEdges(), (std::vector<int>{2, edge1, edge2, edge3}));
}

TEST(ColumnListBoxTest, RowsPaintColumnsClippedBeforeTheNextColumn) {
    DbListFixture f;
    testing::AppendDb(f.list, "Default", "Default Database Definition", 2);
    testing::AppendDb(f.list, "MED", "Medicine", 3);
    f.box().Attach(f.list, f.canvas);
    // 27 characters: 164 px, so the target column starts at 82 + 164.
    ASSERT_EQ(f.box().ColumnEdges(), (std::vector<int>{2, 82, 246}));
    const Color oldText{1, 2, 3};
    const Color oldBackground{4, 5, 6};
    f.canvas.SetTextColor(oldText);
    f.canvas.SetBackgroundColor(oldBackground);

    f.box().DrawRow(f.canvas, 1, Rect{0, 13, 400, 26}, true);
    ASSERT_EQ(f.canvas.ops().size(), 4u);
    const Color highlight{0, 0, 128};
    const Color highlightText{255, 255, 255};
    EXPECT_EQ(f.canvas.ops()[0].kind, ui::DrawOp::Kind::Fill);
    EXPECT_EQ(f.canvas.ops()[0].rect, (Rect{0, 13, 400, 26}));
    EXPECT_EQ(f.canvas.ops()[0].color, highlight);
    auto texts = f.canvas.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "MED");
    EXPECT_EQ(texts[0].rect, (Rect{2, 13, 77, 26}));
    EXPECT_EQ(texts[1].text, "Medicine");
    EXPECT_EQ(texts[1].rect, (Rect{82, 13, 241, 26}));
    EXPECT_EQ(texts[2].text, "Inspec");  // the workform's name
    EXPECT_EQ(texts[2].rect, (Rect{246, 13, 400, 26}));
    for (const auto& t : texts) {
        EXPECT_EQ(t.color, highlightText);
        EXPECT_EQ(t.background, highlight);
        EXPECT_TRUE(t.options.opaque);
    }
    EXPECT_EQ(f.canvas.textColor(), oldText);
    EXPECT_EQ(f.canvas.backgroundColor(), oldBackground);

    // Unselected rows use the window colours; rows start at the rect's left.
    f.canvas.Clear();
    f.box().DrawRow(f.canvas, 0, Rect{10, 0, 400, 13}, false);
    texts = f.canvas.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(f.canvas.ops()[0].color, (Color{255, 255, 255}));
    EXPECT_EQ(texts[0].color, (Color{0, 0, 0}));
    EXPECT_EQ(texts[0].rect.left, 12);
    EXPECT_EQ(texts[2].text, "Medline");
    // The clip ends 5 px before the next column, so even the widest text
    // loses the end of its last character.
    EXPECT_EQ(texts[1].visible, "Default Database Definitio");

    // No row, or a row past the list: nothing, or only the background.
    f.canvas.Clear();
    f.box().DrawRow(f.canvas, ColumnListBox::kNoRow, Rect{0, 0, 400, 13}, true);
    f.box().DrawRow(f.canvas, -1, Rect{0, 0, 400, 13}, true);
    EXPECT_TRUE(f.canvas.ops().empty());
    f.box().DrawRow(f.canvas, 7, Rect{0, 0, 400, 13}, false);
    ASSERT_EQ(f.canvas.ops().size(), 1u);
    EXPECT_EQ(f.canvas.ops()[0].kind, ui::DrawOp::Kind::Fill);
}

TEST(ColumnListBoxTest, FieldRowsShowIndentTypeAndTarget) {
    workforms::WorkformCatalog catalog;
    testing::FillCatalog(catalog);
    config::CCfgDatabase db;
    db.workform = 2;
    CCfgFieldList list;
    list.owner = &db;
    NullDelegate delegate;
    ColumnListPane pane(ColumnListBox::Kind::Fields, catalog, delegate);
    HeadlessCanvas canvas;

    auto parent = std::make_unique<CCfgField>();
    parent->tag = "AU";
    parent->type = config::kFieldAuthor;
    parent->defaultTarget = 4;
    parent->owner = &list;
    CCfgField* parentRaw = parent.get();
    list.Append(std::move(parent));
    auto sub = std::make_unique<CCfgField>();
    sub->tag = "AB";
    sub->parent = parentRaw;
    sub->owner = &list;
    list.Append(std::move(sub));
    pane.box().Attach(list, canvas);

    pane.box().DrawRow(canvas, 0, Rect{0, 0, 500, 13}, false);
    pane.box().DrawRow(canvas, 1, Rect{0, 13, 500, 26}, false);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].rect.left, 2);
    EXPECT_EQ(texts[2].text, "Author");
    EXPECT_EQ(texts[3].text, "(5) F5");
    EXPECT_EQ(texts[4].rect.left, 2 + ColumnListBox::kSubfieldIndent);
    EXPECT_EQ(texts[7].text, "* Do Not Transfer");
}

class TypeAheadTest : public ::testing::Test {
  protected:
    TypeAheadTest() {
        DatabaseTypeAhead().text.clear();
        DatabaseTypeAhead().lastTick = 0;
        ui.SetTickCount(10000);
        ui.SetDoubleClickTime(500);
        for (const char* name : {"Default", "ALPHA", "BETA", "BETTY", "BRAVO", "CHARLIE"})
            testing::AppendDb(f.list, name);
        f.box().Attach(f.list, f.canvas);
    }
    bool Type(char ch, uint32_t after) {
        ui.AdvanceTicks(after);
        return ui::DialogDriver(f.pane).Char(ColumnListBox::kControlId, ch);
    }

    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current{ui};
    DbListFixture f;
};

TEST_F(TypeAheadTest, QuickLettersRefineAndSlowLettersMoveOn) {
    // First letter: the next name with it. A quick second letter that the
    // current name also starts with keeps it (BETTY would match too).
    EXPECT_TRUE(Type('b', 0));
    EXPECT_EQ(f.box().SelectedIndex(), 2);
    EXPECT_EQ(f.delegate.selectionChanges, 1);
    EXPECT_TRUE(Type('e', 100));
    EXPECT_EQ(f.box().SelectedIndex(), 2);
    EXPECT_EQ(DatabaseTypeAhead().text, "BE");
    // One it does not start with moves on to the next match.
    Type('b', 600);
    EXPECT_EQ(f.box().SelectedIndex(), 3);
    EXPECT_TRUE(Type('r', 100));
    EXPECT_EQ(f.box().SelectedIndex(), 4);

    // The same letter after the double-click time steps on from the item
    // after the current one, wrapping round past the default database.
    f.pane.box().Select(2);
    EXPECT_TRUE(Type('b', 501));
    EXPECT_EQ(f.box().SelectedIndex(), 3);
    EXPECT_TRUE(Type('b', 501));
    EXPECT_EQ(f.box().SelectedIndex(), 4);
    EXPECT_TRUE(Type('b', 501));
    EXPECT_EQ(f.box().SelectedIndex(), 2);
    EXPECT_TRUE(Type('c', 501));
    EXPECT_EQ(f.box().SelectedIndex(), 5);
}

TEST_F(TypeAheadTest, ControlCharactersAndAFullBufferLeaveThePrefix) {
    Type('a', 0);
    Type('l', 10);
    const uint32_t tick = DatabaseTypeAhead().lastTick;
    EXPECT_FALSE(Type('\b', 10));
    EXPECT_FALSE(Type('\r', 10));
    EXPECT_EQ(DatabaseTypeAhead().text, "AL");
    EXPECT_EQ(DatabaseTypeAhead().lastTick, tick);
    EXPECT_EQ(f.box().SelectedIndex(), 1);

    for (int i = 0; i < 20; ++i) Type('x', 10);
    EXPECT_EQ(DatabaseTypeAhead().text.size(), 15u);
    // The buffer is shared by every database list.
    DbListFixture other;
    EXPECT_EQ(DatabaseTypeAhead().text.size(), 15u);
    EXPECT_TRUE(FieldTypeAhead().text.empty());
    EXPECT_EQ(FieldTypeAhead().capacity, 31u);
}

TEST(ColumnListBoxTest, ListDestroyedFirstLeavesAnEmptyBox) {
    DbListFixture f;
    auto list = std::make_unique<CCfgDBList>();
    testing::AppendDb(*list, "Default");
    f.box().Attach(*list, f.canvas);
    list.reset();
    EXPECT_EQ(f.box().list(), nullptr);
    CCfgFieldList fields;
    EXPECT_THROW(f.box().Attach(fields, f.canvas), std::invalid_argument);
    EXPECT_EQ(f.box().control().ItemCount(), 0);
    EXPECT_EQ(f.box().SelectedElement(), nullptr);
}

}  // namespace
}  // namespace recaster::views
