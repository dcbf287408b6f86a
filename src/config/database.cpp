// Database record ('CDBS') and clipboard form.
//
// Record:
//   item                            version 3   version 2
//   target workform                 u16         u8
//   name, description               text, text
//   field list id                   u32 (-1 = never created)
//   document type list id           u32
//   parse information id            u32
//   flags                           u8: bit 0 use default parse format,
//                                       bit 1 use default author format
//   author format, hyphens          u8, u8
//   author separator                text
//
// Clipboard form: u16 workform; name; description; the field list, the
// document type list and the parse information as objects; then flags,
// author format, hyphens and separator as in the record. Then a trailer of
// our own, because a field's clipboard form has no parent id and a pasted
// database would otherwise lose which fields are subfields:
//   u32 'SUBF' marker, count, one boolean per field of the list (1 = a
//   subfield of the nearest top-level field before it)
// A reader that stops after the separator ignores it; a stream without it
// (or with the clipboard block's padding) leaves every field top-level.
#include "config/database.h"

#include "config/class_registration.h"
#include "config/lists.h"
#include "config/store_link.h"
#include "store/key.h"

namespace recaster::config {

const RuntimeClass CCfgDatabase::kClass{"CCfgDatabase", 0, &CreateArchiveObject<CCfgDatabase>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgDatabase::kClass);

// The child (tag, id) of `db`, from its store: created empty when it never
// had a record. Installed before loading, because the field reader may ask
// the database for its other children, then removed again if loading fails.
template <typename T>
T* GetChild(CCfgDatabase& db, std::unique_ptr<T>& child, uint32_t id, uint32_t tag) {
    if (child) return child.get();
    child = std::make_unique<T>();
    if constexpr (std::is_same_v<T, CCfgFieldList>) child->owner = &db;
    if (id == kNoId) return child.get();
    try {
        if (!db.GetLink()) {
            throw ArchiveError(ArchiveError::Cause::Generic, {},
                               "database '" + db.name + "' refers to record " +
                                   store::TagText(tag) + " " + std::to_string(id) +
                                   " but belongs to no file");
        }
        db.GetLink()->Load(*child, tag, id);
    } catch (...) {
        child.reset();
        throw;
    }
    return child.get();
}

}  // namespace

CCfgDatabase::CCfgDatabase() : CPersistentObject(FourCC("CDBS")) {}

CCfgDatabase::~CCfgDatabase() = default;

CCfgDatabase::CCfgDatabase(const CCfgDatabase& other)
    : CPersistentObject(other),
      workform(other.workform),
      name(other.name),
      description(other.description),
      useDefaultParseFormat(other.useDefaultParseFormat),
      useDefaultAuthorFormat(other.useDefaultAuthorFormat),
      authorFormat(other.authorFormat),
      hyphens(other.hyphens),
      authorSeparator(other.authorSeparator) {
    // Loading children does not change what the source holds.
    auto& source = const_cast<CCfgDatabase&>(other);
    // A child held only in memory (never stored) is copied as well, so that
    // copying an unattached database loses nothing.
    if (other.fieldListId != kNoId || other.fieldList_) {
        fieldList_ = std::make_unique<CCfgFieldList>(*source.GetFieldList());
        fieldList_->owner = this;
    }
    if (other.docTypeListId != kNoId || other.docTypeList_) {
        docTypeList_ = std::make_unique<CCfgDocTypeList>(*source.GetDocTypeList());
    }
    if (other.parseInfoId != kNoId || other.parseInfo_) {
        parseInfo_ = std::make_unique<CCfgAutoParseInfo>(*source.GetParseInfo());
    }
}

CCfgFieldList* CCfgDatabase::GetFieldList() {
    return GetChild(*this, fieldList_, fieldListId, FourCC("CFD#"));
}

CCfgDocTypeList* CCfgDatabase::GetDocTypeList() {
    return GetChild(*this, docTypeList_, docTypeListId, FourCC("CDT#"));
}

CCfgAutoParseInfo* CCfgDatabase::GetParseInfo() {
    return GetChild(*this, parseInfo_, parseInfoId, FourCC("CAPI"));
}

void CCfgDatabase::ReleaseChildren() {
    fieldList_.reset();
    docTypeList_.reset();
    parseInfo_.reset();
}

void CCfgDatabase::ReleaseStoredChildren() {
    if (fieldListId != kNoId && fieldList_ && fieldList_->GetView() == nullptr) fieldList_.reset();
    if (docTypeListId != kNoId) docTypeList_.reset();
    if (parseInfoId != kNoId) parseInfo_.reset();
}

