// The single-instance channel's path from the environment.
#include "app/instance_channel.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "base/paths.h"
#include "base/settings.h"

namespace recaster::app {
namespace {

constexpr size_t kMaxDisplayChars = 24;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// FNV-1a: stable across runs and builds, which std::hash is not bound to be.
uint64_t Fnv1a(std::string_view bytes, uint64_t h = 0xcbf29ce484222325ull) {
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string Hex16(uint64_t v) {
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4) out[static_cast<size_t>(i)] = digits[v & 15];
    return out;
}

// Letters, digits, "." and "-" stay; anything else (":" and "/" above all)
// becomes "_". Long names are cut: the hash still tells them apart.
std::string FileNameSafe(std::string_view text) {
    std::string out;
    for (char c : text.substr(0, kMaxDisplayChars)) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-';
        out.push_back(keep ? c : '_');
    }
    return out;
}

}  // namespace

InstanceEnvironment CurrentInstanceEnvironment() {
    InstanceEnvironment env;
    env.runtimeDir = Env("XDG_RUNTIME_DIR");
    env.tempDir = Env("TMPDIR");
    if (env.tempDir.empty()) env.tempDir = "/tmp";
    env.waylandDisplay = Env("WAYLAND_DISPLAY");
    env.x11Display = Env("DISPLAY");
    env.settingsFolder = SettingsKeyHelper::ConfigHome();
    env.userId = static_cast<unsigned>(::getuid());
    return env;
}

std::string DisplayKey(const InstanceEnvironment& env) {
    if (!env.waylandDisplay.empty()) return env.waylandDisplay;
    std::string x = env.x11Display;
    if (x.empty()) return "none";
    // host:display.screen; the screen is not part of the display.
    const size_t colon = x.rfind(':');
    const size_t dot = x.find('.', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && dot != std::string::npos) x.erase(dot);
    return x;
}

std::string InstanceChannelPath(const InstanceEnvironment& env) {
    const std::string display = DisplayKey(env);
    // The kind of display is hashed too: a Wayland display named ":0" is not
    // the X display ":0".
    uint64_t h = Fnv1a(env.waylandDisplay.empty() ? "x11" : "wayland");
    h = Fnv1a(std::string_view("\0", 1), h);
    h = Fnv1a(display, h);
    h = Fnv1a(std::string_view("\0", 1), h);
    std::string_view settings = env.settingsFolder;
    while (settings.size() > 1 && settings.back() == '/') settings.remove_suffix(1);
    h = Fnv1a(settings, h);
    const std::string& dir = env.runtimeDir.empty() ? env.tempDir : env.runtimeDir;
    return JoinPath(dir, "recaster-" + std::to_string(env.userId) + "-" + FileNameSafe(display) +
                             "-" + Hex16(h));
}

std::string InstanceLockPath(const std::string& channelPath) {
    return channelPath + ".lock";
}

}  // namespace recaster::app
