// The conversion of version-2 files through a scripted host: what is copied
// and what changes meaning, which questions come when, stopping, the old
// file's own name, and failures of either file. (Declining, and a read-only
// old file, are tested through the document's dialogs.)
#include "convert/conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/errors.h"
#include "config/auto_parse_targets.h"
#include "convert/convert_test_util.h"
#include "workforms/workform_test_util.h"

namespace recaster::convert {
namespace {

using Calls = std::vector<std::string>;
using testing::OldConfig;
using testing::ScriptedHost;

constexpr const char* kOld = "/cfg/old.cfg";
constexpr const char* kNew = "/cfg/new.cfg";
constexpr workforms::WorkformId kU = 20;
constexpr workforms::WorkformId kV = 21;

class ConversionTest : public ::testing::Test {
  protected:
    // Default (A), MED (U, its own parse information, document types on V
    // and A, a Parsed field, an author field with an alternate target for U,
    // a field with a subfield), OTHER (C).
    void WriteOld() {
        OldConfig old;
        config::CCfgFile& r = old.root;
        r.GetGenlInfo()->title = "Old service";
        r.GetGenlInfo()->comments = "kept";
        r.GetGenlInfo()->Save();
        r.GetDFSInfo()->tagFormat = "$- ";
        r.GetDFSInfo()->fallbackDatabase = "MED";
        r.GetDFSInfo()->Save();
        r.GetIdentPairs()->pairs = {{"FILE: ", ""}};
        r.GetIdentPairs()->Save();
        r.GetIgnoredLines()->strings = {"Page #"};
        r.GetIgnoredLines()->Save();

        old.Default().authorFormat = config::kAuthorInitialsDotted;
        old.Default().Save();

        config::CCfgDatabase& med = old.AddDatabase("MED", kU);
        med.useDefaultParseFormat = false;
        med.authorFormat = config::kAuthorNoCommaDotted;  // 4 in the old file
        med.hyphens = true;
        med.Save();
        config::CCfgAutoParseInfo& info = *med.GetParseInfo();
        info.rows[0].SetPrecededBy("TI");
        info.rows[0].SetFollowedBy(".");
        info.rows[2].component = config::kParseNone;  // 5 in the old file
        info.rows[3].component = 255;
        info.Save();
        OldConfig::AddDocType(med, "Book", kV);
        OldConfig::AddDocType(med, "Article", 0);
        OldConfig::AddField(med, "SO", config::kFieldParsed);
        config::CCfgField& au = OldConfig::AddField(med, "AU", config::kFieldAuthor);
        au.SetAlternateTarget(kU, 3);
        au.Save();
        config::CCfgField& pb = OldConfig::AddField(med, "PB", config::kFieldParsedWithSubfields);
        auto sub = std::make_unique<config::CCfgField>();
        sub->tag = "a";
        sub->parent = &pb;
        med.GetFieldList()->Add(std::move(sub));

        config::CCfgDatabase& other = old.AddDatabase("OTHER", 2);
        other.useDefaultAuthorFormat = false;
        other.authorFormat = config::kAuthorNoCommaJoined;  // 5 in the old file
        other.Save();
        old.Write(kOld, fs);
        oldBytes = fs.Get(kOld);
    }
    ConversionResult Convert() { return ConvertVersion2File(kOld, host, fs, catalog); }
    // The converted file, open read-only.
    std::unique_ptr<config::CCfgFile> OpenNew() {
        auto root = std::make_unique<config::CCfgFile>(fs);
        root->Open(kNew, store::OpenMode::ReadOnly);
        return root;
    }
    bool NewFileExists() { return fs.Exists(kNew); }

