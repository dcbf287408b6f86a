// The field list window of one database.
#include "views/field_list_frame.h"

#include "base/cp1252.h"
#include "resources/strings.h"
#include "views/db_list_commands.h"
#include "views/db_list_view.h"

namespace recaster::views {

namespace {
constexpr int kStringDatabaseTitle = 48;
}

FieldListFrame::FieldListFrame(CDBListView& databases, config::CCfgDatabase& database,
                               CFldListView::FieldEditor editor)
    : ListFrame(view_, kHeaderTemplate, kButtonTemplate,
                {kCaptionTag, kCaptionDescription, kCaptionType, kCaptionTarget}),
      databases_(databases),
      view_(databases.document(), database, databases.catalog(), std::move(editor)) {
    Bind();
    commands_.Add(kCmdDatabaseInformation,
                  [this] { databases_.EditDatabaseInformation(view_.database()); });
    commands_.Add(kCmdDocumentTypes, [this] { databases_.EditDocumentTypes(view_.database()); });
    commands_.Add(kCmdAuthorFieldFormat, [this] { databases_.EditAuthorFormat(view_.database()); });
}

std::string FieldListFrame::Title() const {
    // The database's name is configuration text; the document's, a file name.
    std::string name =
        Cp1252ToUtf8(resources::FormatString(kStringDatabaseTitle, view_.database().name));
    const std::string document = view_.document().Title();
    return document.empty() ? name : document + " : " + name;
}

void FieldListFrame::Close() {
    databases_.CloseFieldWindow(view_.database());
}

}  // namespace recaster::views
