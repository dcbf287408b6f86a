// The file-dialog rules (start directory, proposed name, extension, directory
// memory) and the application's Open and About commands.
#include "app/file_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_commands.h"
#include "base/paths.h"
#include "base/version.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"

namespace recaster::app {
namespace {

TEST(FileDialogsTest, SaveStartsInLastDirectoryAppendsExtensionAndRemembersDirectory) {
    ui::HeadlessUi ui;
    LastFileDirectory::Set("/home/u/Config");

    ui.AnswerFileDialog(std::nullopt);
    EXPECT_EQ(PromptSaveFileName(ui, "/elsewhere/Old Name.cfg"), std::nullopt);
    EXPECT_EQ(LastFileDirectory::Get(), "/home/u/Config");  // cancel changes nothing
    const ui::FileDialogRequest& first = ui.fileDialogs().at(0);
    EXPECT_TRUE(first.save);
    EXPECT_TRUE(first.overwritePrompt);
    EXPECT_EQ(first.proposedName, "Old Name.cfg");  // no directory
    EXPECT_EQ(first.startDirectory, "/home/u/Config");
    EXPECT_EQ(first.defaultExtension, "cfg");
    EXPECT_EQ(first.filter, "Config File (*.cfg)|*.cfg|All Files (*.*)|*.*");

    ui.AnswerFileDialog("/data/work/plain");
    EXPECT_EQ(PromptSaveFileName(ui, "x"), "/data/work/plain.cfg");
    EXPECT_EQ(LastFileDirectory::Get(), "/data/work");
    EXPECT_EQ(ui.fileDialogs().at(1).startDirectory, "/home/u/Config");

    ui.AnswerFileDialog("/data/CAPS.CFG");
    EXPECT_EQ(PromptSaveFileName(ui, "x"), "/data/CAPS.CFG");
    ui.AnswerFileDialog("/data/notes.txt");
    EXPECT_EQ(PromptSaveFileName(ui, "x"), "/data/notes.txt.cfg");
    EXPECT_EQ(ui.fileDialogs().at(3).startDirectory, "/data");
}

TEST(FileDialogsTest, OpenKeepsExistingNamesAndCompletesMissingOnes) {
    std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "file_dialogs_open";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "notes.txt") << "x";
    ui::HeadlessUi ui;
    LastFileDirectory::Set("/start");

    ui.AnswerFileDialog((dir / "notes.txt").string());
    EXPECT_EQ(PromptOpenFileName(ui), (dir / "notes.txt").string());
    EXPECT_EQ(LastFileDirectory::Get(), dir.string());
    EXPECT_EQ(ui.fileDialogs().at(0).title, "Open");
    EXPECT_TRUE(ui.fileDialogs().at(0).fileMustExist);
    EXPECT_FALSE(ui.fileDialogs().at(0).save);

    ui.AnswerFileDialog((dir / "typed").string());
    EXPECT_EQ(PromptOpenFileName(ui), (dir / "typed.cfg").string());
    std::filesystem::remove_all(dir);
}

TEST(AppCommandsTest, OpenHandsTheChosenFileToTheFrontEndAndAboutShowsTemplate100) {
    ui::HeadlessUi ui;
    LastFileDirectory::Set("/cfgs");
    std::vector<std::string> opened;
    int created = 0;
    AppCommands commands(
        ui,
        [&](const std::string& path) {
            opened.push_back(path);
            return true;
        },
        [&] { return ++created > 0; });

    ui.AnswerFileDialog(std::nullopt);
    commands.Handle(kCmdFileOpen);
    EXPECT_TRUE(opened.empty());
    ui.AnswerFileDialog("/cfgs/sub/medline");
    EXPECT_TRUE(commands.OnFileOpen());
    EXPECT_EQ(opened, std::vector<std::string>{"/cfgs/sub/medline.cfg"});
    EXPECT_EQ(ui.fileDialogs().at(1).startDirectory, "/cfgs");
    EXPECT_EQ(LastFileDirectory::Get(), "/cfgs/sub");

    EXPECT_TRUE(commands.IsEnabled(kCmdFileNew));
    commands.Handle(kCmdFileNew);
    EXPECT_EQ(created, 1);

    ui.OnDialog(AboutDialog::kTemplateId, [](ui::DialogDriver& d) {
        EXPECT_EQ(d.dialog().title(), "About Recaster II");
        EXPECT_EQ(d.dialog().GetText(AboutDialog::kIdVersion),
                  "Version " + std::string(ProgramVersion()));
        EXPECT_TRUE(d.PressEnter());
    });
    commands.Handle(kCmdAppAbout);
    EXPECT_EQ(ui.dialogsRun(), std::vector<int>{100});
}

}  // namespace
}  // namespace recaster::app
