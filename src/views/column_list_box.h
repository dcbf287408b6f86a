// ColumnListBox: the owner-drawn list of a list window. It shows one
// configuration list (databases or fields) in a list control without texts,
// one row per element (row i shows list position i + 1), in columns whose
// left edges follow the widest texts, and selects by typed prefix.
//
// The control itself (id 101, owner-drawn, fixed row height) belongs to the
// window's pane dialog; this class keeps it in step with the list, paints
// its rows and interprets keys. A front end paints rows through
// ui::Dialog::DrawItem of the pane, which lands in DrawRow.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "config/lists.h"
#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/keys.h"
#include "views/type_ahead.h"
#include "workforms/workform_catalog.h"

namespace recaster::views {

// The command a key asks for; None leaves the key to the list control.
enum class ListKeyCommand : uint8_t { None, Modify, New, Delete };

class ColumnListBox : private config::ListViewLink {
  public:
    enum class Kind : uint8_t { Databases, Fields };
    static constexpr int kControlId = 101;
    // The row number the platform passes when there is no row to paint.
    static constexpr int kNoRow = 65535;
    // Text ends this many pixels before the next column starts.
    static constexpr int kColumnGap = 5;
    // A subfield's tag stands this far right of a field's.
    static constexpr int kSubfieldIndent = 15;

    // `catalog` names workforms and target fields; it must outlive the box.
    ColumnListBox(ui::Control& control, Kind kind, const workforms::WorkformCatalog& catalog);
    ~ColumnListBox() override;
    ColumnListBox(const ColumnListBox&) = delete;
    ColumnListBox& operator=(const ColumnListBox&) = delete;

    Kind kind() const { return kind_; }
    ui::Control& control() { return control_; }
    const ui::Control& control() const { return control_; }
    config::CCfgAbstractList* list() const { return list_; }

    // Shows `list` (not owned; a CCfgDBList or CCfgFieldList as the kind
    // says): registers as its window, makes one row per element, selects
    // row 0 and computes the columns with `metrics`' text widths.
    // std::invalid_argument for a list of the other kind.
    void Attach(config::CCfgAbstractList& list, const ui::Canvas& metrics);
    // Lets go of the list (also done when the list is destroyed first).
    void Detach();

    // The element of the current row, or null.
    config::CPersistentObject* SelectedElement() const;
    int SelectedIndex() const { return control_.curSel(); }
    void Select(int index) { control_.SetCurSel(index); }

    // Adds `element` to the list (which picks its position), adds a row and
    // repaints; returns the new element's row. The field list selects it at
    // once, the database list leaves that to its view.
    int Add(std::unique_ptr<config::CPersistentObject> element);
    // Takes the element of row `index` out of the list (its records are
    // deleted) and removes its row; returns the element, or null when there
    // is no such row. The selection is left to the caller.
    std::unique_ptr<config::CPersistentObject> Remove(int index);

    // Left edges of the columns, pixels from the row's left edge: 3 for
    // databases, 4 for fields.
    const std::vector<int>& ColumnEdges() const { return edges_; }
    void ComputeColumns(const ui::Canvas& metrics);

    // Paints row `row` (kNoRow or -1: nothing) into `rect`.
    void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect, bool selected) const;

    // What a key pressed in the list asks for.
    // Plain Enter, Insert and Delete ask for Modify, New and Delete.
    static ListKeyCommand CommandForKey(const ui::KeyPress& key);
    // A typed character: false when it needs the default handling (control
    // characters); otherwise it may have moved the selection.
    bool TypeCharacter(char ch, uint32_t now, uint32_t doubleClickTime);

  private:
    void RepaintList() override { control_.InvalidateRow(-1); }
    void ListDestroyed() override;
    // The texts of the columns of `element`, and the tag's extra indent.
    std::vector<std::string> ColumnTexts(const config::CPersistentObject& element,
                                         int& indent) const;
    TypeAheadBuffer& Buffer() const;

    ui::Control& control_;
    Kind kind_;
    const workforms::WorkformCatalog& catalog_;
    config::CCfgAbstractList* list_ = nullptr;
    std::vector<int> edges_;
};

}  // namespace recaster::views
