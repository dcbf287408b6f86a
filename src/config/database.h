// One database definition ('CDBS'): name, workform, author format and its
// three children (field list, document types, parse information), which are
// loaded from the store when first asked for.
#pragma once

#include <memory>
#include <string>

#include "config/auto_parse_info.h"
#include "config/persistent_object.h"

namespace recaster::config {

class CCfgDBList;
class CCfgFieldList;
class CCfgDocTypeList;

class CCfgDatabase : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgDatabase();
    ~CCfgDatabase() override;
    // Deep copy of every child that has a record (children of the copy are
    // unattached, ids -1); children never created stay absent.
    CCfgDatabase(const CCfgDatabase& other);
    CCfgDatabase& operator=(const CCfgDatabase&) = delete;

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Clipboard form: the children as objects.
    void Serialize(Archive& ar) override;
    // Record form: the children by id.
    void PersistWrite(Archive& ar) override;
    // Attaches every child with a new id first, then itself.
    void Attach(CStoreLink* link, uint32_t id = kNoId) override;
    // Detaches every child, then itself.
    void Detach() override;

    // Created on first use; loaded from the store when the id is set.
    CCfgFieldList* GetFieldList();
    CCfgDocTypeList* GetDocTypeList();
    CCfgAutoParseInfo* GetParseInfo();
    // Drops the loaded children (ids stay), to bound memory.
    void ReleaseChildren();
    // The field list when it is loaded, else null (nothing is loaded).
    CCfgFieldList* LoadedFieldList() const { return fieldList_.get(); }
    // Drops the loaded children that have a record to be loaded from again,
    // keeping the field list while a window shows it (it has a view). A child
    // held only in memory always stays.
    void ReleaseStoredChildren();

    uint16_t workform = 0;
    std::string name;
    std::string description;
    uint32_t fieldListId = kNoId;
    uint32_t docTypeListId = kNoId;
    uint32_t parseInfoId = kNoId;
    bool useDefaultParseFormat = true;
    bool useDefaultAuthorFormat = true;
    CCfgDBList* owner = nullptr;
    uint8_t authorFormat = 0;
    bool hyphens = false;
    std::string authorSeparator;

  private:
    std::unique_ptr<CCfgFieldList> fieldList_;
    std::unique_ptr<CCfgDocTypeList> docTypeList_;
    std::unique_ptr<CCfgAutoParseInfo> parseInfo_;
};

}  // namespace recaster::config
