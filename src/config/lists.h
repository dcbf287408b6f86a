// The ordered object lists: databases ('CDB#'), fields with their subfields
// ('CFD#') and document types ('CDT#'). A list owns its elements, keeps them in
// its order, stores a new element and itself together, and finds elements by
// position (1-based), id and typed prefix.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/database.h"
#include "config/doc_type.h"
#include "config/field.h"
#include "config/persistent_object.h"

namespace recaster::config {

// The window that shows a list: told to repaint after a reposition and to
// let go when the list is destroyed.
class ListViewLink {
  public:
    virtual ~ListViewLink() = default;
    virtual void RepaintList() = 0;
    virtual void ListDestroyed() = 0;
};

class CCfgAbstractList : public CPersistentObject {
  public:
    explicit CCfgAbstractList(uint32_t tag, uint32_t elementTag)
        : CPersistentObject(tag), elementTag_(elementTag) {}
    ~CCfgAbstractList() override;

    // Record form: u16 element count, then each element's u32 id; reading
    // loads every element from (element tag, id).
    void PersistWrite(Archive& ar) override;
    // Clipboard form: count, then each element as an object.
    void Serialize(Archive& ar) override;
    void Attach(CStoreLink* link, uint32_t id = kNoId) override;
    void Detach() override;

    virtual std::unique_ptr<CPersistentObject> NewElement() = 0;
    // Adds at the end; no ordering, no storing.
    virtual void Append(std::unique_ptr<CPersistentObject> element);
    // Takes the element out, detaches it, saves the list; returns ownership.
    virtual std::unique_ptr<CPersistentObject> Remove(CPersistentObject* element);
    // Attaches the element with a new id, inserts it in order, saves the list;
    // returns its position.
    virtual int Add(std::unique_ptr<CPersistentObject> element);
    // After the element's key changed.
    virtual void Reposition(CPersistentObject* element);
    int IndexOfId(uint32_t id) const;
    virtual bool IsDuplicate(const CPersistentObject* element) const;
    int GetCount() const { return static_cast<int>(elements_.size()); }
    CPersistentObject* GetAt(int position) const;  // null outside 1..count
    int IndexOf(const CPersistentObject* element) const;
    void SetView(ListViewLink* view) { view_ = view; }
    ListViewLink* GetView() const { return view_; }
    std::unique_ptr<CPersistentObject> RemoveAt(int index);
    void InsertAt(int index, std::unique_ptr<CPersistentObject> element);
    int FindInsertPosition(const CPersistentObject* element) const;
    virtual int Compare(int position, const CPersistentObject* element) const = 0;
    std::unique_ptr<CPersistentObject> LoadChild(uint32_t id);
    // Type-ahead: position is the 0-based current index, updated on a find.
    virtual bool FindByTypedPrefix(const std::string& text, int& position) const = 0;

    uint32_t ElementTag() const { return elementTag_; }

  protected:
    // Called after the elements were read (record or clipboard form).
    virtual void AfterRead() {}
    // The type-ahead search shared by the three lists. `compareAt(index)`
    // compares the typed text with the element's key cut to the text's length
    // (<0 text smaller, 0 equal, >0 text greater); indexes below `first` are
    // never candidates.
    bool FindTyped(int first, int& position, const std::function<int(int)>& compareAt) const;
    std::vector<std::unique_ptr<CPersistentObject>> elements_;

  private:
    uint32_t elementTag_;
    ListViewLink* view_ = nullptr;
};

class CCfgDBList : public CCfgAbstractList {
  public:
    static const RuntimeClass kClass;
    CCfgDBList() : CCfgAbstractList(FourCC("CDB#"), FourCC("CDBS")) {}
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }

    std::unique_ptr<CPersistentObject> NewElement() override;
    int Add(std::unique_ptr<CPersistentObject> element) override;
    void Reposition(CPersistentObject* element) override;  // position 1 never moves
    int Compare(int position, const CPersistentObject* element) const override;
    bool FindByTypedPrefix(const std::string& text, int& position) const override;

    CCfgDatabase* Database(int position) const {
        return static_cast<CCfgDatabase*>(GetAt(position));
    }

  protected:
    // Sets every database's owner (the clipboard form creates them ownerless).
    void AfterRead() override;
};

class CCfgDocTypeList : public CCfgAbstractList {
  public:
    static const RuntimeClass kClass;
    CCfgDocTypeList() : CCfgAbstractList(FourCC("CDT#"), FourCC("CDTP")) {}
    // Copies name and workform of each element (unattached).
    CCfgDocTypeList(const CCfgDocTypeList& other);
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }

    std::unique_ptr<CPersistentObject> NewElement() override;
    int Compare(int position, const CPersistentObject* element) const override;
    bool FindByTypedPrefix(const std::string& text, int& position) const override;

    CCfgDocType* DocType(int position) const { return static_cast<CCfgDocType*>(GetAt(position)); }
};

class CCfgFieldList : public CCfgAbstractList {
  public:
    static const RuntimeClass kClass;
    CCfgFieldList() : CCfgAbstractList(FourCC("CFD#"), FourCC("CFlD")) {}
    // Deep copy; parent links rebuilt by position.
    CCfgFieldList(const CCfgFieldList& other);
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }

    std::unique_ptr<CPersistentObject> NewElement() override;
    int Add(std::unique_ptr<CPersistentObject> element) override;
    void Reposition(CPersistentObject* element) override;  // subfields move along
    int Compare(int position, const CPersistentObject* element) const override;
    bool FindByTypedPrefix(const std::string& text, int& position) const override;

    // Searching from the last field back: the first top-level field whose tag
    // has exactly `length` characters and equals `text` ignoring case.
    CCfgField* FindTopLevel(const std::string& text, size_t length) const;
    // Among parent's subfields, the first whose tag matches likewise.
    CCfgField* FindSubfield(const std::string& text, size_t length, const CCfgField* parent) const;

    CCfgField* Field(int position) const { return static_cast<CCfgField*>(GetAt(position)); }

    CCfgDatabase* owner = nullptr;

  protected:
    // Sets every field's owner and links subfields to the nearest preceding
    // top-level field; a subfield with no top-level field before it becomes
    // top-level.
    void AfterRead() override;

  private:
    // The parent of `f`: its pointer, else its parent id looked up in this
    // list; null for a top-level field (or a parent id this list lacks).
    const CCfgField* ParentOf(const CCfgField* f) const;
};

}  // namespace recaster::config
