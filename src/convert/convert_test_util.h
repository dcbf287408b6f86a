// Test helpers of the conversion: old (version-2) files built from objects in
// memory and written with the version-2 writer, and a host whose answers a
// test sets and whose questions it records.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/cfg_file.h"
#include "config/lists.h"
#include "convert/conversion_host.h"
#include "convert/version2_writer.h"
#include "store/file_system.h"

namespace recaster::convert::testing {

// A configuration being put together in memory; Write stores it as a
// version-2 file.
class OldConfig {
  public:
    OldConfig() {
        root.Create("/build.cfg");
        root.Open("/build.cfg");
    }
    config::CCfgDatabase& Default() { return *root.GetDBList()->Database(1); }
    config::CCfgDatabase& AddDatabase(const std::string& name, uint16_t workform) {
        auto db = std::make_unique<config::CCfgDatabase>();
        db->name = name;
        db->workform = workform;
        config::CCfgDBList& list = *root.GetDBList();
        return *list.Database(list.Add(std::move(db)));
    }
    static void AddDocType(config::CCfgDatabase& db, const std::string& name, uint16_t workform) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = name;
        type->workform = workform;
        db.GetDocTypeList()->Add(std::move(type));
    }
    static config::CCfgField& AddField(config::CCfgDatabase& db, const std::string& tag,
                                       uint16_t type = config::kFieldNormalText) {
        auto field = std::make_unique<config::CCfgField>();
        field->tag = tag;
        field->type = type;
        config::CCfgFieldList& list = *db.GetFieldList();
        return *list.Field(list.Add(std::move(field)));
    }
    void Write(const std::string& path, store::FileSystem& fs) {
        WriteVersion2File(root, path, fs);
    }

    store::MemFileSystem scratch;
    config::CCfgFile root{scratch};
};

// Answers as set below; every call is recorded by name ("confirm",
// "userWorkforms", "choose U", "name", "refuse", "begin 3", "continue 1",
// "stop?", "end").
class ScriptedHost : public ConversionHost {
  public:
    bool confirm = true;
    bool userWorkforms = true;
    // By old identifier's letter; the suggestion when absent.
    std::function<std::optional<workforms::WorkformId>(workforms::WorkformId oldId,
                                                       workforms::WorkformId suggested)>
        choose = [](workforms::WorkformId, workforms::WorkformId s) { return s; };
    std::deque<std::optional<std::string>> names;
    // Continue returns false after this many databases (-1: never).
    int stopAfter = -1;
    bool confirmStop = true;

    std::vector<std::string> calls;

    bool ConfirmConversion() override {
        calls.push_back("confirm");
        return confirm;
    }
    bool ConfirmUserWorkforms() override {
        calls.push_back("userWorkforms");
        return userWorkforms;
    }
    std::optional<workforms::WorkformId> ChooseWorkform(workforms::WorkformId oldId,
                                                        workforms::WorkformId suggested) override {
        calls.push_back("choose " + std::string(1, static_cast<char>('A' + oldId)));
        return choose(oldId, suggested);
    }
    std::optional<std::string> NewFileName() override {
        calls.push_back("name");
        if (names.empty()) return std::nullopt;
        std::optional<std::string> name = names.front();
        names.pop_front();
        return name;
    }
    void RefuseNewFileName(const std::string& path) override { calls.push_back("refuse " + path); }
    void BeginCopy(int databases) override {
        calls.push_back("begin " + std::to_string(databases));
    }
    bool Continue(int done) override {
        calls.push_back("continue " + std::to_string(done));
        return stopAfter < 0 || done < stopAfter;
    }
    bool ConfirmStop() override {
        calls.push_back("stop?");
        if (!confirmStop) stopAfter = -1;
        return confirmStop;
    }
    void EndCopy() noexcept override { calls.push_back("end"); }
};

}  // namespace recaster::convert::testing
