// The root of a configuration: the keyed page store of one .cfg file and its
// five top-level objects, loaded when the file opens.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "config/dfs_info.h"
#include "config/genl_info.h"
#include "config/lists.h"
#include "config/store_link.h"
#include "config/string_lists.h"
#include "store/store.h"

namespace recaster::config {

class CCfgFile {
  public:
    explicit CCfgFile(store::FileSystem& fs = store::PosixFileSystem());
    ~CCfgFile();

    // A new configuration file: the store is made with the initial records
    // (general information, file structure, the database list holding the
    // default database, empty identification pairs and ignored lines). Does
    // not open it.
    void Create(const std::string& path);
    // The same new file, filled by `fill` before it is written: after the
    // initial records the five top-level objects are loaded, `fill` edits
    // them, and only then is the file committed and closed. Until that
    // commit it lives under a temporary name, so when `fill` (or anything
    // else) fails nothing is left at `path`, and a file that was there
    // stays as it was.
    void Create(const std::string& path, const std::function<void(CCfgFile&)>& fill);
    // Opens the store and loads the five top-level objects.
    void Open(const std::string& path, store::OpenMode mode = store::OpenMode::ReadWrite);
    void Commit() { store_.Commit(); }
    void SaveAs(const std::string& path) { store_.SaveAs(path); }
    // Drops the objects and closes the store (uncommitted changes are lost).
    void Close();
    // Deletes the five top-level objects.
    void EmptyContents();

    CCfgGenlInfo* GetGenlInfo() const { return genl_.get(); }
    CCfgDFSInfo* GetDFSInfo() const { return dfs_.get(); }
    CCfgDBList* GetDBList() const { return dbList_.get(); }
    CCfgStringPairList* GetIdentPairs() const { return identPairs_.get(); }
    CCfgStringList* GetIgnoredLines() const { return ignored_.get(); }

    store::Store& store() { return store_; }
    CStoreLink& link() { return link_; }
    const std::string& path() const { return store_.path(); }
    bool IsOpen() const { return store_.IsOpen(); }

  private:
    void WriteInitialRecords();
    void LoadContents();

    store::Store store_;
    CStoreLink link_;
    std::unique_ptr<CCfgGenlInfo> genl_;
    std::unique_ptr<CCfgDFSInfo> dfs_;
    std::unique_ptr<CCfgDBList> dbList_;
    std::unique_ptr<CCfgStringPairList> identPairs_;
    std::unique_ptr<CCfgStringList> ignored_;
};

}  // namespace recaster::config
