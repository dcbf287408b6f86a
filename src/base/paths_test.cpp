// Path operations, program directory, directory search and last directory.
#include "base/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace recaster {
namespace {

TEST(Paths, SplitAndDirectoryOf) {
    PathParts p = SplitPath("/home/u/cfg/Medline.v2.cfg");
    EXPECT_EQ(p.directory, "/home/u/cfg/");
    EXPECT_EQ(p.name, "Medline.v2");
    EXPECT_EQ(p.extension, ".cfg");

    p = SplitPath("notes");
    EXPECT_EQ(p.directory + p.name + p.extension, "notes");
    EXPECT_EQ(p.extension, "");
    p = SplitPath("/a.b/.hidden");
    EXPECT_EQ(p.directory, "/a.b/");
    EXPECT_EQ(p.name, ".hidden");
    EXPECT_EQ(p.extension, "");

    EXPECT_EQ(DirectoryOf("/home/u/x.cfg"), "/home/u");
    EXPECT_EQ(DirectoryOf("/x.cfg"), "/");
    EXPECT_EQ(DirectoryOf("x.cfg"), "");
}

TEST(Paths, JoinFilePartAndExtension) {
    EXPECT_EQ(JoinPath("", "a.cfg"), "a.cfg");
    EXPECT_EQ(JoinPath("/d/", "a.cfg"), "/d/a.cfg");
    EXPECT_EQ(JoinPath("/d", "a.cfg"), "/d/a.cfg");

    EXPECT_EQ(FilePart("/d/Report.TXT"), "Report.TXT");
    EXPECT_EQ(FilePart("/d/Report.TXT", ".txt"), "Report");
    EXPECT_EQ(FilePart("/d/Report.txt", ".cfg"), "Report.txt");

    EXPECT_EQ(WithExtension("/d/new", ".cfg"), "/d/new.cfg");
    EXPECT_EQ(WithExtension("/d/NEW.CFG", ".cfg"), "/d/NEW.CFG");
    EXPECT_EQ(WithExtension("/d/new.cf", ".cfg"), "/d/new.cf.cfg");
    EXPECT_EQ(WithExtension("/d/new", ""), "/d/new");
}

TEST(Paths, DataDirectoriesAreTheProgramsFolderThenTheInstalledDataFolder) {
    EXPECT_EQ(DataDirectoriesFor("/usr/bin/", "../share/recaster"),
              (std::vector<std::string>{"/usr/bin/", "/usr/share/recaster/"}));
    // A staging folder or a moved tree: found relative to the program.
    EXPECT_EQ(DataDirectoriesFor("/tmp/stage/usr/local/bin", "../share/recaster/"),
              (std::vector<std::string>{"/tmp/stage/usr/local/bin/",
                                        "/tmp/stage/usr/local/share/recaster/"}));
    EXPECT_EQ(DataDirectoriesFor("/opt/rc/", ""), std::vector<std::string>{"/opt/rc/"});
    EXPECT_EQ(DataDirectoriesFor("/opt/rc/", "."), std::vector<std::string>{"/opt/rc/"});
    EXPECT_TRUE(DataDirectoriesFor("", "../share/recaster").empty());

    // Run from the build folder, the data sits beside the program.
    EXPECT_EQ(DataDirectories().front(), ProgramDirectory());
    const std::string name = "paths-test-" + std::to_string(::getpid());
    EXPECT_EQ(FindDataFolder(name), "");
    std::filesystem::create_directory(ProgramDirectory() + name);
    EXPECT_EQ(FindDataFolder(name), ProgramDirectory() + name);
    std::filesystem::remove(ProgramDirectory() + name);
}

TEST(Paths, ProgramDirectoryAndLastFileDirectory) {
    const std::string dir = ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(dir));

    EXPECT_EQ(LastFileDirectory::Get(), dir + "Config");
    LastFileDirectory::Set("/tmp/elsewhere");
    EXPECT_EQ(LastFileDirectory::Get(), "/tmp/elsewhere");
    LastFileDirectory::Set(dir + "Config");
}

TEST(Paths, FindFilesByExtensionInAnyCaseSortedPerExtension) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("paths_test_" + std::to_string(getpid()));
    fs::create_directories(dir / "sub.twf");
    for (const char* name : {"b.TWF", "a.twf", "c.frm", "d.Frm", "e.txt", "twf", "x.twf.bak"}) {
        std::ofstream(dir / name) << "x";
    }
    const std::string d = dir.string();
    EXPECT_EQ(SplitExtensionList(".TWF;;.FRM;"), (std::vector<std::string>{".TWF", ".FRM"}));
    EXPECT_EQ(FindFiles(d, SplitExtensionList(".TWF;.FRM")),
              (std::vector<std::string>{d + "/a.twf", d + "/b.TWF", d + "/c.frm", d + "/d.Frm"}));
    EXPECT_TRUE(FindFiles(d + "/missing", {".TWF"}).empty());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace recaster
