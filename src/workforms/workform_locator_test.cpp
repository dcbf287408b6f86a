#include "workforms/workform_locator.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "workforms/workform_test_util.h"

namespace recaster::workforms {
namespace {

using testing::ScratchDir;

void Touch(const std::string& path) {
    std::ofstream(path).put('x');
}

TEST(WorkformLocator, ExtensionsInAnyCaseGroupedAndSortedPerDirectory) {
    ScratchDir forms, tomebase;
    for (const char* name : {"b.twf", "A.TWF", "c.Frm", "a.FRM", "d.txt", "twf", "e.TWF.bak"})
        Touch(forms / name);
    std::filesystem::create_directory(forms / "sub.TWF");  // a folder is no candidate
    Touch(tomebase / "z.TWF");
    Touch(tomebase / "0.frm");

    const WorkformLocator locator = WorkformLocator::ForDirectories("", "");
    EXPECT_TRUE(locator.Candidates().empty());

    WorkformLocator both;
    both.AddDirectory(forms.path());
    both.AddDirectory(tomebase.path());
    EXPECT_EQ(both.Candidates(),
              (std::vector<std::string>{forms / "A.TWF", forms / "b.twf", forms / "a.FRM",
                                        forms / "c.Frm", tomebase / "z.TWF", tomebase / "0.frm"}));
}

TEST(WorkformLocator, DirectoryList) {
    const WorkformLocator locator = WorkformLocator::ForDirectories("/opt/rc/bin/", "/srv/forms");
    EXPECT_EQ(locator.directories(), (std::vector<std::string>{"/opt/rc/bin/Forms", "/srv/forms"}));

    WorkformLocator list;
    list.AddDirectory("");
    list.AddDirectory("/a/Forms");
    list.AddDirectory("/a/Forms/");  // same directory
    list.AddDirectory("/a/forms");   // another one: paths keep their case
    list.AddDirectory("/does/not/exist");
    EXPECT_EQ(list.directories(),
              (std::vector<std::string>{"/a/Forms", "/a/forms", "/does/not/exist"}));
    EXPECT_TRUE(list.Candidates().empty());

    // Built or installed, the program's own folders come first.
    EXPECT_EQ(WorkformLocator::ForDataDirectories({"/usr/bin/", "/usr/share/recaster/"}, "/srv")
                  .directories(),
              (std::vector<std::string>{"/usr/bin/Forms", "/usr/share/recaster/Forms", "/srv"}));

    // The Tomebase path may be the program's own Forms folder.
    EXPECT_EQ(WorkformLocator::ForDirectories("/p", "/p/Forms/").directories().size(), 1u);
}

TEST(WorkformLocator, TomebasePathComesFromItsSettingsFile) {
    ScratchDir config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    EXPECT_EQ(WorkformLocator::TomebaseWorkformPath(), "");
    std::filesystem::create_directories(config / "Marrowfield/Tomebase 5");
    std::ofstream(config / "Marrowfield/Tomebase 5/Application Settings.ini")
        << "[Directories]\nWorkform File Path=/home/u/Tomebase/Forms\n";
    EXPECT_EQ(WorkformLocator::TomebaseWorkformPath(), "/home/u/Tomebase/Forms");
    EXPECT_EQ(WorkformLocator::ForThisProgram().directories().back(), "/home/u/Tomebase/Forms");

    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace recaster::workforms
