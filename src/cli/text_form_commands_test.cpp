// recaster-cfg export, import and lint: the trip through the commands, what
// they refuse and leave alone, their exit status, and the lint's findings on
// the sample.
#include <nlohmann/json.hpp>

#include "cli/cli_test_util.h"
#include "config/dfs_info.h"

namespace recaster::cli {
namespace {

using Bytes = std::vector<uint8_t>;
using Json = nlohmann::ordered_json;

class TextFormCommandsTest : public testutil::CliTest {
  protected:
    std::string FileText(const std::string& path) {
        const Bytes b = fs_.Get(path);
        return std::string(b.begin(), b.end());
    }
    void PutText(const std::string& path, const std::string& text) {
        fs_.Put(path, Bytes(text.begin(), text.end()));
    }
    void WriteSoundSample(const std::string& path) { WriteSample(path); }
};

TEST_F(TextFormCommandsTest, ExportImportExportGivesTheSameText) {
    WriteSoundSample("/s.cfg");
    ASSERT_EQ(Run({"export", "/s.cfg", "-o", "/s.json"}), kExitOk) << err();
    EXPECT_EQ(out(), "");
    ASSERT_EQ(Run({"import", "/s.json", "/copy.cfg"}), kExitOk) << err();
    ASSERT_EQ(Run({"export", "/copy.cfg"}), kExitOk) << err();
    EXPECT_EQ(out(), FileText("/s.json"));
    EXPECT_EQ(Run({"check", "/copy.cfg"}), kExitOk) << out();

    // A file made by another command, too.
    ASSERT_EQ(Run({"new", "/new.cfg"}), kExitOk);
    ASSERT_EQ(Run({"export", "/new.cfg", "-o", "/new.json"}), kExitOk) << err();
    ASSERT_EQ(Run({"import", "/new.json", "/new2.cfg"}), kExitOk) << err();
    ASSERT_EQ(Run({"export", "/new2.cfg"}), kExitOk);
    EXPECT_EQ(out(), FileText("/new.json"));
}

TEST_F(TextFormCommandsTest, ImportWritesNothingWhenTheTextHasProblems) {
    WriteSoundSample("/s.cfg");
    ASSERT_EQ(Run({"export", "/s.cfg", "-o", "/s.json"}), kExitOk);
    Json j = Json::parse(FileText("/s.json"));
    j["databases"][1]["fields"][0]["tag"] = 12;
    j["databases"][1]["description"] = std::string(65, 'x');
    PutText("/bad.json", j.dump());
    EXPECT_EQ(Run({"import", "/bad.json", "/out.cfg"}), kExitProblems);
    EXPECT_FALSE(fs_.Exists("/out.cfg"));
    // What the JSON itself gets wrong first, then what the editor would refuse.
    EXPECT_EQ(err(),
              "recaster-cfg: /bad.json: databases[1].fields[0].tag: Expected a text, found "
              "number.\n"
              "recaster-cfg: /bad.json: databases[1].description: The description has 65 "
              "characters; Database Information accepts at most 64.\n"
              "recaster-cfg: /bad.json: 2 problems; /out.cfg was not written\n");

    // Not JSON is a problem of the text; no file at all is one of the command.
    PutText("/broken.json", "{\"textForm\": 1,");
    EXPECT_EQ(Run({"import", "/broken.json", "/out.cfg"}), kExitProblems);
    EXPECT_NE(err().find("/broken.json: not JSON: parse error at line 1, column 16"),
              std::string::npos)
        << err();
    EXPECT_EQ(Run({"import", "/missing.json", "/out.cfg"}), kExitNoAccess);
    EXPECT_FALSE(fs_.Exists("/out.cfg"));
}

TEST_F(TextFormCommandsTest, ExistingFilesAreReplacedOnlyWhenAskedAndNeverTheSourceItself) {
    WriteSoundSample("/s.cfg");
    ASSERT_EQ(Run({"export", "/s.cfg", "-o", "/s.json"}), kExitOk);
    PutText("/keep.cfg", "keep");
    EXPECT_EQ(Run({"import", "/s.json", "/keep.cfg"}), kExitNoAccess);
    EXPECT_NE(err().find("--force"), std::string::npos);
    EXPECT_EQ(FileText("/keep.cfg"), "keep");
    EXPECT_EQ(Run({"import", "/s.json", "/keep.cfg", "--force"}), kExitOk) << err();
    EXPECT_EQ(Run({"check", "/keep.cfg"}), kExitOk);

    // Writing over the source would destroy it.
    const Bytes before = fs_.Get("/s.cfg");
    EXPECT_EQ(Run({"export", "/s.cfg", "-o", "/s.cfg"}), kExitUsage);
    EXPECT_EQ(fs_.Get("/s.cfg"), before);
    EXPECT_EQ(Run({"import", "/s.json", "/s.json", "--force"}), kExitUsage);
    EXPECT_EQ(Run({"export", "/s.cfg", "-o"}), kExitUsage);
    EXPECT_EQ(Run({"export", "/missing.cfg"}), kExitNoAccess);
    // An export replaces an older one as a whole.
    PutText("/old.json", std::string(100000, 'x'));
    EXPECT_EQ(Run({"export", "/s.cfg", "-o", "/old.json"}), kExitOk);
    EXPECT_EQ(FileText("/old.json"), FileText("/s.json"));
}

TEST_F(TextFormCommandsTest, LintFindsNothingInTheSampleAndPointsAtWhatIsWrong) {
    WriteSample("/s.cfg");
    EXPECT_EQ(Run({"lint", "/s.cfg"}), kExitOk);
    EXPECT_EQ(out(), "/s.cfg: no findings\n");

    // The two problems the sample once had: two tag positions, and a target
    // that AGRIDOC's workform E does not use.
    {
        config::CCfgFile file(fs_);
        file.Open("/s.cfg");
        file.GetDFSInfo()->tagFormat = "$$- ";
        file.GetDFSInfo()->Save();
        config::CCfgDatabase* agridoc = file.GetDBList()->Database(3);
        ASSERT_EQ(agridoc->name, "AGRIDOC");
        config::CCfgField* dt = agridoc->GetFieldList()->FindTopLevel("DT", 2);
        dt->defaultTarget = 34;  // field 35
        dt->Save();
        file.Commit();
    }
    EXPECT_EQ(Run({"lint", "/s.cfg"}), kExitProblems);
    EXPECT_EQ(out(),
              "error: file structure: The tag format '$$- ' has more than one tag position "
              "'$'; only one is allowed (put a backslash before a '$' that stands for itself). "
              "[tag-format]\n"
              "warning: AGRIDOC/DT: The target field 35 is not used by the database's workform "
              "E (Report); choose another target or '* Do Not Transfer'. [unused-target]\n"
              "/s.cfg: 1 error, 1 warning\n");

    EXPECT_EQ(Run({"lint", "/s.cfg", "--json"}), kExitProblems);
    const Json j = Json::parse(out());
    EXPECT_EQ(j["errors"], 1);
    EXPECT_EQ(j["warnings"], 1);
    EXPECT_EQ(j["findings"][0]["path"], "structure.tagFormat");
    EXPECT_EQ(j["findings"][1]["path"], "databases[2].fields[6].defaultTarget");
    EXPECT_EQ(j["findings"][1]["rule"], "unused-target");
    // The path leads to the value in the export.
    ASSERT_EQ(Run({"export", "/s.cfg"}), kExitOk);
    EXPECT_EQ(Json::parse(out())["databases"][2]["fields"][6]["tag"], "DT");
}

TEST_F(TextFormCommandsTest, LintExitStatusSaysCleanFindingsDamagedOrUnreadable) {
    ASSERT_EQ(Run({"new", "/n.cfg"}), kExitOk);
    EXPECT_EQ(Run({"lint", "/n.cfg"}), kExitProblems);
    EXPECT_NE(out().find("[empty-tag-format]"), std::string::npos) << out();
    {
        config::CCfgFile file(fs_);
        file.Open("/n.cfg");
        file.GetDFSInfo()->tagFormat = "$- ";
        file.GetDFSInfo()->Save();
        file.Commit();
    }
    EXPECT_EQ(Run({"lint", "/n.cfg"}), kExitOk) << out();
    EXPECT_EQ(out(), "/n.cfg: no findings\n");
    // Not a configuration is wrong content like a finding; a missing file is not.
    PutText("/junk.cfg", "not a configuration");
    EXPECT_EQ(Run({"lint", "/junk.cfg"}), kExitProblems);
    EXPECT_EQ(out(), "");
    EXPECT_EQ(Run({"lint", "/missing.cfg"}), kExitNoAccess);
}

}  // namespace
}  // namespace recaster::cli
