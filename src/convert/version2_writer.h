// Writing a configuration as a file of format version 2, the format older
// programs wrote. The editor itself never writes version 2; the older
// sibling of the sample configuration, the conversion's tests and its
// benchmark need such files.
//
// Version-2 records (the rest are as in version 3, see config/):
//
//   record  content
//   CDBS    u8 workform, then as version 3
//   CDTP    text name, u8 workform
//   CAPI    five rows of 38 bytes: u8 kind (5 = none), u8 optional,
//           18 bytes preceded-by, 18 bytes followed-by (NUL-terminated)
//   CFlD    ten-byte block and nine texts as version 3, u32 parent id,
//           u32 old targets id (-1 = none), 26 bytes: the alternate target
//           index for workforms 0..25 (254 = none); nothing follows
//   CAPD    130 bytes: byte 26 * kind + workform = target index of parse
//           component kind 0..4 in workform 0..25
//
// A Parsed field's formats become a CAPD record of its own: for the
// database's workform, and for each document type's that has a format of
// its name, the target of each row whose kind (in the database's parse
// information) is 0 to 4; other workforms keep the built-in targets. Read
// back, the field gets formats built from that table and the parse
// information's texts (version 2 has no per-field texts).
//
// What version 2 has no place for is left out: alternate targets of
// workforms past 25, separate mode, separator, replace, find and replace
// texts, parse information rows 5 and 6. What it would hold with another
// meaning is refused with std::invalid_argument naming the object: a
// workform past 255, author formats 3 and 7, kinds 5 and 6 in rows 0 to 4,
// parse texts longer than 17 characters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "store/file_system.h"

namespace recaster::config {
class CCfgFile;
}

namespace recaster::convert {

struct Version2Options {
    // The identifier the old file holds for a database's or a document
    // type's workform (say 20, a user-defined workform, for 5); unchanged
    // when empty. Alternate-target keys are never recoded.
    std::function<uint16_t(uint16_t)> recodeWorkform;
};

// Writes the configuration of `source` (open) as a new version-2 file at
// `path`, replacing a file there once the new one is complete.
void WriteVersion2File(config::CCfgFile& source, const std::string& path, store::FileSystem& fs,
                       const Version2Options& options = {});

}  // namespace recaster::convert
