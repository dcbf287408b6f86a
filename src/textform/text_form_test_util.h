// Test helpers of the text form: configuration files in memory and the trip
// export, import, write, reopen.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "config/cfg_file.h"
#include "store/file_system.h"
#include "textform/config_export.h"
#include "textform/config_import.h"

namespace recaster::textform::testutil {

// A new file at `path` of `fs`, filled by `build` (which saves what it
// changes) and committed.
inline void MakeFile(store::FileSystem& fs, const std::string& path,
                     const std::function<void(config::CCfgFile&)>& build) {
    config::CCfgFile file(fs);
    file.Create(path);
    file.Open(path, store::OpenMode::ReadWrite);
    build(file);
    file.Commit();
}

inline std::string ExportFile(store::FileSystem& fs, const std::string& path) {
    config::CCfgFile file(fs);
    file.Open(path, store::OpenMode::ReadOnly);
    config::ConfigParts parts = config::PartsOf(file);
    return ExportText(parts);
}

// "path: message" lines, one per problem.
inline std::string ProblemText(const ImportProblems& problems) {
    std::string out;
    for (const ImportProblem& p : problems) out += p.path + ": " + p.message + "\n";
    return out;
}

// Imports `text` and writes the result at `path`; false (with a test
// failure listing the problems) when the import refuses it.
inline bool ImportToFile(store::FileSystem& fs, const std::string& text, const std::string& path) {
    ImportResult result = ImportConfigText(text);
    if (!result.config) {
        ADD_FAILURE() << "import refused:\n" << ProblemText(result.problems);
        return false;
    }
    WriteConfig(std::move(result.config), path, fs);
    return true;
}

}  // namespace recaster::textform::testutil
