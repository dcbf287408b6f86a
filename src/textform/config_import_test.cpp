// Import of the text form: the values of members left out, and every kind of
// refusal, each naming the JSON path of its value.
#include <gtest/gtest.h>

#include "config/lists.h"
#include "textform/text_form_test_util.h"

namespace recaster::textform {
namespace {

using namespace config;

// The paths of the problems, in order, with each message checked to say
// something.
std::vector<std::string> Paths(const ImportResult& result) {
    std::vector<std::string> paths;
    for (const ImportProblem& p : result.problems) {
        EXPECT_FALSE(p.message.empty()) << p.path;
        paths.push_back(p.path);
    }
    return paths;
}

// A small configuration every test changes in one place or another.
Json Base() {
    return Json::parse(R"({
      "textForm": 1,
      "databases": [
        {"name": "Default",
         "docTypes": [{"name": "Book"}, {"name": "Journal"}],
         "fields": [{"tag": "AU"},
                    {"tag": "PB", "type": 4, "subfields": [{"tag": "a"}, {"tag": "b"}]},
                    {"tag": "SO", "type": 3}]},
        {"name": "MEDLIT"}
      ]
    })");
}

TEST(ConfigImportTest, MembersLeftOutTakeTheValuesOfNewObjects) {
    ImportResult result = ImportConfig(Base());
    ASSERT_TRUE(result.config) << testutil::ProblemText(result.problems);
    ImportedConfig& c = *result.config;
    EXPECT_EQ(c.general.flag, 1);
    EXPECT_EQ(c.structure.subfieldIndicator, "\x87");
    ASSERT_EQ(c.databases.GetCount(), 2);
    CCfgDatabase& db = *c.databases.Database(1);
    EXPECT_TRUE(db.useDefaultParseFormat);
    EXPECT_EQ(db.GetParseInfo()->rows[6].component, 6);
    CCfgFieldList& fields = *db.GetFieldList();
    ASSERT_EQ(fields.GetCount(), 5);
    EXPECT_EQ(fields.Field(1)->defaultTarget, kNoTarget);
    EXPECT_EQ(fields.Field(1)->caseConversion, kCaseDefault);
    // Subfields follow their field in the list and point at it.
    EXPECT_EQ(fields.Field(3)->tag, "a");
    EXPECT_EQ(fields.Field(3)->Parent(), fields.Field(2));
    EXPECT_EQ(fields.Field(5)->Parent(), nullptr);
}

TEST(ConfigImportTest, RefusesWhatTheJsonGetsWrongWithThePathOfEachValue) {
    Json j = Base();
    j["general"] = {{"title", 5}};
    j["structure"] = {{"tagLength", 300}, {"crFollowsTag", 1}, {"tagFormat", "$ \u4e2d"}};
    j["identifiers"] = Json::parse(R"([{"prefixx": "x"}])");
    j["ignoredLines"] = {"ok", nullptr};
    Json& db = j["databases"][0];
    db["parseInfo"] = Json::array({Json::object(), Json::object()});
    Json& au = db["fields"][0];
    au["tag"] = 7;  // no second problem for the tag left empty
    au["caseConversion"] = 1.5;
    au["alternateTargets"] = {{"07", 1}, {"3", 254}, {"4", 256}, {"65535", 255}};
    Json rows = Json::array();
    for (int i = 0; i < 7; ++i) rows.push_back(Json::object());
    rows[1]["precededBy"] = std::string(37, 'x');
    au["parseFormats"] = Json::object();
    au["parseFormats"][""]["rows"] = rows;
    au["parseFormats"]["\u20ac uro"]["rows"] = Json::array();
    db["fields"][1]["subfields"][0]["subfields"] = Json::parse(R"([{"tag": "z"}])");
    j["databases"][1]["workform"] = -1;
    j["extra"] = true;

    const std::vector<std::string> expected{
        "general.title",
        "structure.tagLength",
        "structure.crFollowsTag",
        "structure.tagFormat",
        "identifiers[0].prefixx",
        "ignoredLines[1]",
        "databases[0].parseInfo",
        "databases[0].fields[0].tag",
        "databases[0].fields[0].caseConversion",
        "databases[0].fields[0].alternateTargets[\"07\"]",
        "databases[0].fields[0].alternateTargets[\"3\"]",
        "databases[0].fields[0].alternateTargets[\"4\"]",
        "databases[0].fields[0].parseFormats[\"\"].rows[1].precededBy",
        "databases[0].fields[0].parseFormats[\"\u20ac uro\"].rows",
        "databases[0].fields[1].subfields[0].subfields",
        "databases[1].workform",
        "extra",
    };
    ImportResult result = ImportConfig(j);
    EXPECT_FALSE(result.config);
    EXPECT_EQ(Paths(result), expected) << testutil::ProblemText(result.problems);
    // The message of a character Windows-1252 lacks says which one.
    EXPECT_NE(testutil::ProblemText(result.problems).find("Character 3 (U+4E2D)"),
              std::string::npos);
}

TEST(ConfigImportTest, RefusesWhatTheEditorWouldNotAcceptWithThePathOfEachValue) {
    Json j = Base();
    j["structure"]["tagFormat"] = "$$";
    j["ignoredLines"] = {"Page #", "a**b"};
    Json& db = j["databases"][0];
    db["parseInfo"] = Json::array();
    for (int i = 0; i < 7; ++i) db["parseInfo"].push_back(Json{{"kind", i == 2 ? 8 : i}});
    db["docTypes"] = Json::parse(R"([{"name": "Journal"}, {"name": "Book"}])");
    Json& au = db["fields"][0];
    au["type"] = 9;
    au["separatorText"] = std::string(32, ';');
    Json& rows = au["parseFormats"]["X"]["rows"];
    for (int i = 0; i < 7; ++i) rows.push_back(Json{{"component", i ? 1 : 100}});
    db["fields"][1]["type"] = 0;    // its subfields now hang under a Normal Text field
    db["fields"][2]["tag"] = "AB";  // after PB: out of order
    j["databases"].push_back(Json{{"name", "default"}});
    j["databases"].push_back(Json{{"name", std::string(64, 'Z')}});

    const std::vector<std::string> expected{
        "structure.tagFormat",
        "ignoredLines[1]",
        "databases[0].parseInfo[2].kind",
        "databases[0].docTypes[1].name",
        "databases[0].fields[0].type",
        "databases[0].fields[0].separatorText",
        "databases[0].fields[0].parseFormats.X.rows[0].component",
        "databases[0].fields[1].subfields[0]",
        "databases[0].fields[1].subfields[1]",
        "databases[0].fields[2].tag",
        "databases[2].name",
        "databases[3].name",
    };
    ImportResult result = ImportConfig(j);
    EXPECT_FALSE(result.config);
    EXPECT_EQ(Paths(result), expected) << testutil::ProblemText(result.problems);
}

TEST(ConfigImportTest, RefusesWhatIsNotATextFormOfAConfiguration) {
    auto only = [](const ImportResult& r) {
        EXPECT_FALSE(r.config);
        return r.problems.size() == 1 ? r.problems[0].path + ": " + r.problems[0].message : "";
    };
    EXPECT_EQ(only(ImportConfigText("[]")), ": Expected an object, found array.");
    EXPECT_EQ(only(ImportConfigText("{\"databases\": []}")).substr(0, 18), "textForm: Missing:");
    EXPECT_EQ(only(ImportConfigText("{\"textForm\": 2}")).substr(0, 24),
              "textForm: Text form 2 is");
    EXPECT_EQ(only(ImportConfigText("{\"textForm\": 1,")).substr(0, 12), ": Not JSON: ");
    // The parser's other failure: a number beyond what a double holds.
    EXPECT_EQ(only(ImportConfigText("{\"textForm\": 1e400}")),
              ": Not JSON: number overflow parsing '1e400'.");
    // A configuration needs its default database.
    EXPECT_EQ(only(ImportConfigText("{\"textForm\": 1, \"databases\": []}")).substr(0, 11),
              "databases: ");
}

}  // namespace
}  // namespace recaster::textform
