// General information record ('CGNL'):
//
//   item      encoding
//   title     text
//   comments  text
//   flag      u8, kept as read
#include "config/genl_info.h"

#include "config/class_registration.h"

namespace recaster::config {

const RuntimeClass CCfgGenlInfo::kClass{"CCfgGenlInfo", 0, &CreateArchiveObject<CCfgGenlInfo>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgGenlInfo::kClass);
}

CCfgGenlInfo& CCfgGenlInfo::operator=(const CCfgGenlInfo& other) {
    title = other.title;
    comments = other.comments;
    flag = other.flag;
    Save();
    return *this;
}

void CCfgGenlInfo::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteText(title);
        ar.WriteText(comments);
        ar.WriteU8(flag);
    } else {
        title = ar.ReadText();
        comments = ar.ReadText();
        flag = ar.ReadU8();
    }
}

}  // namespace recaster::config
