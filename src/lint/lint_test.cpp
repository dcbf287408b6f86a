// The lint on a configuration built to hold each problem once, on a new file,
// and without workforms; the database name key against the list's own rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/cfg_file.h"
#include "config/lists.h"
#include "lint/entry_rules.h"
#include "lint/mistake_rules.h"
#include "lint/rule_reporter.h"
#include "store/file_system.h"

namespace recaster::lint {
namespace {

using namespace config;
using RuleAt = std::pair<std::string, std::string>;  // rule, subject

// A uses every field but 12, B every field.
const workforms::WorkformCatalog& Catalog() {
    static const workforms::WorkformCatalog* catalog = [] {
        auto* c = new workforms::WorkformCatalog;
        for (workforms::WorkformId id : {0, 1}) {
            workforms::WorkformFile form;
            form.id = id;
            form.name = id == 0 ? "Article" : "Book";
            for (int n = 1; n <= workforms::kFieldCount; ++n) {
                form.field_names[n - 1] = "F" + std::to_string(n);
                if (id != 0 || n != 12) form.defined_fields.Add(n);
            }
            c->Add(form);
        }
        return c;
    }();
    return *catalog;
}

std::vector<RuleAt> Rules(const Findings& findings) {
    std::vector<RuleAt> out;
    for (const Finding& f : findings) {
        EXPECT_FALSE(f.message.empty()) << f.rule;
        out.emplace_back(f.rule, f.subject);
    }
    std::sort(out.begin(), out.end());
    return out;
}

CCfgField& AddField(CCfgFieldList& list, const std::string& tag, uint16_t type = kFieldNormalText,
                    CCfgField* parent = nullptr) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->type = type;
    f->parent = parent;
    f->defaultTarget = 0;
    return *list.Field(list.Add(std::move(f)));
}

CCfgDocType& AddDocType(CCfgDocTypeList& list, const std::string& name, uint16_t workform) {
    auto t = std::make_unique<CCfgDocType>();
    t->name = name;
    t->workform = workform;
    return *list.DocType(list.Add(std::move(t)));
}

// Each problem once. Lists are stored as the editor would never store them:
// duplicates and elements out of order are what other programs write.
void BuildFaulty(CCfgFile& file) {
    CCfgDFSInfo& dfs = *file.GetDFSInfo();
    dfs.tagFormat = "$-$ ";
    dfs.tagLength = 2;
    dfs.fallbackDatabase = "medlt";
    dfs.Save();
    file.GetIdentPairs()->pairs = {{"FILE: ", ""}, {"", ""}};
    file.GetIdentPairs()->Save();
    file.GetIgnoredLines()->strings = {"Page  #"};
    file.GetIgnoredLines()->Save();

    CCfgDBList& dbs = *file.GetDBList();
    CCfgDatabase& def = *dbs.Database(1);
    def.description = std::string(65, 'd');
    def.Save();
    def.GetParseInfo()->rows[0].SetFollowedBy("x\\r");
    def.GetParseInfo()->Save();
    AddDocType(*def.GetDocTypeList(), "Book", 1);
    AddDocType(*def.GetDocTypeList(), "Book", 1);
    CCfgFieldList& fields = *def.GetFieldList();
    AddField(fields, "");
    AddField(fields, "AB");
    AddField(fields, "ab");
    AddField(fields, "ABC");
    AddField(fields, "x", kFieldParsedWithSubfields,
             &AddField(fields, "PB", kFieldParsedWithSubfields));
    AddField(fields, "y", kFieldNormalText, &AddField(fields, "PC"));
    AddField(fields, "PX", kFieldParsed);
    CCfgField& so = AddField(fields, "SO", kFieldParsed);
    CCfgParseFormat format;
    format.rows[0].component = 12;
    so.parseFormats.Set("", format);
    so.parseFormats.Set("Thesis", CCfgParseFormat());
    so.Save();
    AddField(fields, "TI");
    AddField(fields, "TI");
    CCfgField& ut = AddField(fields, "UT");
    ut.defaultTarget = 11;  // field 12
    ut.Save();
    CCfgField& zz = AddField(fields, "ZZ");
    zz.caseConversion = 6;
    zz.Save();

    auto medlit = std::make_unique<CCfgDatabase>();
    medlit->name = "MEDLIT";
    medlit->workform = 7;
    CCfgDatabase& m = *dbs.Database(dbs.Add(std::move(medlit)));
    // Appended as they come, not sorted.
    CCfgDocTypeList& types = *m.GetDocTypeList();
    for (const char* name : {"Review", "Journal"}) {
        auto t = std::make_unique<CCfgDocType>();
        t->name = name;
        t->Attach(types.GetLink());
        types.Append(std::move(t));
    }
    types.Save();
    auto twin = std::make_unique<CCfgDatabase>();
    twin->name = "Medlit";
    dbs.Add(std::move(twin));
}

TEST(LintTest, ReportsEachProblemOfAConfigurationBuiltToHoldThemOnce) {
    store::MemFileSystem fs;
    {
        CCfgFile file(fs);
        file.Create("/faulty.cfg");
        file.Open("/faulty.cfg");
        BuildFaulty(file);
        file.Commit();
    }
    CCfgFile file(fs);
    file.Open("/faulty.cfg", store::OpenMode::ReadOnly);
    ConfigParts parts = PartsOf(file);
    const std::vector<RuleAt> expected{
        {"backslash-r", "Default parsing format row 1"},
        {"doubled-character", "ignored line 1"},
        {"duplicate-document-type", "Default document type 'Book'"},
        {"duplicate-name", "Medlit"},
        {"duplicate-tag", "Default/TI"},
        {"duplicate-tag", "Default/ab"},
        {"empty-identifier", "database identification 2"},
        {"empty-tag", "Default/''"},
        {"missing-fallback", "file structure"},
        {"no-parse-formats", "Default/PX"},
        {"out-of-order", "MEDLIT document type 'Journal'"},
        {"out-of-range", "Default/ZZ"},
        {"subfield-parent", "Default/PC/y"},
        {"subfield-type", "Default/PB/x"},
        {"tag-format", "file structure"},
        {"tag-length", "Default/ABC"},
        {"too-long", "Default"},
        {"unknown-document-type", "Default/SO"},
        {"unknown-workform", "MEDLIT"},
        {"unused-component", "Default/SO, the default format row 1"},
        {"unused-target", "Default/UT"},
        {"version-2", "file"},
    };
    const Findings findings = Lint(parts, Catalog(), 2);
    EXPECT_EQ(Rules(findings), expected);
    // In the order of the configuration, the file's own objects first.
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front().rule, "version-2");
    EXPECT_EQ(findings.back().rule, "duplicate-name");
    // Only the errors are the entry rules'.
    for (const Finding& f : CheckEntries(parts)) EXPECT_EQ(f.severity, Severity::Error) << f.rule;
    EXPECT_EQ(CheckEntries(parts).size(), 10u);
}

