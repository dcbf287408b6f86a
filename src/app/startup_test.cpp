// Start-up steps: the forwarded file list, the command line, what opens
// first, and a damaged workform file reported once and skipped.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "base/version.h"
#include "ui/headless_ui.h"
#include "workforms/workform_loader.h"

namespace recaster::app {
namespace {

TEST(StartupTest, ForwardedFilesAreAbsoluteAndSurviveTheTrip) {
    std::string message =
        EncodeForwardedFiles({"A.cfg", "/data/B.cfg", "", "bad\nname.cfg"}, "/home/me");
    EXPECT_EQ(message, "/home/me/A.cfg\n/data/B.cfg\n");
    EXPECT_EQ(DecodeForwardedFiles(message),
              (std::vector<std::string>{"/home/me/A.cfg", "/data/B.cfg"}));
    EXPECT_TRUE(DecodeForwardedFiles("").empty());
    EXPECT_EQ(DecodeForwardedFiles("\n\n/x.cfg"), std::vector<std::string>{"/x.cfg"});
}

TEST(StartupTest, CommandLineNamesFilesAndIgnoresOptions) {
    EXPECT_EQ(FilesOfCommandLine({"-x", "A.cfg", "--verbose", "--", "-B.cfg", ""}),
              (std::vector<std::string>{"A.cfg", "-B.cfg"}));
    EXPECT_EQ(FilesOfCommandLine({"-"}), std::vector<std::string>{"-"});

    // --version and --help answer instead of starting; after "--" they are files.
    EXPECT_EQ(InformationRequested({"A.cfg", "--version"}),
              "recaster (Recaster II) " + std::string(ProgramVersion()) + "\n");
    EXPECT_EQ(InformationRequested({"-h"})->rfind("usage: recaster ", 0), 0u);
    EXPECT_EQ(InformationRequested({"A.cfg", "--", "--version"}), std::nullopt);
    EXPECT_EQ(InformationRequested({}), std::nullopt);

    // Without any display the start says so instead of failing in the toolkit.
    std::map<std::string, const char*> env;
    auto getenv = [&](const char* name) { return env.count(name) ? env[name] : nullptr; };
    EXPECT_NE(MissingDisplay({"A.cfg"}, getenv), std::nullopt);
    EXPECT_EQ(MissingDisplay({"-platform", "offscreen"}, getenv), std::nullopt);
    EXPECT_NE(MissingDisplay({"--", "-display"}, getenv), std::nullopt);
    env["DISPLAY"] = "";
    EXPECT_NE(MissingDisplay({}, getenv), std::nullopt);
    env["WAYLAND_DISPLAY"] = "wayland-0";
    EXPECT_EQ(MissingDisplay({}, getenv), std::nullopt);
}

TEST(StartupTest, PlainStartShowsOpenAndNamedFilesOpenDirectly) {
    int dialogs = 0;
    std::vector<std::string> opened;
    auto open = [&](const std::string& f) {
        opened.push_back(f);
        return f != "bad.cfg";
    };
    EXPECT_EQ(OpenAtStart({}, open, [&] { ++dialogs; }), 0);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(opened.empty());

    // A file that fails stops neither the files after it nor the program,
    // not even when it is the only one.
    EXPECT_EQ(OpenAtStart({"bad.cfg", "a.cfg", "bad.cfg", "b.cfg"}, open, [&] { ++dialogs; }), 2);
    EXPECT_EQ(opened, (std::vector<std::string>{"bad.cfg", "a.cfg", "bad.cfg", "b.cfg"}));
    EXPECT_EQ(OpenAtStart({"bad.cfg"}, open, [&] { ++dialogs; }), 0);
    EXPECT_EQ(dialogs, 1);

    EXPECT_EQ(AbsolutePath("A.cfg", "/home/me"), "/home/me/A.cfg");
    EXPECT_EQ(AbsolutePath("/data/B.cfg", "/home/me"), "/data/B.cfg");
}

TEST(StartupTest, DamagedWorkformFileShowsOneMessageNamingItAndIsSkipped) {
    auto dir = std::filesystem::temp_directory_path() /
               ("startup_test_forms_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "Broken.TWF") << "not a workform";
    workforms::WorkformLocator locator;
    locator.AddDirectory(dir.string());

    ui::HeadlessUi ui;
    ui.AnswerMessageBox(ui::IDOK, kMsgWorkformSkipped);
    EXPECT_EQ(LoadWorkformCatalog(ui, locator), 0);
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_NE(ui.messageBoxes()[0].text.find((dir / "Broken.TWF").string()), std::string::npos)
        << ui.messageBoxes()[0].text;
    // The catalog loads once per process.
    EXPECT_EQ(LoadWorkformCatalog(ui, locator), 0);
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace recaster::app
