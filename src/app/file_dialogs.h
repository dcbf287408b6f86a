// The file dialogs of configuration files. Every one of them
//   - offers only the file part of the proposed name (no directory),
//   - starts in LastFileDirectory,
//   - after OK appends ".cfg" when the chosen name does not end with it
//     (ignoring case; an open dialog only when the name as typed does not
//     exist, so that other files stay openable), and stores the chosen
//     file's directory in LastFileDirectory.
// Cancel changes nothing.
//
// LastFileDirectory outlives the run in the program's settings: restored at
// start, and stored whenever a document's file becomes known (opened by any
// way, made, saved under a new name) and at the end.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "ui/ui.h"

namespace recaster::app {

// The configuration document type.
inline constexpr std::string_view kCfgFilter = "Config File (*.cfg)|*.cfg|All Files (*.*)|*.*";
inline constexpr std::string_view kCfgExtension = ".cfg";

// A save dialog (overwrite prompt on) proposing `proposedName`; `title`
// empty gives the front end's "Save As". Nothing when cancelled.
std::optional<std::string> PromptSaveFileName(ui::Ui& ui, std::string_view proposedName,
                                              std::string title = {});

// An open dialog for an existing configuration file, titled "Open".
std::optional<std::string> PromptOpenFileName(ui::Ui& ui);

// Where the folder is kept: a value of the "Application Options" section.
inline constexpr std::string_view kLastDirectoryValue = "Last File Directory";

// Makes the stored folder LastFileDirectory when it still is a folder;
// otherwise the default stays.
void RestoreLastFileDirectory(const SettingsKeyHelper& settings);
// Stores LastFileDirectory; false when the settings file cannot be written
// (the folder is then remembered for this run only).
bool SaveLastFileDirectory(const SettingsKeyHelper& settings);
// A document's file is now `path` (relative: to the current directory): its
// folder becomes LastFileDirectory and is stored.
void RememberFileDirectory(const SettingsKeyHelper& settings, const std::string& path);

}  // namespace recaster::app