    store::MemFileSystem fs;
    workforms::WorkformCatalog catalog;
    ScriptedHost host;
    std::vector<uint8_t> oldBytes;
};

TEST_F(ConversionTest, CopiesEverythingAndChangesWhatChangedMeaning) {
    WriteOld();
    host.choose = [](workforms::WorkformId id, workforms::WorkformId) {
        return id == kU ? workforms::WorkformId{5} : workforms::WorkformId{4};
    };
    host.names = {kNew};
    const ConversionResult result = Convert();
    ASSERT_EQ(result.outcome, ConversionOutcome::Converted);
    EXPECT_EQ(result.newPath, kNew);
    EXPECT_EQ(result.databases, 3);
    EXPECT_EQ(host.calls, (Calls{"confirm", "userWorkforms", "choose U", "choose V", "name",
                                 "begin 3", "continue 1", "continue 2", "continue 3", "end"}));
    EXPECT_EQ(fs.Get(kOld), oldBytes) << "the old file is never written";

    auto root = OpenNew();
    EXPECT_EQ(root->link().Version(), 3);
    EXPECT_EQ(root->GetGenlInfo()->title, "Old service");
    EXPECT_EQ(root->GetGenlInfo()->comments, "kept");
    EXPECT_EQ(root->GetDFSInfo()->fallbackDatabase, "MED");
    EXPECT_EQ(root->GetIdentPairs()->pairs.size(), 1u);
    EXPECT_EQ(root->GetIgnoredLines()->strings, std::vector<std::string>{"Page #"});

    config::CCfgDBList& list = *root->GetDBList();
    ASSERT_EQ(list.GetCount(), 3);
    config::CCfgDatabase& def = *list.Database(1);
    config::CCfgDatabase& med = *list.Database(2);
    config::CCfgDatabase& other = *list.Database(3);
    EXPECT_EQ(def.name, "Default");
    EXPECT_EQ(med.name, "MED");
    EXPECT_EQ(other.name, "OTHER");

    // Workforms: the database and both document types on user-defined ones.
    EXPECT_EQ(med.workform, 5);
    config::CCfgDocTypeList& types = *med.GetDocTypeList();
    ASSERT_EQ(types.GetCount(), 2);
    EXPECT_EQ(types.DocType(1)->name, "Article");
    EXPECT_EQ(types.DocType(1)->workform, 0);
    EXPECT_EQ(types.DocType(2)->name, "Book");
    EXPECT_EQ(types.DocType(2)->workform, 4);
    EXPECT_EQ(other.workform, 2);

    // Author formats 3, 4, 5 of the old list are 4, 5, 6 now; 1 stays.
    EXPECT_EQ(def.authorFormat, config::kAuthorInitialsDotted);
    EXPECT_EQ(med.authorFormat, config::kAuthorNoCommaDotted);
    EXPECT_TRUE(med.hyphens);
    EXPECT_EQ(other.authorFormat, config::kAuthorNoCommaJoined);

    // Parse information: rows of old kind 5 and 255, and rows 5 and 6, are
    // "none" now; the rest keep kind and texts.
    const auto& rows = med.GetParseInfo()->rows;
    const std::vector<uint8_t> kinds{rows[0].component, rows[1].component, rows[2].component,
                                     rows[3].component, rows[4].component, rows[5].component,
                                     rows[6].component};
    EXPECT_EQ(kinds, (std::vector<uint8_t>{0, 1, 7, 7, 4, 7, 7}));
    EXPECT_EQ(rows[0].PrecededBy(), "TI");
    EXPECT_EQ(rows[0].FollowedBy(), ".");

    // The Parsed field's formats, built from the old records for the old
    // workforms (U and V fall on the built-in targets): one per document
    // type and the default one; unused rows are not in use.
    config::CCfgFieldList& fields = *med.GetFieldList();
    ASSERT_EQ(fields.GetCount(), 4);
    config::CCfgField* so = fields.Field(4);
    ASSERT_EQ(so->tag, "SO");
    EXPECT_EQ(so->parseFormats.size(), 3u);
    for (const char* name : {"", "Book", "Article"}) {
        SCOPED_TRACE(name);
        const config::CCfgParseFormat* format = so->parseFormats.Find(name);
        ASSERT_NE(format, nullptr);
        std::vector<uint8_t> targets;
        for (const auto& row : format->rows) targets.push_back(row.component);
        const bool article = std::string(name) == "Article";  // workform A
        EXPECT_EQ(targets, (std::vector<uint8_t>{static_cast<uint8_t>(article ? 4 : 9), 22, 254,
                                                 254, 20, 254, 254}));
        EXPECT_EQ(format->rows[0].PrecededBy(), "TI");
    }
    // Alternate targets keep their workform keys; subfields their parent.
    config::CCfgField* au = fields.Field(1);
    ASSERT_EQ(au->tag, "AU");
    EXPECT_EQ(au->AlternateTarget(kU), 3);
    config::CCfgField* sub = fields.Field(3);
    ASSERT_EQ(sub->tag, "a");
    ASSERT_NE(sub->Parent(), nullptr);
    EXPECT_EQ(sub->Parent()->tag, "PB");
    EXPECT_EQ(sub->parentId, fields.Field(2)->GetId());
}

TEST_F(ConversionTest, AFileWithoutUserDefinedWorkformsAsksNeitherQuestionNorChoice) {
    OldConfig old;
    old.AddDatabase("PLAIN", 19);
    old.Write(kOld, fs);
    host.names = {kNew};
    ASSERT_EQ(Convert().outcome, ConversionOutcome::Converted);
    EXPECT_EQ(host.calls, (Calls{"confirm", "name", "begin 2", "continue 1", "continue 2", "end"}));
    EXPECT_EQ(OpenNew()->GetDBList()->Database(2)->workform, 19);
}

TEST_F(ConversionTest, TwoDatabasesAndADocumentTypeOnOneLetterNeedOneChoice) {
    OldConfig old;
    OldConfig::AddDocType(old.Default(), "Report", kV);
    old.AddDatabase("ONE", kV);
    old.AddDatabase("TWO", kV);
    // Past Z: foreign to the current format, so asked about, but no letter.
    old.AddDatabase("ODD", 30);
    old.Write(kOld, fs);
    host.choose = [](workforms::WorkformId, workforms::WorkformId) {
        return workforms::WorkformId{3};
    };
    host.names = {kNew};
    const ConversionResult result = Convert();
    ASSERT_EQ(result.outcome, ConversionOutcome::Converted);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "choose V"), 1);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "userWorkforms"), 1);
    EXPECT_EQ(result.mapping.Used(), std::vector<workforms::WorkformId>{kV});
    auto root = OpenNew();
    config::CCfgDBList& list = *root->GetDBList();
    EXPECT_EQ(list.Database(1)->GetDocTypeList()->DocType(1)->workform, 3);
    std::map<std::string, uint16_t> workforms;
    for (int p = 2; p <= list.GetCount(); ++p)
        workforms[list.Database(p)->name] = list.Database(p)->workform;
    EXPECT_EQ(workforms, (std::map<std::string, uint16_t>{{"ODD", 30}, {"ONE", 3}, {"TWO", 3}}));
}

