// Changes of meaning from version 2 to version 3 (table in the header).
#include "convert/version2_meaning.h"

#include "config/lists.h"

namespace recaster::convert {
namespace {

constexpr uint8_t kOldNoComponent = 5;
constexpr uint8_t kOldNoComponentToo = 255;
constexpr size_t kOldRows = 5;
constexpr uint8_t kFirstShiftedAuthorFormat = 3;
constexpr uint8_t kLastShiftedAuthorFormat = 5;

}  // namespace

void UpgradeDatabase(config::CCfgDatabase& copy, const UserWorkformMapping& mapping) {
    copy.workform = mapping.Map(copy.workform);

    config::CCfgDocTypeList* types = copy.GetDocTypeList();
    for (int t = 1; t <= types->GetCount(); ++t) {
        config::CCfgDocType* type = types->DocType(t);
        type->workform = mapping.Map(type->workform);
    }

    config::CCfgAutoParseInfo* info = copy.GetParseInfo();
    for (size_t i = 0; i < info->rows.size(); ++i) {
        uint8_t& kind = info->rows[i].component;
        if (i >= kOldRows || kind == kOldNoComponent || kind == kOldNoComponentToo)
            kind = config::kParseNone;
    }

    if (copy.authorFormat >= kFirstShiftedAuthorFormat &&
        copy.authorFormat <= kLastShiftedAuthorFormat)
        ++copy.authorFormat;
}

}  // namespace recaster::convert
