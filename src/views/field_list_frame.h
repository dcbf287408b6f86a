// FieldListFrame: the field list window of one database: the header bar
// (template 306: icon, count line, captions Tag, Description, Field Type and
// Target Tomebase Field over the list's columns), the view, the button bar
// (template 305: New Field, Delete, Add Subfield, Modify), the title
// "<document> : Database '<name>'", and the database commands of the
// Configuration menu for its own database. The database list view opens,
// owns and closes it.
#pragma once

#include <string>

#include "ui/command_target.h"
#include "views/field_list_view.h"
#include "views/list_frame.h"

namespace recaster::views {

class CDBListView;

class FieldListFrame : public ListFrame {
  public:
    static constexpr int kHeaderTemplate = 306;
    static constexpr int kButtonTemplate = 305;
    static constexpr int kCaptionTag = 132;
    static constexpr int kCaptionDescription = 130;
    static constexpr int kCaptionType = 133;
    static constexpr int kCaptionTarget = 154;

    FieldListFrame(CDBListView& databases, config::CCfgDatabase& database,
                   CFldListView::FieldEditor editor);
    ~FieldListFrame() override { DetachView(); }

    CFldListView& view() { return view_; }
    config::CCfgDatabase& database() const { return view_.database(); }

    std::string Title() const override;
    bool ClosesDocument() const override { return false; }
    // The view, then the database commands for this window's database.
    std::vector<ui::CommandTarget*> CommandTargets() override { return {&view_, &commands_}; }
    // The count line is refreshed whenever the window becomes active.
    void OnActivate() override { view_.RefreshCountLine(); }
    // The user closed the window: it goes without a question.
    void Close();

  private:
    CDBListView& databases_;
    CFldListView view_;
    ui::CommandMap commands_;
};

}  // namespace recaster::views
