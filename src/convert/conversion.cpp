// The conversion of a version-2 configuration file (steps in the header).
#include "convert/conversion.h"

#include <filesystem>
#include <memory>

#include "base/errors.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "convert/version2_meaning.h"

namespace recaster::convert {
namespace {

constexpr uint16_t kOldVersion = 2;

// Thrown inside the new file's creation so that it is abandoned.
struct StopRequested {};

// Ends the host's copy phase however the copy ends.
class CopyPhase {
  public:
    CopyPhase(ConversionHost& host, int databases) : host_(host) { host_.BeginCopy(databases); }
    ~CopyPhase() { host_.EndCopy(); }
    CopyPhase(const CopyPhase&) = delete;
    CopyPhase& operator=(const CopyPhase&) = delete;

  private:
    ConversionHost& host_;
};

// True when `a` names the file `b` names: the same text, the same path
// spelled otherwise, or (for an existing file) a link to it.
bool SameFile(store::FileSystem& fs, const std::string& a, const std::string& b) {
    namespace fsys = std::filesystem;
    if (a == b) return true;
    std::error_code ec;
    const fsys::path na = fsys::absolute(a, ec).lexically_normal();
    const fsys::path nb = fsys::absolute(b, ec).lexically_normal();
    if (!ec && na == nb) return true;
    store::FileIdentity ia, ib;
    return fs.Identify(a, ia) && fs.Identify(b, ib) && ia == ib;
}

// Asks until the name is not the old file; nothing when the user cancels.
std::optional<std::string> AskNewFileName(ConversionHost& host, store::FileSystem& fs,
                                          const std::string& oldPath) {
    for (;;) {
        std::optional<std::string> name = host.NewFileName();
        if (!name || !SameFile(fs, *name, oldPath)) return name;
        host.RefuseNewFileName(*name);
    }
}

// The copy into the new configuration `to`, whose records are those of a
// new file. Throws StopRequested when the user stops it.
void CopyConfiguration(config::CCfgFile& from, config::CCfgFile& to,
                       const UserWorkformMapping& mapping, ConversionHost& host) {
    *to.GetGenlInfo() = *from.GetGenlInfo();
    *to.GetDFSInfo() = *from.GetDFSInfo();
    *to.GetIdentPairs() = *from.GetIdentPairs();
    *to.GetIgnoredLines() = *from.GetIgnoredLines();

    config::CCfgDBList& target = *to.GetDBList();
    config::CCfgDBList& source = *from.GetDBList();
    const int count = source.GetCount();
    // The old databases replace the new file's default one; a damaged old
    // list without any keeps it, since every configuration has one.
    if (count > 0) target.Remove(target.Database(1));
    CopyPhase phase(host, count);
    for (int p = 1; p <= count; ++p) {
        config::CCfgDatabase* old = source.Database(p);
        // Reading the old children builds the fields' parse formats.
        auto copy = std::make_unique<config::CCfgDatabase>(*old);
        old->ReleaseChildren();
        UpgradeDatabase(*copy, mapping);
        const int position = target.Add(std::move(copy));
        target.Database(position)->ReleaseChildren();
        if (!host.Continue(p) && host.ConfirmStop()) throw StopRequested{};
    }
    target.Save();
}

}  // namespace

ConversionResult ConvertVersion2File(const std::string& oldPath, ConversionHost& host,
                                     store::FileSystem& fs,
                                     const workforms::WorkformCatalog& catalog) {
    ConversionResult result;
    if (!host.ConfirmConversion()) return result;

    config::CCfgFile old(fs);
    old.Open(oldPath, store::OpenMode::ReadOnly);
    if (old.link().Version() != kOldVersion) {
        throw ArchiveError(ArchiveError::Cause::BadSchema, oldPath,
                           "The file is already of the current format; it needs no conversion");
    }

    UserWorkformScan scan = ScanUserWorkforms(*old.GetDBList());
    if (scan.anyFromTwenty && !host.ConfirmUserWorkforms()) return result;
    for (workforms::WorkformId id : scan.mapping.Used()) {
        std::optional<workforms::WorkformId> chosen =
            host.ChooseWorkform(id, SuggestedReplacement(id, catalog));
        if (!chosen) return result;
        scan.mapping.Set(id, *chosen);
    }
    result.mapping = scan.mapping;

    std::optional<std::string> newPath = AskNewFileName(host, fs, oldPath);
    if (!newPath) return result;

    // What was at the new name before: a file that a failure leaves there
    // and that was not there (or was another file) is ours and goes.
    store::FileIdentity before;
    const bool existed = fs.Identify(*newPath, before);
    try {
        config::CCfgFile created(fs);
        created.Create(*newPath, [&](config::CCfgFile& to) {
            CopyConfiguration(old, to, scan.mapping, host);
        });
    } catch (...) {
        store::FileIdentity after;
        if (fs.Identify(*newPath, after) && (!existed || !(after == before))) {
            try {
                fs.Remove(*newPath);
            } catch (...) {
                // The failure itself is what the caller reports.
            }
        }
        try {
            throw;
        } catch (const StopRequested&) {
            result.outcome = ConversionOutcome::Stopped;
            return result;
        }
    }
    result.outcome = ConversionOutcome::Converted;
    result.newPath = *newPath;
    result.databases = old.GetDBList()->GetCount();
    return result;
}

}  // namespace recaster::convert
