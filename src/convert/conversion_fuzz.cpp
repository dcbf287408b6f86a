// Fuzz target: the input is a whole file, converted as an older (version-2)
// configuration with every question answered yes. The conversion may fail
// only with FileError or ArchiveError; anything else (a crash, a hang, a
// sanitizer report, another exception) is a finding. Seeds: the older
// sample configuration and a small old file with a user-defined workform, a
// Parsed field and a subfield.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/errors.h"
#include "convert/conversion.h"
#include "store/file_system.h"

using namespace recaster;

namespace {

class YesHost : public convert::ConversionHost {
  public:
    bool ConfirmConversion() override { return true; }
    bool ConfirmUserWorkforms() override { return true; }
    std::optional<workforms::WorkformId> ChooseWorkform(workforms::WorkformId,
                                                        workforms::WorkformId) override {
        return workforms::WorkformId{2};
    }
    std::optional<std::string> NewFileName() override {
        if (asked_++ > 0) return std::nullopt;
        return std::string("/new.cfg");
    }
    void RefuseNewFileName(const std::string&) override {}
    void BeginCopy(int) override {}
    bool Continue(int) override { return true; }
    bool ConfirmStop() override { return false; }
    void EndCopy() noexcept override {}

  private:
    int asked_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    store::MemFileSystem fs;
    fs.Put("/old.cfg", std::vector<uint8_t>(data, data + size));
    YesHost host;
    workforms::WorkformCatalog catalog;
    try {
        convert::ConvertVersion2File("/old.cfg", host, fs, catalog);
    } catch (const FileError&) {
    } catch (const ArchiveError&) {
    }
    return 0;
}
