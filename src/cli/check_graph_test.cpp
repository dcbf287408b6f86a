// recaster-cfg check on configurations: the sample is sound; hand-damaged
// copies report dangling ids, unreferenced records, misordered lists and
// payloads that do not decode. Also recaster-cfg workforms.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "base/coding.h"
#include "base/paths.h"
#include "cli/cli_test_util.h"
#include "store/store.h"

namespace recaster::cli {
namespace {

using Bytes = std::vector<uint8_t>;

class CheckGraphTest : public testutil::CliTest {
  protected:
    void SetUp() override { WriteSample("/s.cfg"); }

    // A copy of the sample with `damage` applied to its store, committed.
    void Damage(const std::string& path, const std::function<void(store::Store&)>& damage) {
        fs_.Put(path, fs_.Get("/s.cfg"));
        store::Store s(store::DefaultKeyOrder(), fs_);
        s.Open(path, store::OpenMode::ReadWrite);
        damage(s);
        s.Commit();
        s.Close();
    }
    static Bytes Read(store::Store& s, const char (&tag)[5], uint32_t id) {
        Bytes v;
        EXPECT_TRUE(s.Read({FourCC(tag), id}, v)) << tag << " " << id;
        return v;
    }
    // The problem lines of `check` (the summary line dropped).
    std::vector<std::string> Problems(const std::string& path, int expectedExit) {
        EXPECT_EQ(Run({"check", path}), expectedExit) << out() << err();
        std::vector<std::string> lines;
        std::istringstream in(out());
        for (std::string line; std::getline(in, line);)
            if (line.rfind(path + ": ", 0) != 0) lines.push_back(line);
        return lines;
    }
};

TEST_F(CheckGraphTest, SampleIsSound) {
    EXPECT_EQ(Problems("/s.cfg", kExitOk), std::vector<std::string>{});
    EXPECT_NE(out().find("/s.cfg: sound;"), std::string::npos) << out();
}

TEST_F(CheckGraphTest, ReportsDanglingAndUnreferencedRecords) {
    uint32_t fieldId = 0, listId = 0;
    Damage("/dangling.cfg", [&](store::Store& s) {
        // The default database's field list: drop its first field's record.
        const Bytes db = Read(s, "CDBS", 0);
        const size_t ids = 2 + 1 + 7 + 1 + 27;  // workform, two texts
        listId = DecodeU32(&db[ids]);
        fieldId = DecodeU32(&Read(s, "CFD#", listId)[2]);
        s.Delete({FourCC("CFlD"), fieldId});
    });
    EXPECT_EQ(Problems("/dangling.cfg", kExitProblems),
              std::vector<std::string>{"record CFD# " + std::to_string(listId) + ": names CFlD " +
                                       std::to_string(fieldId) + ", which does not exist"});

    Damage("/orphan.cfg", [&](store::Store& s) {
        const Bytes field = Read(s, "CFlD", 3);
        s.Insert({FourCC("CFlD"), 900}, field);
        // A database that lost its document type list.
        Bytes db = Read(s, "CDBS", 1);
        const size_t docTypes = 2 + 1 + 6 + 1 + 38 + 4;  // "MEDLIT" and its description
        EncodeU32(&db[docTypes], 777);
        s.Update({FourCC("CDBS"), 1}, db);
    });
    const auto problems = Problems("/orphan.cfg", kExitProblems);
    EXPECT_NE(std::find(problems.begin(), problems.end(), "record CFlD 900: nothing refers to it"),
              problems.end());
    EXPECT_NE(std::find(problems.begin(), problems.end(),
                        "record CDBS 1: its document type list CDT# 777 does not exist"),
              problems.end());
    // The list it used to name is now unreferenced too.
    EXPECT_EQ(problems.size(), 3u) << testing::PrintToString(problems);
}

TEST_F(CheckGraphTest, ReportsMisorderedListsSharedRecordsAndUndecodablePayloads) {
    Damage("/order.cfg", [](store::Store& s) {
        Bytes list = Read(s, "CDB#", 0);  // Default, 007, AGRIDOC, BOOKCAT, ENGIN, MEDLIT
        std::swap_ranges(list.begin() + 2 + 4 * 2, list.begin() + 2 + 4 * 3,
                         list.begin() + 2 + 4 * 3);
        s.Update({FourCC("CDB#"), 0}, list);
    });
    EXPECT_EQ(Problems("/order.cfg", kExitProblems),
              std::vector<std::string>{"record CDB# 0: positions 3 and 4 (CDBS 5, CDBS 2) are out "
                                       "of order: \"BOOKCAT\", \"AGRIDOC\""});

    Damage("/shared.cfg", [](store::Store& s) {
        // Database 2 names database 1's parse information as its own.
        Bytes one = Read(s, "CDBS", 1), two = Read(s, "CDBS", 2);
        const size_t parseOne = one.size() - 1 - 1 - 1 - 1 - 3 - 4;  // before flags..separator
        const size_t parseTwo = two.size() - 1 - 1 - 1 - 1 - 4 - 4;
        std::copy_n(one.begin() + parseOne, 4, two.begin() + parseTwo);
        s.Update({FourCC("CDBS"), 2}, two);
    });
    const auto shared = Problems("/shared.cfg", kExitProblems);
    ASSERT_EQ(shared.size(), 2u) << testing::PrintToString(shared);
    EXPECT_EQ(shared[0].find("record CAPI "), 0u) << shared[0];
    EXPECT_NE(shared[0].find(": named by both CDBS 1 and CDBS 2"), std::string::npos) << shared[0];
    EXPECT_NE(shared[1].find(": nothing refers to it"), std::string::npos) << shared[1];

    Damage("/short.cfg", [](store::Store& s) {
        Bytes db = Read(s, "CDBS", 4);
        db.resize(12);
        s.Update({FourCC("CDBS"), 4}, db);
        s.Insert({FourCC("XYZW"), 1}, Bytes{1});
    });
    const auto broken = Problems("/short.cfg", kExitProblems);
    ASSERT_GE(broken.size(), 2u) << testing::PrintToString(broken);
    EXPECT_EQ(broken[0].rfind("record CDBS 4: cannot be decoded: ", 0), 0u) << broken[0];
    EXPECT_NE(std::find(broken.begin(), broken.end(), "record XYZW 1: not a configuration record"),
              broken.end());
}

TEST(WorkformsCommandTest, ListsTheSampleWorkformsFromTheFormsFolder) {
    // No reference manager settings: only Forms/ beside the test program.
    const std::string home = testing::TempDir() + "cli3-no-settings";
    std::filesystem::create_directories(home);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    store::MemFileSystem fs;
    std::ostringstream out, err;
    CommandIo io{out, err, fs};
    ASSERT_EQ(RunTool({"workforms"}, io), kExitOk) << err.str();
    const std::string text = out.str();
    const std::string forms = JoinPath(ProgramDirectory(), "Forms");
    EXPECT_EQ(text.find("Searched:\n  " + forms + " "), 0u) << text;
    EXPECT_NE(text.find("(Forms beside the program)"), std::string::npos) << text;
    EXPECT_NE(text.find("(not set)"), std::string::npos) << text;
    EXPECT_NE(text.find("Workforms (20)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  0     A      Journal Article                 17   "), std::string::npos)
        << text;
    EXPECT_NE(text.find("/Forms/a_journal_article.TWF\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  19    T      "), std::string::npos) << text;
    EXPECT_EQ(text.find("Passed over"), std::string::npos) << text;
}

}  // namespace
}  // namespace recaster::cli
