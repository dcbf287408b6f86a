// recaster-cfg new and show: the records of a new file, and the sample
// configuration as JSON and as text.
#include <nlohmann/json.hpp>

#include "base/coding.h"
#include "cli/cli_test_util.h"
#include "config/database.h"
#include "config/lists.h"
#include "store/store.h"

namespace recaster::cli {
namespace {

using Bytes = std::vector<uint8_t>;
using Json = nlohmann::ordered_json;

class NewShowTest : public testutil::CliTest {
  protected:
    std::vector<std::pair<std::string, Bytes>> Records(const std::string& path) {
        std::vector<std::pair<std::string, Bytes>> records;
        store::Store s(store::DefaultKeyOrder(), fs_);
        s.Open(path, store::OpenMode::ReadOnly);
        s.Scan([&](const store::Key& k, std::span<const uint8_t> v) {
            records.emplace_back(store::TagText(k.tag) + " " + std::to_string(k.id),
                                 Bytes(v.begin(), v.end()));
            return true;
        });
        return records;
    }
    Json ShowJson(const std::string& path) {
        EXPECT_EQ(Run({"show", path, "--json"}), kExitOk) << err();
        return Json::parse(out());
    }
};

Bytes Text(const std::string& s) {
    Bytes b(s.size() + 1);
    b[0] = static_cast<uint8_t>(s.size());
    std::copy(s.begin(), s.end(), b.begin() + 1);
    return b;
}

Bytes NewFileParseInfo() {
    Bytes b;
    for (uint8_t i = 0; i < 7; ++i) {
        b.push_back(i);
        b.resize(b.size() + 73, 0);
    }
    return b;
}

TEST_F(NewShowTest, NewWritesExactlyTheRecordsOfANewFile) {
    ASSERT_EQ(Run({"new", "/n.cfg"}), kExitOk) << err();
    Bytes dfs(12, 0);
    dfs.resize(18, 0);
    dfs.insert(dfs.end(), {0x00, 0x01, 0x87});
    Bytes db{0, 0};
    for (const Bytes& part :
         {Text("Default"), Text("Default Database Definition"), Bytes(12, 0), Bytes{3, 0, 0, 0}})
        db.insert(db.end(), part.begin(), part.end());
    std::map<std::string, Bytes> expected{{"CGNL 0", {0, 0, 1}},
                                          {"CDFS 0", dfs},
                                          {"CFD# 0", {0, 0}},
                                          {"CDT# 0", {0, 0}},
                                          {"CAPI 0", NewFileParseInfo()},
                                          {"CDBS 0", db},
                                          {"CDB# 0", {1, 0, 0, 0, 0, 0}},
                                          {"STP# 0", {0, 0}},
                                          {"STR# 0", {0, 0}}};
    auto records = Records("/n.cfg");
    std::map<std::string, Bytes> actual(records.begin(), records.end());
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(dfs.size(), 21u);

    // An existing file is kept unless --force is given.
    fs_.Put("/keep.cfg", Bytes{1, 2, 3});
    EXPECT_EQ(Run({"new", "/keep.cfg"}), kExitNoAccess);
    EXPECT_NE(err().find("--force"), std::string::npos) << err();
    EXPECT_EQ(fs_.Get("/keep.cfg"), (Bytes{1, 2, 3}));
    EXPECT_EQ(Run({"new", "--force", "/keep.cfg"}), kExitOk) << err();
    records = Records("/keep.cfg");
    actual = {records.begin(), records.end()};
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(Run({"check", "/keep.cfg"}), kExitOk) << out();
}

// Every key the JSON form promises, in order, at every level.
void ExpectKeys(const Json& object, const std::vector<std::string>& keys,
                const std::string& where) {
    ASSERT_TRUE(object.is_object()) << where;
    std::vector<std::string> actual;
    for (const auto& item : object.items()) actual.push_back(item.key());
    EXPECT_EQ(actual, keys) << where;
}

TEST_F(NewShowTest, JsonHasEveryKeyAndTheSampleValues) {
    WriteSample("/s.cfg");
    const Json j = ShowJson("/s.cfg");
    ExpectKeys(j, {"version", "general", "structure", "identifiers", "ignoredLines", "databases"},
               "top");
    ExpectKeys(j["general"], {"title", "comments", "flag"}, "general");
    ExpectKeys(
        j["structure"],
        {"tagLength", "reserved", "fixedWidthTagArea", "tagAreaWidth", "crFollowsTag",
         "lineContinuation", "continuationChar", "defaultCaseConversion", "recordEndMode",
         "recordEndStringOn", "tagFormat", "fieldTerminator", "emptyFieldFiller", "recordEndString",
         "recordHeaderFormat", "fallbackDatabase", "processMarcSubfields", "subfieldIndicator"},
        "structure");
    ASSERT_FALSE(j["identifiers"].empty());
    for (const Json& p : j["identifiers"]) ExpectKeys(p, {"prefix", "suffix"}, "identifier");
    ASSERT_TRUE(j["ignoredLines"].is_array());
    size_t fieldCount = 0, formatCount = 0, alternateCount = 0;
    for (const Json& db : j["databases"]) {
        ExpectKeys(db,
                   {"id", "name", "description", "workform", "useDefaultParseFormat",
                    "useDefaultAuthorFormat", "authorFormat", "hyphens", "authorSeparator",
                    "parseInfo", "docTypes", "fields"},
                   "database");
        ASSERT_EQ(db["parseInfo"].size(), 7u);
        for (const Json& r : db["parseInfo"])
            ExpectKeys(r, {"kind", "optional", "precededBy", "followedBy"}, "parseInfo row");
        for (const Json& dt : db["docTypes"]) ExpectKeys(dt, {"id", "name", "workform"}, "docType");
        for (const Json& f : db["fields"]) {
            ++fieldCount;
            ExpectKeys(f,
                       {"id",
                        "parentId",
                        "tag",
                        "description",
                        "type",
                        "defaultTarget",
                        "caseConversion",
                        "compressSpaces",
                        "corporateAuthor",
                        "spaceChar",
                        "crOptions",
                        "beginsWith",
                        "endsWith",
                        "subfieldPrecededBy",
                        "subfieldFollowedBy",
                        "separator",
                        "crReplacementChar",
                        "crRepresentationChar",
                        "alternateTargets",
                        "parseFormats",
                        "separateMode",
                        "separatorText",
                        "replaceMatching",
                        "find",
                        "replace",
                        "targetName"},
                       "field " + f["tag"].get<std::string>());
            alternateCount += f["alternateTargets"].size();
            for (const auto& format : f["parseFormats"].items()) {
                ++formatCount;
                ExpectKeys(format.value(), {"useDefault", "rows"}, "parse format");
                ASSERT_EQ(format.value()["rows"].size(), 7u);
                for (const Json& r : format.value()["rows"])
                    ExpectKeys(r, {"component", "optional", "precededBy", "followedBy"}, "row");
            }
        }
    }
    EXPECT_GT(fieldCount, 100u);
    EXPECT_GT(formatCount, 5u);
    EXPECT_GT(alternateCount, 3u);

    // Values: texts in UTF-8, ids of -1 as -1, targets named in the workform.
    EXPECT_EQ(j["version"], 3);
    EXPECT_NE(j["general"]["comments"].get<std::string>().find("change \u2013 record"),
              std::string::npos);
    EXPECT_EQ(j["structure"]["subfieldIndicator"], "\u2021");
    EXPECT_EQ(j["structure"]["tagLength"], 2);
    EXPECT_EQ(j["structure"]["tagFormat"], "$- ");
    std::vector<std::string> names;
    for (const Json& db : j["databases"]) names.push_back(db["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"Default", "007", "AGRIDOC", "BOOKCAT", "ENGIN",
                                               "MEDLIT"}));
    const Json& medlit = j["databases"][5];
    const Json* ti = nullptr;
    const Json* so = nullptr;
    for (const Json& f : medlit["fields"]) {
        if (f["tag"] == "TI") ti = &f;
        if (f["tag"] == "SO") so = &f;
    }
    ASSERT_TRUE(ti && so);
    EXPECT_EQ((*ti)["parentId"], -1);
    EXPECT_EQ((*ti)["alternateTargets"], Json({{"1", 8}}));
    EXPECT_EQ((*ti)["caseConversion"], 4);
    EXPECT_EQ((*so)["targetName"], "Journal Title");
    EXPECT_EQ((*so)["parseFormats"]["Congress"]["useDefault"], 0);
    EXPECT_EQ((*so)["parseFormats"]["Congress"]["rows"][0]["component"], 9);
    EXPECT_EQ((*so)["parseFormats"][""]["rows"][2]["precededBy"], "(");
    // A subfield names its parent's id.
    const Json& engin = j["databases"][4];
    int64_t cfId = -2;
    for (const Json& f : engin["fields"]) {
        if (f["tag"] == "CF") cfId = f["id"];
        if (f["tag"] == "N") {
            EXPECT_EQ(f["parentId"], cfId);
            EXPECT_EQ(f["targetName"], "Conference Name");
        }
        if (f["tag"] == "LA") {
            EXPECT_EQ(f["targetName"], "* Do Not Transfer");
        }
    }
}

TEST_F(NewShowTest, TextNamesTargetsInTheDatabasesWorkform) {
    ASSERT_EQ(Run({"new", "/t.cfg"}), kExitOk);
    {
        config::CCfgFile file(fs_);
        file.Open("/t.cfg");
        config::CCfgDatabase& db = *file.GetDBList()->Database(1);  // workform A
        auto so = std::make_unique<config::CCfgField>();
        so->tag = "SO";
        so->description = "Source";
        so->defaultTarget = 8;  // field 9, which A does not use: lands on 10
        so->SetAlternateTarget(1, 8);
        db.GetFieldList()->Add(std::move(so));
        file.Commit();
    }
    ASSERT_EQ(Run({"show", "/t.cfg"}), kExitOk) << err();
    const std::string text = out();
    EXPECT_NE(text.find("Workform:       A Journal Article"), std::string::npos) << text;
    EXPECT_NE(text.find("    SO    Source                          Normal Text           -> (10) "
                        "Journal Title\n"
                        "          in B Book -> (9) Book Title\n"),
              std::string::npos)
        << text;
    const Json j = ShowJson("/t.cfg");
    EXPECT_EQ(j["databases"][0]["fields"][0]["targetName"], "Journal Title");
    EXPECT_EQ(j["databases"][0]["fields"][0]["defaultTarget"], 8);

    WriteSample("/s.cfg");
    ASSERT_EQ(Run({"show", "/s.cfg"}), kExitOk) << err();
    EXPECT_NE(out().find("    CF    Conference Information          Parsed with Subfields -> * Do "
                         "Not Transfer\n"
                         "          subfield tags between \"<\" and \">\"\n"
                         "      D   Conference Dates                Normal Text           -> (21) "
                         "Conference Date\n"),
              std::string::npos)
        << out();

    EXPECT_EQ(Run({"show", "/missing.cfg"}), kExitNoAccess);
    EXPECT_EQ(err().rfind("recaster-cfg: /missing.cfg: ", 0), 0u) << err();
}

}  // namespace
}  // namespace recaster::cli
