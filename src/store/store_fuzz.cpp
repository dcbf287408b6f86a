// Fuzz target: arbitrary bytes as a store file. Opening, checking, scanning and
// reading every key may fail with ArchiveError or FileError; anything else
// (a crash, a hang, a sanitizer report, another exception) is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/errors.h"
#include "store/check.h"
#include "store/file_system.h"
#include "store/store.h"

using namespace recaster;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    store::MemFileSystem fs;
    fs.Put("/fuzz.cfg", std::vector<uint8_t>(data, data + size));
    store::Store s(store::DefaultKeyOrder(), fs);
    try {
        s.Open("/fuzz.cfg", store::OpenMode::ReadOnly);
    } catch (const ArchiveError&) {
        return 0;
    } catch (const FileError&) {
        return 0;
    }
    // The checker and the tree must agree: a store found sound scans and reads
    // back completely without an error.
    store::CheckReport report = store::CheckStore(s.pager(), s.order());
    bool failed = false;
    std::vector<store::Key> keys;
    try {
        s.Scan([&](const store::Key& key, std::span<const uint8_t>) {
            keys.push_back(key);
            return true;
        });
    } catch (const ArchiveError&) {
        failed = true;
    } catch (const FileError&) {
        failed = true;
    }
    std::vector<uint8_t> value;
    for (const store::Key& key : keys) {
        try {
            if (!s.Read(key, value)) failed = true;
        } catch (const ArchiveError&) {
            failed = true;
        } catch (const FileError&) {
            failed = true;
        }
    }
    if (report.ok() && (failed || keys.size() != report.records)) __builtin_trap();
    return 0;
}
