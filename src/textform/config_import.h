// Reading the text form (layout in config_export.h) back into a configuration
// and writing it as a new version-3 file.
//
// A member that is missing keeps the value of a new object, so a script may
// leave out what it does not set; a member the text form does not have is a
// problem (it is most likely misspelt). Lists are taken in the order given and
// must be in the editor's order; the import never reorders, so the export of
// an imported file is the text that was imported. Besides what the JSON
// itself must be (types, the width of each number, texts Windows-1252 can
// hold, seven rows per format), every entry rule (lint/entry_rules.h) must
// hold. Each problem is reported with its JSON path; with any problem nothing
// is written.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_parts.h"
#include "store/file_system.h"
#include "textform/json_reader.h"

namespace recaster::textform {

// A configuration built in memory; no object belongs to a file.
struct ImportedConfig {
    config::CCfgGenlInfo general;
    config::CCfgDFSInfo structure;
    config::CCfgStringPairList identifiers;
    config::CCfgStringList ignoredLines;
    config::CCfgDBList databases;

    config::ConfigParts parts() {
        return {general, structure, identifiers, ignoredLines, databases};
    }
};

struct ImportResult {
    std::unique_ptr<ImportedConfig> config;  // null when there are problems
    ImportProblems problems;  // those of the JSON in document order, then the entry rules'
};

// The JSON document in `text`; nothing, with the parser's message (it names
// the line and column) in `error`, when it is not JSON.
std::optional<Json> ParseJson(std::string_view text, std::string& error);

ImportResult ImportConfig(const Json& document);
// Parses `text` first; a syntax error is one problem with an empty path.
ImportResult ImportConfigText(std::string_view text);

// Writes `config` as a new configuration file at `path`: the file appears
// complete or not at all (an existing one is replaced only then). Raises
// FileError, or ArchiveError when a record cannot be written.
void WriteConfig(std::unique_ptr<ImportedConfig> config, const std::string& path,
                 store::FileSystem& fs);

}  // namespace recaster::textform
