// Per-user settings: named values in INI files under the user's configuration
// folder ($XDG_CONFIG_HOME, else $HOME/.config). The key of a company and an
// application maps to the file <Company>/<App>.ini, a backslash in <App>
// making a sub-folder ("Tomebase 5\Application Settings" ->
// "Tomebase 5/Application Settings.ini"); a section is an INI section and a
// value name an INI key (see ini_document.h for the format).
//
// Values are the file's bytes, which are UTF-8 (so that paths read from the
// file go to the file system unchanged); a caller that keeps a value as a
// model text converts it with the Windows-1252 helpers of cp1252.h.
//
// Reading never fails: a missing folder, file, section or key, or a file that
// cannot be read, gives the caller's default. Writing re-reads the file,
// changes the one value, and replaces the file atomically (a temporary file in
// the same folder, synced, then renamed over it); it creates the folders.
// Every call reads the file afresh, so helpers on the same file never hold
// stale copies.
#pragma once

#include <string>
#include <string_view>

namespace recaster {

class SettingsKeyHelper {
  public:
    // With an empty company, `appKey` names the INI file itself (relative to
    // the configuration folder unless absolute; ".ini" is not added).
    SettingsKeyHelper(std::string company, std::string appKey);

    std::string ReadText(std::string_view section, std::string_view name,
                         std::string_view defaultValue = {}) const;
    // A decimal integer (optionally negative) filling the whole value; any
    // other value gives the default.
    int ReadInt(std::string_view section, std::string_view name, int defaultValue) const;

    // Raise FileError when the file cannot be written, when the existing file
    // cannot be read (it is then left alone rather than overwritten), or when
    // the names or the value cannot be stored as one INI line.
    void WriteText(std::string_view section, std::string_view name, std::string_view value) const;
    void WriteInt(std::string_view section, std::string_view name, int value) const;

    // The INI file this helper reads and writes; empty when the user has no
    // configuration folder.
    const std::string& FilePath() const { return path_; }

    // $XDG_CONFIG_HOME when set to an absolute path, else $HOME/.config (the
    // home folder from the user database when HOME is unset); empty when
    // neither is known.
    static std::string ConfigHome();

  private:
    std::string company_;
    std::string appKey_;
    std::string path_;
};

}  // namespace recaster