TEST_F(ConversionTest, StopConfirmedLeavesNoNewFileAndDeclinedGoesOn) {
    WriteOld();
    host.names = {kNew};
    host.stopAfter = 2;
    EXPECT_EQ(Convert().outcome, ConversionOutcome::Stopped);
    EXPECT_EQ(host.calls.back(), "end");
    EXPECT_EQ(host.calls[host.calls.size() - 2], "stop?");
    EXPECT_FALSE(NewFileExists());
    EXPECT_EQ(fs.Get(kOld), oldBytes);
    // Nothing under a temporary name either.
    EXPECT_FALSE(fs.Exists(std::string(kNew) + "-journal"));

    // An existing file at the new name is not touched by a stopped one.
    fs.Put(kNew, {1, 2, 3});
    host = ScriptedHost();
    host.names = {kNew};
    host.stopAfter = 1;
    EXPECT_EQ(Convert().outcome, ConversionOutcome::Stopped);
    EXPECT_EQ(fs.Get(kNew), (std::vector<uint8_t>{1, 2, 3}));

    host = ScriptedHost();
    host.names = {kNew};
    host.stopAfter = 1;
    host.confirmStop = false;
    EXPECT_EQ(Convert().outcome, ConversionOutcome::Converted);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "stop?"), 1);
    EXPECT_EQ(OpenNew()->GetDBList()->GetCount(), 3);
}

