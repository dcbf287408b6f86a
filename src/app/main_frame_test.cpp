// CMainFrame: routing and enabling, the menu per state, status texts, the
// recent-file commands and the start placement rules.
#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/file_dialogs.h"
#include "base/paths.h"
#include "resources/menus.h"
#include "ui/headless_ui.h"

namespace recaster::app {
namespace {

namespace r = resources;

struct FakeWindow : FrameWindow {
    int children = 0;
    std::vector<std::string> titles;
    int active = -1;
    std::optional<int> pick;  // the user's choice in More Windows
    std::vector<std::string> calls;
    void CascadeChildren() override { calls.push_back("cascade"); }
    void TileChildren() override { calls.push_back("tile"); }
    void ArrangeIcons() override { calls.push_back("arrange"); }
    void ActivateNextChild(bool forward) override { calls.push_back(forward ? "next" : "prev"); }
    void PrintSetup() override { calls.push_back("print setup"); }
    void CloseMainWindow() override { calls.push_back("close"); }
    bool HasChildren() const override { return children > 0; }
    std::vector<std::string> ChildTitles() const override { return titles; }
    int ActiveChildIndex() const override { return active; }
    void ActivateChild(int index) override { calls.push_back("activate " + std::to_string(index)); }
    std::optional<int> PickChild(const std::vector<std::string>& all, int current) override {
        calls.push_back("pick of " + std::to_string(all.size()) + " at " + std::to_string(current));
        return pick;
    }
};

// A settings folder of the test's own.
class SettingsFolder {
  public:
    SettingsFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("main_frame_test_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~SettingsFolder() {
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(path_);
    }

  private:
    std::filesystem::path path_;
};

TEST(MainFrameTest, CommandsNobodyHandlesAreDisabledAndTheActiveWindowGoesFirst) {
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    CMainFrame frame(ui, window, AppSettings(), {});

    // Later commands (database identification, cut) have no target yet.
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdDatabaseIdentification));
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdCut));
    EXPECT_FALSE(frame.ExecuteCommand(r::kCmdCut));
    // The frame's own: window commands only with children.
    EXPECT_TRUE(frame.IsCommandEnabled(r::kCmdPrintSetup));
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdWindowCascade));
    EXPECT_EQ(frame.MenuId(), 2);
    window.children = 1;
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdWindowCascade));
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdPrevPane));
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdExit));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"cascade", "prev", "close"}));
    EXPECT_EQ(frame.MenuId(), 4);
    EXPECT_EQ(frame.AcceleratorTableId(), 4);

    // A window's target answers before the frame, also for a frame command.
    ui::CommandMap view;
    int viewRan = 0;
    view.Add(r::kCmdCut, [&] { ++viewRan; });
    view.Add(
        r::kCmdWindowTile, [&] { ++viewRan; }, [] { return false; });
    frame.SetActiveTargets({&view});
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdCut));
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdWindowTile));
    EXPECT_EQ(viewRan, 1);
    frame.SetActiveTargets({});
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdCut));
}

TEST(MainFrameTest, HelpCommandsOpenTheHelpPagesAndStatusTextsComeFromTheStringTable) {
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    CMainFrame frame(ui, window, AppSettings(), {});
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdTechnicalSupport));
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdHelpFinder));
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdHelpIndex));
    ASSERT_EQ(ui.helpRequests().size(), 3u);
    EXPECT_EQ(ui.helpRequests()[0],
              std::pair(ui::HelpCommand::Keyword, std::string("Technical Support")));
    EXPECT_EQ(ui.helpRequests()[1].first, ui::HelpCommand::Contents);
    EXPECT_EQ(ui.helpRequests()[2].first, ui::HelpCommand::Index);

    // F1 opens the page of the window in front, the database list's when
    // that window names none, the contents when no document is open.
    struct PagedView : ui::CommandMap {
        std::string topic;
        std::string HelpTopic() const override { return topic; }
    } view;
    frame.SetActiveTargets({&view});
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdHelp));
    window.children = 1;
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdHelp));
    view.topic = "field_list.html";
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdContextHelp));
    ASSERT_EQ(ui.helpRequests().size(), 6u);
    EXPECT_EQ(ui.helpRequests()[3].first, ui::HelpCommand::Contents);
    EXPECT_EQ(ui.helpRequests()[4],
              std::pair(ui::HelpCommand::Topic, std::string("database_list.html")));
    EXPECT_EQ(ui.helpRequests()[5],
              std::pair(ui::HelpCommand::Topic, std::string("field_list.html")));

    EXPECT_EQ(CMainFrame::StatusText(r::kCmdTechnicalSupport),
              "Displays the technical support help page");
    EXPECT_EQ(CMainFrame::TooltipText(r::kCmdTechnicalSupport), "Technical Support");
    EXPECT_EQ(CMainFrame::StatusText(r::kCmdDatabaseInformation),
              "Access information for selected database");
    EXPECT_EQ(CMainFrame::TooltipText(r::kCmdDatabaseInformation),
              "Access information for selected database");
    EXPECT_EQ(CMainFrame::IdleText(), "Ready");
    EXPECT_EQ(CMainFrame::Title(), "Recaster II");
}