TEST(LintTest, ANewFileLacksOnlyItsTagFormatAndNoWorkformsSkipTheirChecks) {
    store::MemFileSystem fs;
    CCfgFile file(fs);
    file.Create("/new.cfg");
    file.Open("/new.cfg", store::OpenMode::ReadOnly);
    ConfigParts parts = PartsOf(file);
    EXPECT_EQ(Rules(Lint(parts, Catalog())),
              (std::vector<RuleAt>{{"empty-tag-format", "file structure"}}));

    // Workform 7 is unknown to Catalog(), but with no catalog nothing is.
    file.Close();
    {
        CCfgFile w(fs);
        w.Open("/new.cfg");
        w.GetDBList()->Database(1)->workform = 7;
        w.GetDBList()->Database(1)->Save();
        w.Commit();
    }
    file.Open("/new.cfg", store::OpenMode::ReadOnly);
    ConfigParts changed = PartsOf(file);
    EXPECT_EQ(Rules(Lint(changed, Catalog())).size(), 2u);
    const workforms::WorkformCatalog none;
    EXPECT_EQ(Rules(Lint(changed, none)).size(), 1u);
}

TEST(LintTest, ADatabaseListWithoutDatabasesIsAnError) {
    CCfgGenlInfo general;
    CCfgDFSInfo structure;
    CCfgStringPairList pairs;
    CCfgStringList ignored;
    CCfgDBList empty;
    ConfigParts parts{general, structure, pairs, ignored, empty};
    EXPECT_EQ(Rules(CheckEntries(parts)),
              (std::vector<RuleAt>{{"no-default-database", "database list"}}));
}

TEST(LintTest, ControlCharactersOfTextsDoNotBreakAFindingsLine) {
    CCfgGenlInfo general;
    CCfgDFSInfo structure;
    structure.tagFormat = "$\r\n$";
    CCfgStringPairList pairs;
    CCfgStringList ignored;
    CCfgDBList list;
    list.Append(std::make_unique<CCfgDatabase>());
    list.Database(1)->name = "A\tB";
    ConfigParts parts{general, structure, pairs, ignored, list};
    const Findings findings = Lint(parts, Catalog());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_NE(findings[0].message.find("'$\\x0D\\x0A$'"), std::string::npos) << findings[0].message;
    EXPECT_EQ(DatabaseSubject(*list.Database(1)), "A\\x09B");
}

TEST(LintTest, DatabaseNameKeysAgreeWithTheListsDuplicateRule) {
    const std::vector<std::pair<std::string, std::string>> pairs{
        {"007", "7"},       {"default", "Default"}, {"", ""},          {"123456", "0123456"},
        {"12a", "12A"},     {"00000", "0"},         {"100000", "1e5"}, {"\xE9t\xE9", "\xC9T\xC9"},
        {"99999", "99999 "}};
    for (const auto& [a, b] : pairs) {
        CCfgDBList list;
        auto first = std::make_unique<CCfgDatabase>();
        first->name = a;
        list.Append(std::move(first));
        CCfgDatabase other;
        other.name = b;
        EXPECT_EQ(list.IsDuplicate(&other), DatabaseNameKey(a) == DatabaseNameKey(b))
            << "'" << a << "' and '" << b << "'";
    }
}

}  // namespace
}  // namespace recaster::lint
