#include "cli/tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/coding.h"
#include "store/file_system.h"
#include "store/page_format.h"
#include "store/store.h"

namespace recaster::cli {
namespace {

using Bytes = std::vector<uint8_t>;

class ToolTest : public testing::Test {
  protected:
    void SetUp() override {
        store::Store s(store::DefaultKeyOrder(), fs_);
        s.Create("/a.cfg", [](store::Store& st) {
            st.Insert({FourCC("CGNL"), 0}, Bytes(37, 0xAB));
            st.Insert({FourCC("CDBS"), 2}, Bytes{1, 2, 3});
            st.Insert({FourCC("CDBS"), 10}, Bytes(300, 7));
            st.Insert({FourCC("CDBS"), 1}, Bytes{});
        });
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        CommandIo io{out_, err_, fs_};
        return RunTool(args, io);
    }

    store::MemFileSystem fs_;
    std::ostringstream out_, err_;
};

TEST_F(ToolTest, CheckReportsSoundDamagedAndUnreadableFiles) {
    EXPECT_EQ(Run({"check", "/a.cfg"}), kExitOk);
    EXPECT_EQ(out_.str(),
              "/a.cfg: sound; 2 pages (1 leaf, 0 internal, 1 overflow, 0 free), 4 records, "
              "height 1\n");
    EXPECT_EQ(err_.str(), "");

    Bytes b = fs_.Get("/a.cfg");
    EncodeU32(&b[13 + 12], 9);  // record count in the header
    b.resize(b.size() + store::kPageSize);
    fs_.Put("/bad.cfg", b);
    EXPECT_EQ(Run({"check", "/bad.cfg"}), kExitProblems);
    EXPECT_EQ(out_.str(),
              "header: record count 9, the leaves hold 4\n"
              "page 5632: neither used nor free\n"
              "/bad.cfg: 2 problems; 3 pages (1 leaf, 0 internal, 1 overflow, 0 free), 4 "
              "records, height 1\n");

    EXPECT_EQ(Run({"check", "/missing.cfg"}), kExitNoAccess);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str().rfind("recaster-cfg: /missing.cfg: ", 0), 0u) << err_.str();

    b[0] = 1;  // version 1 is refused at open: read, and not a file this program knows
    fs_.Put("/old.cfg", b);
    EXPECT_EQ(Run({"check", "/old.cfg"}), kExitProblems);
    EXPECT_EQ(err_.str().rfind("recaster-cfg: /old.cfg: ", 0), 0u) << err_.str();
}

TEST_F(ToolTest, DumpListsRecordsInKeyOrder) {
    EXPECT_EQ(Run({"dump", "/a.cfg"}), kExitOk);
    EXPECT_EQ(out_.str(), "CDBS 1 0\nCDBS 2 3\nCDBS 10 300\nCGNL 0 37\n");

    EXPECT_EQ(Run({"dump", "--hex", "/a.cfg"}), kExitOk);
    std::string hex = out_.str();
    EXPECT_EQ(hex.substr(0, 29), "CDBS 1 0\nCDBS 2 3\n  01 02 03\n");
    // 300 bytes of 07: 18 full lines of 16 and one of 12
    size_t big = hex.find("CDBS 10 300\n");
    ASSERT_NE(big, std::string::npos);
    std::string line16 = "  07";
    for (int i = 1; i < 16; ++i) line16 += " 07";
    EXPECT_EQ(hex.compare(big + 12, line16.size() + 1, line16 + "\n"), 0);
    EXPECT_NE(hex.find("\n  07 07 07 07 07 07 07 07 07 07 07 07\nCGNL 0 37\n  ab ab"),
              std::string::npos);

    // A damaged leaf: records cannot be listed, the error names the file.
    Bytes b = fs_.Get("/a.cfg");
    b[store::kFirstPage] = 9;
    fs_.Put("/bad.cfg", b);
    EXPECT_EQ(Run({"dump", "/bad.cfg"}), kExitProblems);
    EXPECT_EQ(err_.str().rfind("recaster-cfg: /bad.cfg: ", 0), 0u) << err_.str();
    EXPECT_EQ(Run({"dump", "/missing.cfg"}), kExitNoAccess);
}

TEST_F(ToolTest, UsageAndHelp) {
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(out_.str().find("check"), std::string::npos);
    EXPECT_NE(out_.str().find("dump"), std::string::npos);

    EXPECT_EQ(Run({"check", "--help"}), kExitOk);
    EXPECT_EQ(out_.str().rfind("usage: recaster-cfg check FILE", 0), 0u);
    EXPECT_EQ(Run({"dump", "/a.cfg", "--help"}), kExitOk);
    EXPECT_EQ(out_.str().rfind("usage: recaster-cfg dump", 0), 0u);

    for (std::vector<std::string> bad :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate", "/a.cfg"},
                                               {"check"},
                                               {"check", "/a.cfg", "/b.cfg"},
                                               {"check", "--hex", "/a.cfg"},
                                               {"dump", "--bogus", "/a.cfg"}}) {
        EXPECT_EQ(Run(bad), kExitUsage) << testing::PrintToString(bad);
        EXPECT_EQ(out_.str(), "");
        EXPECT_NE(err_.str().find("usage: recaster-cfg"), std::string::npos) << err_.str();
    }
    // After "--" a leading dash is a file name, not an option.
    EXPECT_EQ(Run({"check", "--", "--help"}), kExitNoAccess);
    EXPECT_EQ(err_.str().rfind("recaster-cfg: --help: ", 0), 0u) << err_.str();
}

}  // namespace
}  // namespace recaster::cli
