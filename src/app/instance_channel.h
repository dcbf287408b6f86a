// Where the desktop program's single-instance channel lives. A second start
// hands its files to the program already running in the same desktop session
// with the same settings folder; a start on another display (X or Wayland),
// in another session or with another settings folder runs its own program.
//
// The channel is a local socket in $XDG_RUNTIME_DIR (the temporary folder
// only when that is unset), named for the user, the display and the
// settings folder:
//
//   <dir>/recaster-<uid>-<display>-<hash>        the socket
//   <dir>/recaster-<uid>-<display>-<hash>.lock   held by the program that owns it
//
// <display> is the display's name made safe for a file name, <hash> 16 hex
// digits of a hash of the display and the settings folder (so that a long
// folder name cannot push the path past the 107 bytes a socket may have).
#pragma once

#include <string>

namespace recaster::app {

// What the channel's place depends on, read from the environment by
// CurrentInstanceEnvironment() and given by tests.
struct InstanceEnvironment {
    std::string runtimeDir;      // $XDG_RUNTIME_DIR
    std::string tempDir;         // $TMPDIR, "/tmp" when unset
    std::string waylandDisplay;  // $WAYLAND_DISPLAY
    std::string x11Display;      // $DISPLAY
    std::string settingsFolder;  // where the settings are (SettingsKeyHelper::ConfigHome())
    unsigned userId = 0;
};

InstanceEnvironment CurrentInstanceEnvironment();

// The display the program shows on: the Wayland display when there is one
// (an X display in the same session is its compatibility server), else the
// X display without its screen number (":0.1" is the display ":0"); "none"
// without either.
std::string DisplayKey(const InstanceEnvironment& env);

// The full path of the channel's socket.
std::string InstanceChannelPath(const InstanceEnvironment& env);

// The lock file of a channel.
std::string InstanceLockPath(const std::string& channelPath);

}  // namespace recaster::app
