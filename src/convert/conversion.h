// Converting a configuration file of format version 2 into a new file of the
// current format. The old file is only read (opened read-only, never
// committed), so it stays byte for byte as it was, and a read-only file
// converts too.
//
//   1. ConfirmConversion.
//   2. Open the old file; refuse one that is not of version 2.
//   3. Find the user-defined workforms (U to Z) its databases and document
//      types use; when any workform is 20 or more, ConfirmUserWorkforms;
//      then ChooseWorkform for each one in use.
//   4. NewFileName, again while the name is the old file itself (same path,
//      a link to it, another spelling of it).
//   5. Make the new file: general information, file structure,
//      identification pairs and ignored lines copied; the default database
//      replaced by deep copies of the old databases in their order, each
//      changed as version2_meaning.h says, with Continue after each.
//   6. The new file appears under its name only when everything is copied
//      (it is built under a temporary name), so a file that was there stays
//      as it was on every failure, and a stopped or failed conversion
//      leaves no new file.
//
// The fields' parse formats are built while the old fields are read (from
// the old targets and parse information, with the process's workform
// catalog), before the workforms are replaced.
#pragma once

#include <string>

#include "convert/conversion_host.h"
#include "convert/user_workforms.h"
#include "store/file_system.h"
#include "workforms/workform_catalog.h"

namespace recaster::convert {

enum class ConversionOutcome {
    Converted,  // the new file is complete
    Cancelled,  // a question or dialog was declined before the copy began
    Stopped,    // the user stopped the copy; no new file
};

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::Cancelled;
    std::string newPath;          // Converted: the new file
    UserWorkformMapping mapping;  // the user-defined workforms and their replacements
    int databases = 0;            // Converted: how many were copied
};

// Runs the conversion of `oldPath`. File and archive failures of either
// file are raised as FileError / ArchiveError (naming the file) after the
// new file was removed; the caller reports them.
// `catalog` gives the suggested replacements (SuggestedReplacement).
ConversionResult ConvertVersion2File(const std::string& oldPath, ConversionHost& host,
                                     store::FileSystem& fs,
                                     const workforms::WorkformCatalog& catalog);

}  // namespace recaster::convert
