// Reading and writing workform files (".TWF", ".FRM"): the reference manager's
// record templates. The byte layout is documented in workform_file.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "workforms/field_number_set.h"
#include "workforms/workform_ids.h"

namespace recaster::workforms {

inline constexpr uint16_t kWorkformTypeWord = 0x8004;
inline constexpr uint16_t kWorkformVersion = 0x0300;

// The contents of one workform file, as stored. Texts are Windows-1252 bytes.
struct WorkformFile {
    uint16_t type_word = kWorkformTypeWord;
    uint16_t version = kWorkformVersion;
    std::string name;
    std::string second_text;  // stored but used by nobody
    WorkformId id = 0;
    // Field n is in use exactly when bit n is set, whatever its stored name.
    FieldNumberSet defined_fields;
    std::array<std::string, kFieldCount> field_names;  // field 1 first
};

// Decodes a workform file. An empty input is a valid file that gives an
// empty name, identifier 0 and no defined field. Bytes after the last field
// name are ignored.
// Throws ArchiveError naming `path`: BadSchema for wrong signatures, EndOfFile
// for a wrong type word, a version above 0x0300, or a file that ends early.
WorkformFile ParseWorkformFile(std::span<const uint8_t> bytes, const std::string& path);

// Reads and decodes the file at `path`. Throws FileError when it cannot be
// opened or read, ArchiveError as ParseWorkformFile.
WorkformFile ReadWorkformFile(const std::string& path);

// Encodes a workform with type word 0x8004 and version 0x0300, whatever the
// struct's type_word and version say.
std::vector<uint8_t> EncodeWorkformFile(const WorkformFile& form);

// Writes EncodeWorkformFile(form) to `path`, replacing the file. Throws
// FileError on failure.
void WriteWorkformFile(const std::string& path, const WorkformFile& form);

}  // namespace recaster::workforms
