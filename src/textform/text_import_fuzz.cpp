// Fuzz target: the import of the text form. Any input may be refused, with
// problems; nothing may escape as an exception, crash or hang. An input that
// is accepted must make a round trip: its export imports again, gives the same
// text again, and so does the file written from it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "config/cfg_file.h"
#include "store/file_system.h"
#include "textform/config_export.h"
#include "textform/config_import.h"

using namespace recaster;
using namespace recaster::textform;

namespace {

[[noreturn]] void Finding(const char* what) {
    std::fprintf(stderr, "text_import_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ImportResult first = ImportConfigText(text);
    if (!first.config) {
        if (first.problems.empty()) Finding("refused without a problem");
        return 0;
    }
    config::ConfigParts parts = first.config->parts();
    const std::string exported = ExportText(parts);

    ImportResult second = ImportConfigText(exported);
    if (!second.config) Finding("the export of an accepted input is refused");
    config::ConfigParts again = second.config->parts();
    if (ExportText(again) != exported) Finding("the export changes when imported again");

    static store::MemFileSystem fs;
    WriteConfig(std::move(second.config), "/fuzz.cfg", fs);
    {
        config::CCfgFile file(fs);
        file.Open("/fuzz.cfg", store::OpenMode::ReadOnly);
        config::ConfigParts written = config::PartsOf(file);
        if (ExportText(written) != exported) Finding("the written file exports another text");
    }
    fs.Remove("/fuzz.cfg");
    return 0;
}
