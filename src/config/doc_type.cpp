// Document type record ('CDTP'):
//
//   item      version 3   version 2
//   name      text        text
//   workform  u16         u8
#include "config/doc_type.h"

#include "config/class_registration.h"

namespace recaster::config {

const RuntimeClass CCfgDocType::kClass{"CCfgDocType", 0, &CreateArchiveObject<CCfgDocType>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgDocType::kClass);
}

void CCfgDocType::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteText(name);
        ar.WriteU16(workform);
    } else {
        name = ar.ReadText();
        workform = ar.ReadU16();
    }
}

void CCfgDocType::PersistWrite(Archive& ar) {
    if (!ReadingVersion2(ar)) {
        Serialize(ar);
        return;
    }
    name = ar.ReadText();
    workform = ar.ReadU8();
}

}  // namespace recaster::config
