// The database list window of one document.
#include "views/db_list_frame.h"

namespace recaster::views {

CDBListFrame::CDBListFrame(ViewDocument& document, const workforms::WorkformCatalog& catalog)
    : ListFrame(view_, kHeaderTemplate, kButtonTemplate,
                {kCaptionName, kCaptionDescription, kCaptionTarget}),
      view_(document, catalog) {
    Bind();
}

}  // namespace recaster::views