void CCfgDatabase::Attach(CStoreLink* link, uint32_t id) {
    CCfgFieldList* fields = GetFieldList();
    CCfgDocTypeList* docTypes = GetDocTypeList();
    CCfgAutoParseInfo* parseInfo = GetParseInfo();
    fields->Attach(link, kNoId);
    fieldListId = fields->GetId();
    docTypes->Attach(link, kNoId);
    docTypeListId = docTypes->GetId();
    parseInfo->Attach(link, kNoId);
    parseInfoId = parseInfo->GetId();
    CPersistentObject::Attach(link, id);
}

void CCfgDatabase::Detach() {
    if (!IsAttached()) return;
    GetFieldList()->Detach();
    GetDocTypeList()->Detach();
    GetParseInfo()->Detach();
    // The children stay in memory, no longer stored.
    fieldListId = docTypeListId = parseInfoId = kNoId;
    owner = nullptr;
    CPersistentObject::Detach();
}

void CCfgDatabase::PersistWrite(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU16(workform);
        ar.WriteText(name);
        ar.WriteText(description);
        ar.WriteU32(fieldListId);
        ar.WriteU32(docTypeListId);
        ar.WriteU32(parseInfoId);
        ar.WritePackedFlags(useDefaultParseFormat, useDefaultAuthorFormat);
        ar.WriteU8(authorFormat);
        ar.WriteBool(hyphens);
        ar.WriteText(authorSeparator);
        return;
    }
    ReleaseChildren();
    workform = ReadingVersion2(ar) ? ar.ReadU8() : ar.ReadU16();
    name = ar.ReadText();
    description = ar.ReadText();
    fieldListId = ar.ReadU32();
    docTypeListId = ar.ReadU32();
    parseInfoId = ar.ReadU32();
    std::tie(useDefaultParseFormat, useDefaultAuthorFormat) = ar.ReadPackedFlags();
    authorFormat = ar.ReadU8();
    hyphens = ar.ReadBool();
    authorSeparator = ar.ReadText();
}

namespace {

constexpr uint32_t kSubfieldMarker = FourCC("SUBF");

void WriteSubfieldTrailer(Archive& ar, const CCfgFieldList& fields) {
    ar.WriteU32(kSubfieldMarker);
    ar.WriteCount(static_cast<uint32_t>(fields.GetCount()));
    for (int p = 1; p <= fields.GetCount(); ++p) ar.WriteBool(fields.Field(p)->IsSubfield());
}

void ReadSubfieldTrailer(Archive& ar, CCfgFieldList& fields) {
    if (ar.Remaining() < 4 || ar.ReadU32() != kSubfieldMarker) return;
    const uint32_t count = ar.ReadCount(1);
    if (count != static_cast<uint32_t>(fields.GetCount())) return;
    CCfgField* current = nullptr;
    for (int p = 1; p <= fields.GetCount(); ++p) {
        CCfgField* field = fields.Field(p);
        const bool sub = ar.ReadBool();
        field->parentId = kNoId;
        field->parent = sub ? current : nullptr;
        if (!field->parent) current = field;
    }
}

template <typename T>
std::unique_ptr<T> ReadChild(Archive& ar) {
    std::unique_ptr<ArchiveObject> object = ar.ReadObject(&T::kClass);
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

}  // namespace

void CCfgDatabase::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU16(workform);
        ar.WriteText(name);
        ar.WriteText(description);
        ar.WriteObject(GetFieldList());
        ar.WriteObject(GetDocTypeList());
        ar.WriteObject(GetParseInfo());
        ar.WritePackedFlags(useDefaultParseFormat, useDefaultAuthorFormat);
        ar.WriteU8(authorFormat);
        ar.WriteBool(hyphens);
        ar.WriteText(authorSeparator);
        WriteSubfieldTrailer(ar, *GetFieldList());
        return;
    }
    // What is read is unattached: the children have no records yet.
    ReleaseChildren();
    fieldListId = docTypeListId = parseInfoId = kNoId;
    workform = ar.ReadU16();
    name = ar.ReadText();
    description = ar.ReadText();
    fieldList_ = ReadChild<CCfgFieldList>(ar);
    if (fieldList_) fieldList_->owner = this;
    docTypeList_ = ReadChild<CCfgDocTypeList>(ar);
    parseInfo_ = ReadChild<CCfgAutoParseInfo>(ar);
    std::tie(useDefaultParseFormat, useDefaultAuthorFormat) = ar.ReadPackedFlags();
    authorFormat = ar.ReadU8();
    hyphens = ar.ReadBool();
    authorSeparator = ar.ReadText();
    if (fieldList_) ReadSubfieldTrailer(ar, *fieldList_);
}

}  // namespace recaster::config
