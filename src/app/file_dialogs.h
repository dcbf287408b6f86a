// The file dialogs of configuration files. Every one of them
//   - offers only the file part of the proposed name (no directory),
//   - starts in LastFileDirectory,
//   - after OK appends ".cfg" when the chosen name does not end with it
//     (ignoring case; an open dialog only when the name as typed does not
//     exist, so that other files stay openable), and stores the chosen
//     file's directory in LastFileDirectory.
// Cancel changes nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

}  // namespace recaster::app
