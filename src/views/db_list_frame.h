// CDBListFrame: the database list window of one document: the header bar
// (template 303: icon, count line, captions Name, Description and Target
// Tomebase Workform over the list's columns), the view, and the button bar
// (template 304: New, Delete, Modify). Its title is the document's title,
// and closing it closes the document.
#pragma once

#include <string>

#include "views/db_list_view.h"
#include "views/list_frame.h"

namespace recaster::views {

class CDBListFrame : public ListFrame {
  public:
    static constexpr int kHeaderTemplate = 303;
    static constexpr int kButtonTemplate = 304;
    static constexpr int kCaptionName = 132;
    static constexpr int kCaptionDescription = 130;
    static constexpr int kCaptionTarget = 154;

    explicit CDBListFrame(ViewDocument& document,
                          const workforms::WorkformCatalog& catalog = workforms::Workforms());
    ~CDBListFrame() override { DetachView(); }

    CDBListView& view() { return view_; }

    // The document's title, without a window number.
    std::string Title() const override { return view_.document().Title(); }
    bool ClosesDocument() const override { return true; }

  private:
    CDBListView view_;
};

}  // namespace recaster::views
