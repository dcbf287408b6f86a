// The configuration root: a new file's initial records and loading the five
// top-level objects of an opened one.
#include "config/cfg_file.h"

#include "config/database.h"
#include "resources/strings.h"

namespace recaster::config {
namespace {

constexpr int kDefaultDatabaseName = 80;
constexpr int kDefaultDatabaseDescription = 81;

}  // namespace

CCfgFile::CCfgFile(store::FileSystem& fs) : store_(store::DefaultKeyOrder(), fs), link_(store_) {}

CCfgFile::~CCfgFile() {
    EmptyContents();
}

void CCfgFile::Create(const std::string& path) {
    store_.Create(path, [this](store::Store&) { WriteInitialRecords(); });
}

void CCfgFile::Create(const std::string& path, const std::function<void(CCfgFile&)>& fill) {
    EmptyContents();
    store_.Create(path, [&](store::Store&) {
        WriteInitialRecords();
        LoadContents();
        try {
            fill(*this);
        } catch (...) {
            EmptyContents();
            throw;
        }
        EmptyContents();
    });
}

void CCfgFile::WriteInitialRecords() {
    // Built in memory, stored by attaching with id 0, then dropped again.
    CCfgGenlInfo genl;
    genl.Attach(&link_, 0);
    CCfgDFSInfo dfs;
    dfs.Attach(&link_, 0);
    CCfgDBList databases;
    databases.Attach(&link_, 0);
    auto defaultDb = std::make_unique<CCfgDatabase>();
    defaultDb->name = resources::LoadString(kDefaultDatabaseName);
    defaultDb->description = resources::LoadString(kDefaultDatabaseDescription);
    databases.Add(std::move(defaultDb));
    CCfgStringPairList pairs;
    pairs.Attach(&link_, 0);
    CCfgStringList ignored;
    ignored.Attach(&link_, 0);
}

void CCfgFile::Open(const std::string& path, store::OpenMode mode) {
    EmptyContents();
    store_.Open(path, mode, [this](store::Store&) { LoadContents(); });
}

void CCfgFile::LoadContents() {
    try {
        genl_ = std::make_unique<CCfgGenlInfo>();
        dfs_ = std::make_unique<CCfgDFSInfo>();
        dbList_ = std::make_unique<CCfgDBList>();
        identPairs_ = std::make_unique<CCfgStringPairList>();
        ignored_ = std::make_unique<CCfgStringList>();
        link_.Load(*genl_, genl_->GetTag(), 0);
        link_.Load(*dfs_, dfs_->GetTag(), 0);
        link_.Load(*dbList_, dbList_->GetTag(), 0);
        link_.Load(*identPairs_, identPairs_->GetTag(), 0);
        link_.Load(*ignored_, ignored_->GetTag(), 0);
    } catch (...) {
        EmptyContents();
        throw;
    }
}

void CCfgFile::Close() {
    EmptyContents();
    store_.Close();
}

void CCfgFile::EmptyContents() {
    genl_.reset();
    dfs_.reset();
    dbList_.reset();
    identPairs_.reset();
    ignored_.reset();
}

}  // namespace recaster::config
