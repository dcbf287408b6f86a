#include "textform/text_file.h"

#include <unistd.h>

#include <atomic>
#include <span>

#include "base/errors.h"

namespace recaster::textform {

std::string ReadTextFile(store::FileSystem& fs, const std::string& path) {
    std::unique_ptr<store::File> file = fs.Open(path, store::OpenFlags{});
    const uint64_t size = file->Size();
    std::string content(size, '\0');
    auto bytes = std::span(reinterpret_cast<uint8_t*>(content.data()), content.size());
    size_t got = 0;
    while (got < bytes.size()) {
        const size_t n = file->ReadAt(got, bytes.subspan(got));
        if (n == 0) break;
        got += n;
    }
    content.resize(got);
    return content;
}

void ReplaceTextFile(store::FileSystem& fs, const std::string& path, std::string_view content) {
    static std::atomic<unsigned> counter{0};
    // Beside the file a link ends at, with the old file's permissions, so
    // that replacing it changes only its content.
    const store::ReplaceTarget target = fs.ReplaceTargetOf(path);
    const std::string temp =
        target.path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    try {
        std::unique_ptr<store::File> file =
            fs.Open(temp, store::OpenFlags{.write = true, .create = true, .truncate = true});
        fs.KeepAttributes(*file, target);
        file->WriteAt(0,
                      std::span(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
        file->Sync();
        file.reset();
        fs.Rename(temp, target.path);
    } catch (const FileError& e) {
        try {
            fs.Remove(temp);
        } catch (const FileError&) {
        }
        // The temporary name means nothing to the user.
        throw FileError(e.cause(), path, e.message());
    }
    fs.SyncDir(target.path);
}

bool IsSameFile(store::FileSystem& fs, const std::string& a, const std::string& b) {
    store::FileIdentity x, y;
    return fs.Identify(a, x) && fs.Identify(b, y) && x == y;
}

}  // namespace recaster::textform
