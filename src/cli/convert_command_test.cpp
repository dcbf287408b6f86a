// recaster-cfg convert: the older sample converted into a sound file whose
// content is the expected one, the mapping from --map and from the
// suggestion, and the refusals (each leaving no new file).
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "cli/cli_test_util.h"
#include "convert/sample_v2_config.h"

#ifndef RECASTER_CLI_TESTDATA
#error "the build defines RECASTER_CLI_TESTDATA"
#endif

namespace recaster::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kOld = "/cfg/Sample-v2.cfg";
constexpr const char* kNew = "/cfg/Converted.cfg";

// The expected `show --json` of the converted older sample, mapped U=F,V=E.
// RECASTER_UPDATE_EXPECTED=1 rewrites it from the code, for a change that is
// then read line by line before it is committed.
const std::string kExpected = std::string(RECASTER_CLI_TESTDATA) + "/sample_v2_converted.json";

// `j` indented by one space per level, with every object or array that holds
// only numbers, texts and booleans on one line: a parse row is one line.
std::string Compact(const Json& j, int level = 0) {
    const bool flat =
        std::all_of(j.begin(), j.end(), [](const Json& v) { return v.is_primitive(); });
    if (j.is_primitive() || j.empty() || flat) return j.dump(-1, ' ', false);
    const std::string in(static_cast<size_t>(level) + 1, ' ');
    std::string out(1, j.is_object() ? '{' : '[');
    bool first = true;
    for (auto it = j.begin(); it != j.end(); ++it) {
        out += first ? "\n" : ",\n";
        first = false;
        out += in;
        if (j.is_object()) out += Json(it.key()).dump() + ": ";
        out += Compact(*it, level + 1);
    }
    out += "\n" + std::string(static_cast<size_t>(level), ' ') + (j.is_object() ? '}' : ']');
    return out;
}

class ConvertCommandTest : public testutil::CliTest {
  protected:
    void SetUp() override {
        convert::WriteSampleV2Config(kOld, fs_);
        oldBytes_ = fs_.Get(kOld);
    }
    void ExpectNoNewFileAndOldUnchanged() {
        EXPECT_FALSE(fs_.Exists(kNew));
        EXPECT_EQ(fs_.Get(kOld), oldBytes_);
    }
    std::vector<uint8_t> oldBytes_;
};

TEST_F(ConvertCommandTest, TheOlderSampleConvertsIntoASoundFileWithTheExpectedContent) {
    ASSERT_EQ(Run({"convert", kOld, kNew, "--map", "U=F,V=E"}), kExitOk) << err();
    EXPECT_EQ(out(),
              "U -> F (Conference Paper)\n"
              "V -> E (Report)\n"
              "/cfg/Sample-v2.cfg converted into /cfg/Converted.cfg (6 databases)\n");
    EXPECT_EQ(fs_.Get(kOld), oldBytes_);

    EXPECT_EQ(Run({"check", kNew}), kExitOk) << out();
    EXPECT_NE(out().find(": sound;"), std::string::npos) << out();

    ASSERT_EQ(Run({"show", kNew, "--json"}), kExitOk) << err();
    const Json actual = Json::parse(out());
    if (const char* update = ::getenv("RECASTER_UPDATE_EXPECTED"); update && *update == '1') {
        std::ofstream(kExpected) << Compact(actual) << "\n";
    }
    std::ifstream in(kExpected);
    ASSERT_TRUE(in) << kExpected;
    const Json expected = Json::parse(in);
    if (actual != expected) {
        // The first difference, as a JSON patch, names where to look.
        const Json patch = Json::diff(expected, actual);
        FAIL() << "differs from " << kExpected << ":\n" << patch.dump(1).substr(0, 3000);
    }
}

TEST_F(ConvertCommandTest, LettersMapAsToldElseAsTheDesktopProgramOffers) {
    // The sample workforms have neither U, V nor Y: "Book" is first by name.
    ASSERT_EQ(Run({"convert", "--map=v=e", kOld, kNew}), kExitOk) << err();
    EXPECT_EQ(out().substr(0, out().find("/cfg")), "U -> B (Book)\nV -> E (Report)\n");

    ASSERT_EQ(Run({"show", kNew, "--json"}), kExitOk);
    const Json j = Json::parse(out());
    std::map<std::string, int> workforms;
    for (const Json& db : j["databases"]) workforms[db["name"]] = db["workform"];
    EXPECT_EQ(workforms["ENGIN"], 1);
    EXPECT_EQ(workforms["AGRIDOC"], 4);
}

TEST_F(ConvertCommandTest, RefusalsLeaveNoNewFile) {
    // An existing NEW stays unless --force.
    fs_.Put(kNew, {1, 2, 3});
    EXPECT_EQ(Run({"convert", kOld, kNew}), kExitNoAccess);
    EXPECT_NE(err().find("--force"), std::string::npos) << err();
    EXPECT_EQ(fs_.Get(kNew), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(Run({"convert", kOld, kNew, "--force"}), kExitOk) << err();
    EXPECT_NE(fs_.Get(kNew), (std::vector<uint8_t>{1, 2, 3}));
    fs_.Remove(kNew);

    // NEW is OLD, spelled otherwise.
    EXPECT_EQ(Run({"convert", kOld, "/cfg/./Sample-v2.cfg", "--force"}), kExitUsage);
    EXPECT_NE(err().find("being converted"), std::string::npos) << err();
    ExpectNoNewFileAndOldUnchanged();

    // OLD of the current format, or missing.
    WriteSample("/cfg/Sample.cfg");
    EXPECT_EQ(Run({"convert", "/cfg/Sample.cfg", kNew}), kExitProblems);
    EXPECT_NE(err().find("/cfg/Sample.cfg: The file is already of the current format"),
              std::string::npos)
        << err();
    EXPECT_EQ(Run({"convert", "/cfg/Missing.cfg", kNew}), kExitNoAccess);
    EXPECT_NE(err().find("/cfg/Missing.cfg"), std::string::npos) << err();
    ExpectNoNewFileAndOldUnchanged();

    // Bad arguments.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"convert", kOld, kNew, "--map", "U=Z"},
          {"convert", kOld, kNew, "--map", "T=A"},
          {"convert", kOld, kNew, "--map", "U=A,U=B"},
          {"convert", kOld, kNew, "--map", "U"},
          {"convert", kOld, kNew, "--map"},
          {"convert", kOld},
          {"convert", kOld, kNew, "--fast"}}) {
        SCOPED_TRACE(args.back());
        EXPECT_EQ(Run(args), kExitUsage);
        EXPECT_NE(err().find("usage: recaster-cfg convert"), std::string::npos) << err();
    }
    ExpectNoNewFileAndOldUnchanged();
}

}  // namespace
}  // namespace recaster::cli
