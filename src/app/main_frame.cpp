// The main window's commands, routing, menus, status texts and placement.
#include "app/main_frame.h"

#include "app/file_dialogs.h"
#include "base/errors.h"
#include "resources/menus.h"
#include "resources/strings.h"

namespace recaster::app {

namespace r = resources;

StartPlacement ChooseStartPlacement(const std::optional<WindowPlacement>& stored,
                                    uint32_t startShowCommand) {
    StartPlacement start;
    if (!stored) {
        start.showCommand = startShowCommand == kShowNormal ? kShowMaximized : startShowCommand;
        return start;
    }
    start.placement = stored;
    start.showCommand = startShowCommand == kShowNormal ? stored->showCommand : startShowCommand;
    start.placement->showCommand = start.showCommand;
    return start;
}

CMainFrame::CMainFrame(ui::Ui& ui, FrameWindow& window, SettingsKeyHelper settings,
                       OpenDocument openDocument)
    : ui_(ui),
      window_(window),
      settings_(std::move(settings)),
      openDocument_(std::move(openDocument)) {
    RegisterCommands();
    RebuildChain();
}

void CMainFrame::RegisterCommands() {
    auto hasChildren = [this] { return window_.HasChildren(); };
    for (int i = 0; i < r::kRecentFileCount; ++i) {
        commands_.Add(
            r::kCmdRecentFile1 + i, [this, i] { OpenRecent(i); },
            [this, i] { return i < static_cast<int>(recent_.entries().size()); });
    }
    commands_.Add(r::kCmdPrintSetup, [this] { window_.PrintSetup(); });
    commands_.Add(r::kCmdExit, [this] { window_.CloseMainWindow(); });
    commands_.Add(
        r::kCmdWindowCascade, [this] { window_.CascadeChildren(); }, hasChildren);
    commands_.Add(
        r::kCmdWindowTile, [this] { window_.TileChildren(); }, hasChildren);
    commands_.Add(
        r::kCmdWindowArrange, [this] { window_.ArrangeIcons(); }, hasChildren);
    commands_.Add(
        r::kCmdNextPane, [this] { window_.ActivateNextChild(true); }, hasChildren);
    commands_.Add(
        r::kCmdPrevPane, [this] { window_.ActivateNextChild(false); }, hasChildren);
    for (int i = 0; i < r::kWindowListSize; ++i) {
        commands_.Add(
            r::kCmdWindowList1 + i, [this, i] { window_.ActivateChild(i); },
            [this, i] { return i < static_cast<int>(window_.ChildTitles().size()); },
            [this, i] { return window_.ActiveChildIndex() == i; });
    }
    commands_.Add(
        r::kCmdMoreWindows, [this] { MoreWindows(); },
        [this] { return static_cast<int>(window_.ChildTitles().size()) > r::kWindowListSize; });

    auto help = [this](ui::HelpCommand command, std::string topic = {}) {
        return [this, command, topic] { ui_.ShowHelp(command, topic); };
    };
    commands_.Add(r::kCmdHelpFinder, help(ui::HelpCommand::Contents));
    commands_.Add(r::kCmdHelpIndex, help(ui::HelpCommand::Index));
    commands_.Add(r::kCmdDefaultHelp, help(ui::HelpCommand::Index));
    commands_.Add(r::kCmdHelpUsing, help(ui::HelpCommand::HelpOnHelp));
    commands_.Add(r::kCmdTechnicalSupport, help(ui::HelpCommand::Keyword, "Technical Support"));
    // Help for what is in front: the active window's page while a document
    // is open, else the contents.
    auto contextHelp = [this] {
        if (!window_.HasChildren()) {
            ui_.ShowHelp(ui::HelpCommand::Contents);
            return;
        }
        std::string topic = "database_list.html";
        for (const ui::CommandTarget* target : windowTargets_) {
            std::string own = target->HelpTopic();
            if (!own.empty()) {
                topic = std::move(own);
                break;
            }
        }
        ui_.ShowHelp(ui::HelpCommand::Topic, topic);
    };
    commands_.Add(r::kCmdHelp, contextHelp);
    commands_.Add(r::kCmdContextHelp, contextHelp);
}

void CMainFrame::SetActiveTargets(std::vector<ui::CommandTarget*> windowTargets) {
    windowTargets_ = std::move(windowTargets);
    RebuildChain();
}

void CMainFrame::SetAppTargets(std::vector<ui::CommandTarget*> appTargets) {
    appTargets_ = std::move(appTargets);
    RebuildChain();
}

void CMainFrame::RebuildChain() {
    std::vector<ui::CommandTarget*> targets = windowTargets_;
    targets.push_back(this);
    targets.insert(targets.end(), appTargets_.begin(), appTargets_.end());
    chain_.SetTargets(std::move(targets));
}

bool CMainFrame::ExecuteCommand(int id) {
    return chain_.Execute(id);
}

int CMainFrame::MenuId() const {
    return window_.HasChildren() ? 4 : 2;
}

namespace {
// The string of a command's status text; the window list's entries share one.
int StatusStringOf(int id) {
    if (id >= r::kCmdWindowList1 && id < r::kCmdWindowList1 + r::kWindowListSize) {
        return r::kStrActivateWindow;
    }
    return id == r::kCmdMoreWindows ? r::kStrMoreWindows : id;
}
}  // namespace

std::string CMainFrame::StatusText(int id) {
    const std::string& text = r::LoadString(StatusStringOf(id));
    return text.substr(0, text.find('\n'));
}

std::string CMainFrame::TooltipText(int id) {
    const std::string& text = r::LoadString(StatusStringOf(id));
    size_t newline = text.find('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

std::string CMainFrame::IdleText() {
    return r::LoadString(r::kStrIdle);
}
std::string CMainFrame::Title() {
    return r::LoadString(r::kStrAppTitle);
}

std::vector<std::string> CMainFrame::WindowMenuTexts() const {
    const std::vector<std::string> titles = window_.ChildTitles();
    std::vector<std::string> texts;
    for (int i = 0; i < static_cast<int>(titles.size()) && i < r::kWindowListSize; ++i) {
        std::string text = "&" + std::to_string(i + 1) + " ";
        for (char c : titles[static_cast<size_t>(i)]) {
            if (c == '&') text += '&';  // not a mnemonic
            text += c;
        }
        texts.push_back(std::move(text));
    }
    if (static_cast<int>(titles.size()) > r::kWindowListSize) {
        texts.emplace_back(r::kMoreWindowsText);
    }
    return texts;
}

void CMainFrame::MoreWindows() {
    std::optional<int> chosen =
        window_.PickChild(window_.ChildTitles(), window_.ActiveChildIndex());
    if (chosen) window_.ActivateChild(*chosen);
}

void CMainFrame::LoadSettings() {
    LoadRecentFiles();
    RestoreLastFileDirectory(settings_);
}

void CMainFrame::NoteDocumentFile(const std::string& path) {
    NoteRecentFile(path);
    RememberFileDirectory(settings_, path);
}

void CMainFrame::SaveFileDirectory() {
    SaveLastFileDirectory(settings_);
}

void CMainFrame::NoteRecentFile(const std::string& path) {
    recent_.Add(path);
    try {
        recent_.Save(settings_);
    } catch (const FileError&) {
        // The list is a convenience; the file is open all the same.
    }
}

void CMainFrame::OpenRecent(int index) {
    if (index < 0 || index >= static_cast<int>(recent_.entries().size())) return;
    std::string path = recent_.entries()[index];
    if (openDocument_ && openDocument_(path)) return;
    // The document told the user why; an entry that cannot be opened goes.
    recent_.Remove(path);
    try {
        recent_.Save(settings_);
    } catch (const FileError&) {
    }
}

StartPlacement CMainFrame::PlacementAtStart(uint32_t startShowCommand) const {
    return ChooseStartPlacement(ReadPlacement(settings_, kAppOptionsSection), startShowCommand);
}

bool CMainFrame::SavePlacement(const WindowPlacement& placement) {
    try {
        WritePlacement(settings_, kAppOptionsSection, placement);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace recaster::app
