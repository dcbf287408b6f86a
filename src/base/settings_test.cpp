// Settings files under a temporary XDG_CONFIG_HOME.
#include "base/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/errors.h"

namespace recaster {
namespace {

namespace fs = std::filesystem;

// Points XDG_CONFIG_HOME at a fresh folder for the test's lifetime.
class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) oldXdg_ = old;
        home_ = fs::temp_directory_path() /
                ("settings_test_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_);
        setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        if (oldXdg_) {
            setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        fs::remove_all(home_);
    }
    static std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path home_;
    std::optional<std::string> oldXdg_;
};

TEST_F(SettingsTest, KeyMapsToFileAndMissingValuesGiveDefaults) {
    const SettingsKeyHelper tomebase("Marrowfield", "Tomebase 5\\Application Settings");
    EXPECT_EQ(tomebase.FilePath(),
              (home_ / "Marrowfield/Tomebase 5/Application Settings.ini").string());
    EXPECT_EQ(tomebase.ReadText("Directories", "Workform File Path", "dflt"), "dflt");
    EXPECT_FALSE(fs::exists(tomebase.FilePath()));  // reading creates nothing

    fs::create_directories(home_ / "Marrowfield/Tomebase 5");
    std::ofstream(tomebase.FilePath()) << "[DIRECTORIES]\nworkform file path=/srv/forms dir\n";
    EXPECT_EQ(tomebase.ReadText("Directories", "Workform File Path"), "/srv/forms dir");
    EXPECT_EQ(tomebase.ReadText("Directories", "Other", "d"), "d");
    EXPECT_EQ(tomebase.ReadText("Nope", "Workform File Path", "d"), "d");

    // A key never leads out of the configuration folder.
    EXPECT_EQ(SettingsKeyHelper("Marrowfield", "..\\..\\x").FilePath(),
              (home_ / "Marrowfield/x.ini").string());
    EXPECT_EQ(SettingsKeyHelper("", "legacy.ini").FilePath(), (home_ / "legacy.ini").string());

    // An unreadable "file" (a folder here) reads as defaults.
    fs::create_directories(home_ / "Marrowfield/Dir.ini");
    EXPECT_EQ(SettingsKeyHelper("Marrowfield", "Dir").ReadInt("S", "k", 7), 7);
}

TEST_F(SettingsTest, WritesCreateFoldersKeepOtherLinesAndReadBack) {
    const SettingsKeyHelper app("Marrowfield", "Recaster II");
    EXPECT_EQ(app.FilePath(), (home_ / "Marrowfield/Recaster II.ini").string());
    app.WriteInt("Application Options", "Left", -20);
    app.WriteText("CfgRptFont", "Face", " Courier New ");
    EXPECT_EQ(app.ReadInt("application options", "LEFT", 0), -20);
    EXPECT_EQ(app.ReadText("CfgRptFont", "Face"), " Courier New ");

    // Hand edits survive a rewrite; the file mode is kept.
    std::ofstream(app.FilePath(), std::ios::app) << "; my note\nstray\n[Mine]\nk=v\n";
    ::chmod(app.FilePath().c_str(), 0600);
    app.WriteInt("Application Options", "Left", 5);
    EXPECT_EQ(Slurp(app.FilePath()),
              "[Application Options]\nLeft=5\n\n[CfgRptFont]\nFace=\" Courier New \"\n"
              "; my note\nstray\n[Mine]\nk=v\n");
    struct stat st {};
    ASSERT_EQ(::stat(app.FilePath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(home_ / "Marrowfield"), {}), 1);

    // Integers that are not whole decimal numbers give the default.
    for (const char* bad : {"", "12px", "0x10", "99999999999", " "}) {
        app.WriteText("N", "v", bad);
        EXPECT_EQ(app.ReadInt("N", "v", 42), 42) << bad;
    }
    EXPECT_THROW(app.WriteText("N", "v", "two\nlines"), FileError);
}

TEST_F(SettingsTest, WriteRefusesToReplaceAFileItCannotRead) {
    fs::create_directories(home_ / "Marrowfield/Dir.ini");
    try {
        SettingsKeyHelper("Marrowfield", "Dir").WriteText("S", "k", "v");
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), (home_ / "Marrowfield/Dir.ini").string());
    }
    EXPECT_TRUE(fs::is_directory(home_ / "Marrowfield/Dir.ini"));
}

}  // namespace
}  // namespace recaster