TEST(MainFrameTest, RecentFilesOpenAndDropEntriesThatNoLongerOpen) {
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    std::vector<std::string> opened;
    auto open = [&](const std::string& path) {
        opened.push_back(path);
        return path != "/gone.cfg";
    };
    {
        CMainFrame frame(ui, window, AppSettings(), open);
        EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdRecentFile1));
        for (const char* p : {"/gone.cfg", "/a.cfg", "/b.cfg", "/c.cfg", "/d.cfg", "/b.cfg"})
            frame.NoteRecentFile(p);
    }
    // A new run reads the list back: newest first, four at most.
    CMainFrame frame(ui, window, AppSettings(), open);
    frame.LoadRecentFiles();
    EXPECT_EQ(frame.recentFiles().entries(),
              (std::vector<std::string>{"/b.cfg", "/d.cfg", "/c.cfg", "/a.cfg"}));
    EXPECT_TRUE(frame.IsCommandEnabled(r::kCmdRecentFile1 + 3));
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdRecentFile1 + 1));
    EXPECT_EQ(opened.back(), "/d.cfg");

    frame.NoteRecentFile("/gone.cfg");
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdRecentFile1));
    EXPECT_EQ(opened.back(), "/gone.cfg");
    EXPECT_EQ(frame.recentFiles().entries().size(), 3u);
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdRecentFile1 + 3));
}

TEST(MainFrameTest, TheWindowMenuListsNineWindowsThenMoreWindows) {
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    CMainFrame frame(ui, window, AppSettings(), {});
    const int first = r::kCmdWindowList1;
    EXPECT_TRUE(frame.WindowMenuTexts().empty());
    EXPECT_FALSE(frame.IsCommandEnabled(first));

    window.titles = {"x.cfg (a)", "x.cfg (a) : Database 'R&D'"};
    window.active = 1;
    EXPECT_EQ(frame.WindowMenuTexts(),
              (std::vector<std::string>{"&1 x.cfg (a)", "&2 x.cfg (a) : Database 'R&&D'"}));
    EXPECT_TRUE(frame.IsCommandEnabled(first + 1));
    EXPECT_FALSE(frame.IsCommandEnabled(first + 2));
    EXPECT_FALSE(frame.IsCommandChecked(first));
    EXPECT_TRUE(frame.IsCommandChecked(first + 1));
    EXPECT_FALSE(frame.IsCommandEnabled(r::kCmdMoreWindows));
    EXPECT_TRUE(frame.ExecuteCommand(first));
    EXPECT_FALSE(frame.ExecuteCommand(first + 2));
    EXPECT_EQ(CMainFrame::StatusText(first + 8), "Activate this window");

    // Ten windows: nine listed, the tenth through More Windows.
    window.titles.clear();
    for (int i = 0; i < 10; ++i) window.titles.push_back("w" + std::to_string(i));
    window.active = 9;
    std::vector<std::string> texts = frame.WindowMenuTexts();
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ(texts[8], "&9 w8");
    EXPECT_EQ(texts[9], "&More Windows...");
    EXPECT_FALSE(frame.IsCommandChecked(first + 8));
    window.pick = 9;
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdMoreWindows));
    window.pick.reset();
    EXPECT_TRUE(frame.ExecuteCommand(r::kCmdMoreWindows));  // cancelled
    EXPECT_EQ(window.calls, (std::vector<std::string>{"activate 0", "pick of 10 at 9", "activate 9",
                                                      "pick of 10 at 9"}));
}

