// Test fixture: a fresh folder under /tmp for each test, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace recaster::store::testing {

class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/store-test-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    // A file that a replacement must leave as the user set it up: `text` in
    // `name`, mode 0640, owner 12345:23456 where the test may give it (as root),
    // and a link `linkName` in front of it.
    void MakeLinkedFile(const std::string& name, const std::string& linkName,
                        const std::string& text) {
        const std::string real = Path(name);
        std::ofstream(real) << text;
        ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(real.c_str(), 12345, 23456), 0);
        }
        std::filesystem::create_symlink(name, Path(linkName));
    }

    // The link is still a link, and the file behind it kept what MakeLinkedFile
    // gave it.
    void ExpectLinkedFileKept(const std::string& name, const std::string& linkName) {
        EXPECT_TRUE(std::filesystem::is_symlink(Path(linkName)));
        struct stat st {};
        ASSERT_EQ(::stat(Path(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        if (::geteuid() == 0) {
            EXPECT_EQ(st.st_uid, 12345u);
            EXPECT_EQ(st.st_gid, 23456u);
        }
    }

    std::string dir_;
};

}  // namespace recaster::store::testing