TEST_F(ConversionTest, TheOldFileItselfIsRefusedAsTheNewName) {
    WriteOld();
    host.names = {kOld, "/cfg/./old.cfg", kNew};
    ASSERT_EQ(Convert().outcome, ConversionOutcome::Converted);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "name"), 3);
    EXPECT_NE(std::find(host.calls.begin(), host.calls.end(), "refuse /cfg/./old.cfg"),
              host.calls.end());
    EXPECT_EQ(fs.Get(kOld), oldBytes);
}

TEST_F(ConversionTest, FailuresOfEitherFileLeaveNoNewFile) {
    WriteOld();
    // The new file cannot be put in place.
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Rename && path == kNew)
            throw FileError(FileError::Cause::DiskFull, path, "no space left");
    });
    host.names = {kNew};
    EXPECT_THROW(Convert(), FileError);
    EXPECT_FALSE(NewFileExists());
    EXPECT_EQ(host.calls.back(), "end");

    // It is in place when the failure comes: it goes all the same.
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::SyncDir && path == kNew)
            throw FileError(FileError::Cause::HardIO, path, "the disk went away");
    });
    host = ScriptedHost();
    host.names = {kNew};
    EXPECT_THROW(Convert(), FileError);
    EXPECT_FALSE(NewFileExists());
    fs.SetFaultHook({});

    // A damaged old file: a database's field list is missing.
    std::vector<uint8_t> damaged = oldBytes;
    store::MemFileSystem scratch;
    scratch.Put("/d.cfg", damaged);
    {
        store::Store s(store::DefaultKeyOrder(), scratch);
        s.Open("/d.cfg", store::OpenMode::ReadWrite);
        ASSERT_TRUE(s.Delete(store::Key{FourCC("CFD#"), 1}));
        s.Commit();
    }
    damaged = scratch.Get("/d.cfg");
    damaged[0] = 2;  // the commit wrote the current version
    fs.Put(kOld, damaged);
    host = ScriptedHost();
    host.names = {kNew};
    try {
        Convert();
        ADD_FAILURE() << "a damaged old file converted";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.path(), kOld);
    }
    EXPECT_FALSE(NewFileExists());
}

TEST_F(ConversionTest, AnOldListWithoutDatabasesKeepsTheNewDefaultDatabase) {
    OldConfig old;
    old.root.GetDBList()->Remove(&old.Default());
    old.Write(kOld, fs);
    host.names = {kNew};
    ASSERT_EQ(Convert().outcome, ConversionOutcome::Converted);
    auto root = OpenNew();
    ASSERT_EQ(root->GetDBList()->GetCount(), 1);
    EXPECT_EQ(root->GetDBList()->Database(1)->name, "Default");
}

TEST_F(ConversionTest, AFileOfTheCurrentFormatIsRefused) {
    config::CCfgFile current(fs);
    current.Create(kOld);
    host.names = {kNew};
    EXPECT_THROW(Convert(), ArchiveError);
    EXPECT_EQ(host.calls, Calls{"confirm"});
    EXPECT_FALSE(NewFileExists());
}

TEST(SuggestedReplacementTest, TheSameLetterElseYElseTheFirstByName) {
    workforms::WorkformCatalog catalog;
    EXPECT_EQ(SuggestedReplacement(kU, catalog), workforms::kNoWorkform);
    catalog.Add(workforms::testing::MakeForm(3, "thesis"));
    catalog.Add(workforms::testing::MakeForm(1, "Book"));
    catalog.Add(workforms::testing::MakeForm(0, "book"));  // equal names keep catalog order
    EXPECT_EQ(SuggestedReplacement(kU, catalog), 1);
    catalog.Add(workforms::testing::MakeForm(24, "Yearbook"));
    EXPECT_EQ(SuggestedReplacement(kU, catalog), 24);
    catalog.Add(workforms::testing::MakeForm(kU, "Unusual"));
    EXPECT_EQ(SuggestedReplacement(kU, catalog), kU);
    EXPECT_EQ(SuggestedReplacement(kV, catalog), 24);
}

}  // namespace
}  // namespace recaster::convert
