// CMainFrame: the main window's logic, apart from any toolkit. It answers the
// frame's own commands (recent files, print setup, help, Technical Support,
// the window arrangement, next/previous pane, the Window menu's list of open
// windows, Exit), routes every command
// along the chain of the active window (view, document, frame, application)
// so that an id nobody handles is disabled, chooses the menu (2 without a
// document, 4 with one), gives the status-line texts, and decides the window
// placement at start and stores it at close.
//
// The front end implements FrameWindow (what only a real window can do) and
// calls SetActiveTargets whenever the active child window changes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "app/window_placement.h"
#include "base/settings.h"
#include "ui/command_target.h"
#include "ui/ui.h"

namespace recaster::app {

class FrameWindow {
  public:
    virtual ~FrameWindow() = default;
    virtual void CascadeChildren() = 0;
    virtual void TileChildren() = 0;
    virtual void ArrangeIcons() = 0;
    virtual void ActivateNextChild(bool forward) = 0;
    virtual void PrintSetup() = 0;
    // Closes the main window (asking about unsaved documents); Exit.
    virtual void CloseMainWindow() = 0;
    virtual bool HasChildren() const = 0;
    // The child windows' titles in the order they were opened, the index of
    // the active one (-1: none), and making child `index` the active one.
    virtual std::vector<std::string> ChildTitles() const = 0;
    virtual int ActiveChildIndex() const = 0;
    virtual void ActivateChild(int index) = 0;
    // Lets the user pick one of `titles` (More Windows...), `current`
    // preselected; nothing when cancelled.
    virtual std::optional<int> PickChild(const std::vector<std::string>& titles, int current) = 0;
};

// Where the main window starts: the placement to apply (none: the window
// system decides the normal rectangle) and the show command.
struct StartPlacement {
    std::optional<WindowPlacement> placement;
    uint32_t showCommand = kShowMaximized;
};

// The placement rules of a start: no stored placement shows the window
// maximised after a normal start, else with the start's command; a stored one
// is used as it is after a normal start, while any other start command
// replaces its show command.
StartPlacement ChooseStartPlacement(const std::optional<WindowPlacement>& stored,
                                    uint32_t startShowCommand = kShowNormal);

class CMainFrame : public ui::CommandTarget {
  public:
    using OpenDocument = std::function<bool(const std::string& path)>;

    // `openDocument` opens a file (the recent-file commands use it).
    CMainFrame(ui::Ui& ui, FrameWindow& window, SettingsKeyHelper settings,
               OpenDocument openDocument);

    // --- Command routing ----------------------------------------------------
    // The targets of the active window, first asked (view, document); the
    // frame and `appTargets` follow.
    void SetActiveTargets(std::vector<ui::CommandTarget*> windowTargets);
    void SetAppTargets(std::vector<ui::CommandTarget*> appTargets);
    const ui::CommandChain& chain() const { return chain_; }
    bool IsCommandEnabled(int id) const { return chain_.IsEnabled(id); }
    bool IsCommandChecked(int id) const { return chain_.IsChecked(id); }
    // Runs `id` when some target has it enabled; false otherwise.
    bool ExecuteCommand(int id);

    // 2 while no document window is open, 4 while one is.
    int MenuId() const;
    int AcceleratorTableId() const { return MenuId(); }

    // The status-line text of a command (the text before "\n" of its string)
    // and its tooltip (after "\n"; the status text when there is none). The
    // idle text is "Ready".
    static std::string StatusText(int id);
    static std::string TooltipText(int id);
    static std::string IdleText();
    static std::string Title();

    // --- Window list --------------------------------------------------------
    // The Window menu's entries after its fixed commands: "&1 title" for the
    // first kWindowListSize child windows ("&" in a title doubled), then
    // kMoreWindowsText when there are more. Texts are UTF-8, like the titles.
    std::vector<std::string> WindowMenuTexts() const;

    // --- Recent files and the file dialogs' folder ---------------------------
    RecentFileList& recentFiles() { return recent_; }
    void LoadRecentFiles() { recent_.Load(settings_); }
    // What a start reads back: the recent-file list and LastFileDirectory.
    void LoadSettings();
    // Adds `path` and stores the list; a settings file that cannot be written
    // loses only the list, never the open.
    void NoteRecentFile(const std::string& path);
    // A document was opened, made or saved under a new name as `path`: it
    // goes to the top of the recent-file list and its folder becomes the
    // file dialogs' folder, both stored.
    void NoteDocumentFile(const std::string& path);
    // Stores LastFileDirectory (at the end of a run).
    void SaveFileDirectory();

    // --- Placement ----------------------------------------------------------
    StartPlacement PlacementAtStart(uint32_t startShowCommand = kShowNormal) const;
    // Stores the placement read from the window at close; false when the
    // settings file could not be written.
    bool SavePlacement(const WindowPlacement& placement);

    // --- CommandTarget (the frame's own commands) --------------------------
    bool Knows(int id) const override { return commands_.Knows(id); }
    bool IsEnabled(int id) const override { return commands_.IsEnabled(id); }
    bool IsChecked(int id) const override { return commands_.IsChecked(id); }
    void Handle(int id) override { commands_.Handle(id); }

  private:
    void RegisterCommands();
    void RebuildChain();
    void OpenRecent(int index);
    void MoreWindows();

    ui::Ui& ui_;
    FrameWindow& window_;
    SettingsKeyHelper settings_;
    OpenDocument openDocument_;
    RecentFileList recent_;
    ui::CommandMap commands_;
    ui::CommandChain chain_;
    std::vector<ui::CommandTarget*> windowTargets_;
    std::vector<ui::CommandTarget*> appTargets_;
};

}  // namespace recaster::app