TEST(MainFrameTest, TheFolderOfTheLastDocumentIsWhereTheNextRunsDialogsStart) {
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    auto work = std::filesystem::temp_directory_path() /
                ("main_frame_test_work_" + std::to_string(::getpid()));
    std::filesystem::create_directories(work / "sub");
    {
        CMainFrame frame(ui, window, AppSettings(), {});
        frame.NoteDocumentFile((work / "sub" / "x.cfg").string());
        EXPECT_EQ(LastFileDirectory::Get(), (work / "sub").string());
        EXPECT_EQ(frame.recentFiles().entries().front(), (work / "sub" / "x.cfg").string());
    }
    LastFileDirectory::Set("/elsewhere");
    {
        CMainFrame frame(ui, window, AppSettings(), {});
        frame.LoadSettings();
        EXPECT_EQ(LastFileDirectory::Get(), (work / "sub").string());
        EXPECT_EQ(frame.recentFiles().entries().size(), 1u);
        // A relative name counts from the current folder.
        frame.NoteDocumentFile("y.cfg");
        EXPECT_EQ(LastFileDirectory::Get(), std::filesystem::current_path().string());
        // What a dialog chose last is kept at the end too.
        LastFileDirectory::Set(work.string());
        frame.SaveFileDirectory();
    }
    LastFileDirectory::Set("/elsewhere");
    CMainFrame frame(ui, window, AppSettings(), {});
    frame.LoadSettings();
    EXPECT_EQ(LastFileDirectory::Get(), work.string());

    // A folder that has gone since leaves the default alone.
    std::filesystem::remove_all(work);
    LastFileDirectory::Set("/elsewhere");
    frame.LoadSettings();
    EXPECT_EQ(LastFileDirectory::Get(), "/elsewhere");
}

TEST(MainFrameTest, StartPlacementFollowsTheStoredOneAndTheStartCommand) {
    // Nothing stored: maximised after a normal start, else as started.
    EXPECT_EQ(ChooseStartPlacement(std::nullopt, kShowNormal).showCommand, kShowMaximized);
    EXPECT_FALSE(ChooseStartPlacement(std::nullopt, kShowNormal).placement);
    EXPECT_EQ(ChooseStartPlacement(std::nullopt, kShowMinimized).showCommand, kShowMinimized);

    WindowPlacement stored;
    stored.showCommand = kShowNormal;
    stored.left = 10;
    stored.right = 610;
    StartPlacement normal = ChooseStartPlacement(stored, kShowNormal);
    EXPECT_EQ(normal.showCommand, kShowNormal);
    ASSERT_TRUE(normal.placement);
    EXPECT_EQ(normal.placement->right, 610);
    StartPlacement minimised = ChooseStartPlacement(stored, kShowMinimized);
    EXPECT_EQ(minimised.showCommand, kShowMinimized);
    EXPECT_EQ(minimised.placement->showCommand, kShowMinimized);

    // Through the settings: a window closed maximised comes back maximised;
    // a damaged text counts as none.
    SettingsFolder folder;
    ui::HeadlessUi ui;
    FakeWindow window;
    CMainFrame frame(ui, window, AppSettings(), {});
    stored.showCommand = kShowMaximized;
    ASSERT_TRUE(frame.SavePlacement(stored));
    EXPECT_EQ(frame.PlacementAtStart().showCommand, kShowMaximized);
    EXPECT_EQ(frame.PlacementAtStart().placement->left, 10);
    AppSettings().WriteText(kAppOptionsSection, kPlacementValue, "0,1,2,3,4,5,6,7,8");
    EXPECT_FALSE(frame.PlacementAtStart().placement);
    EXPECT_EQ(frame.PlacementAtStart().showCommand, kShowMaximized);
}

}  // namespace
}  // namespace recaster::app
