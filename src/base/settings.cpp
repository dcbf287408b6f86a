// Settings files: where they live, reading them leniently and replacing them
// atomically.
#include "base/settings.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/errors.h"
#include "base/ini_document.h"
#include "base/paths.h"

namespace recaster {
namespace {

// Settings files are small; anything larger is not ours to load or rewrite.
constexpr off_t kMaxFileSize = 16 << 20;

// Appends the "\"- or "/"-separated parts of `key` to `path`, dropping empty,
// "." and ".." parts so that a key never leads outside the folder.
std::string AppendKeyPath(std::string path, std::string_view key) {
    std::string part;
    const auto flush = [&] {
        if (!part.empty() && part != "." && part != "..") path = JoinPath(path, part);
        part.clear();
    };
    for (char c : key) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            part.push_back(c);
        }
    }
    flush();
    return path;
}

void CloseQuietly(int fd) {
    if (fd >= 0) ::close(fd);
}

// Reads the whole file. Nothing when it does not exist; FileError when it
// exists but cannot be read whole.
std::optional<std::string> ReadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        throw FileError::FromErrno(errno, path, "Opening the settings file");
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        CloseQuietly(fd);
        throw FileError::FromErrno(err, path, "Reading the settings file");
    }
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxFileSize) {
        CloseQuietly(fd);
        throw FileError(FileError::Cause::InvalidFile, path,
                        "the settings file is not a regular file of at most 16 MiB");
    }
    std::string text;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            CloseQuietly(fd);
            throw FileError::FromErrno(err, path, "Reading the settings file");
        }
        if (n == 0) break;
        text.append(buf, static_cast<size_t>(n));
        if (text.size() > static_cast<size_t>(kMaxFileSize)) {
            CloseQuietly(fd);
            throw FileError(FileError::Cause::InvalidFile, path, "the settings file is too large");
        }
    }
    CloseQuietly(fd);
    return text;
}

// Replaces `path` by a file holding `text`: temporary file in the same folder,
// written and synced, renamed over the old one, then the folder synced. The
// old file keeps its permissions; a new one gets rw-r--r--.
void ReplaceFile(const std::string& path, const std::string& text) {
    const std::string dir = DirectoryOf(path);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw FileError::FromErrno(ec.value(), dir, "Creating the settings folder");

    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) throw FileError::FromErrno(errno, path, "Creating a temporary settings file");
    const auto fail = [&](int err, const char* doing) {
        CloseQuietly(fd);
        ::unlink(tmp.c_str());
        throw FileError::FromErrno(err, path, doing);
    };
    if (::fchmod(fd, mode) != 0) fail(errno, "Setting the settings file's permissions");
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno, "Writing the settings file");
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno, "Syncing the settings file");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw FileError::FromErrno(err, path, "Writing the settings file");
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw FileError::FromErrno(err, path, "Replacing the settings file");
    }
    // The rename is durable once the folder is synced; failing that, the new
    // file is already in place, so there is nothing to undo.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

}  // namespace

std::string SettingsKeyHelper::ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return JoinPath(home, ".config");
    if (const passwd* pw = ::getpwuid(::getuid());
        pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') {
        return JoinPath(pw->pw_dir, ".config");
    }
    return {};
}

SettingsKeyHelper::SettingsKeyHelper(std::string company, std::string appKey)
    : company_(std::move(company)), appKey_(std::move(appKey)) {
    const std::string home = ConfigHome();
    if (company_.empty()) {
        if (!appKey_.empty() && appKey_[0] == '/') {
            path_ = appKey_;
        } else if (!home.empty()) {
            path_ = AppendKeyPath(home, appKey_);
            if (path_ == home) path_.clear();
        }
    } else if (!home.empty()) {
        const std::string folder = AppendKeyPath(home, company_);
        const std::string file = AppendKeyPath(folder, appKey_);
        if (folder != home && file != folder) path_ = file + ".ini";
    }
}

std::string SettingsKeyHelper::ReadText(std::string_view section, std::string_view name,
                                        std::string_view defaultValue) const {
    if (path_.empty()) return std::string(defaultValue);
    try {
        const std::optional<std::string> text = ReadFile(path_);
        if (!text) return std::string(defaultValue);
        std::optional<std::string> value = IniDocument(*text).Get(section, name);
        return value ? std::move(*value) : std::string(defaultValue);
    } catch (const FileError&) {
        return std::string(defaultValue);
    }
}

int SettingsKeyHelper::ReadInt(std::string_view section, std::string_view name,
                               int defaultValue) const {
    const std::string text = ReadText(section, name, {});
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return defaultValue;
    return value;
}

void SettingsKeyHelper::WriteText(std::string_view section, std::string_view name,
                                  std::string_view value) const {
    if (path_.empty()) {
        throw FileError(FileError::Cause::BadPath, "",
                        "no folder for settings: neither XDG_CONFIG_HOME nor HOME is set");
    }
    const std::optional<std::string> text = ReadFile(path_);
    IniDocument doc(text ? *text : std::string());
    if (!doc.Set(section, name, value)) {
        throw FileError(FileError::Cause::Generic, path_,
                        "setting '" + std::string(name) + "' in section '" + std::string(section) +
                            "' cannot be stored as one line");
    }
    ReplaceFile(path_, doc.Text());
}

void SettingsKeyHelper::WriteInt(std::string_view section, std::string_view name, int value) const {
    WriteText(section, name, std::to_string(value));
}

}  // namespace recaster
