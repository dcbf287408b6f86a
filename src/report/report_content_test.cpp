// The report's bytes: whole reports compared with the expected files of
// testdata/ (each line checked by hand when first written), and the cases
// that decide what a section prints.
#include <gtest/gtest.h>

#include "config/doc_type.h"
#include "report/report_test_util.h"
#include "store/file_system.h"

namespace recaster::report {
namespace {

using testutil::Database;
using testutil::EdgeWorkforms;
using testutil::ExpectReportFile;
using testutil::ReportText;
using testutil::SampleWorkforms;

config::CCfgField& AddField(config::CCfgDatabase& db, const std::string& tag, uint16_t type,
                            uint8_t target, config::CCfgField* parent = nullptr) {
    auto field = std::make_unique<config::CCfgField>();
    field->tag = tag;
    field->type = type;
    field->defaultTarget = target;
    field->parent = parent;
    if (parent) field->parentId = parent->GetId();
    config::CCfgFieldList& list = *db.GetFieldList();
    return *list.Field(list.Add(std::move(field)));
}

void AddDocType(config::CCfgDatabase& db, const std::string& name, uint16_t workform) {
    auto type = std::make_unique<config::CCfgDocType>();
    type->name = name;
    type->workform = workform;
    db.GetDocTypeList()->Add(std::move(type));
}

config::CCfgDatabase& AddDatabase(config::CCfgFile& root, const std::string& name,
                                  const std::string& description, uint16_t workform) {
    auto db = std::make_unique<config::CCfgDatabase>();
    db->name = name;
    db->description = description;
    db->workform = workform;
    config::CCfgDBList& list = *root.GetDBList();
    return *list.Database(list.Add(std::move(db)));
}

// Values at the edges of their ranges and past them, texts in the code
// page, and a NUL inside a text.
void BuildEdgeConfig(config::CCfgFile& root) {
    config::CCfgGenlInfo& genl = *root.GetGenlInfo();
    genl.title = std::string("Edge \x96 cases\0hidden after a NUL", 30);
    genl.comments = "Two lines:\r\nR\xe9sum\xe9 of the odd values.";
    genl.Save();

    config::CCfgDFSInfo& dfs = *root.GetDFSInfo();
    dfs.tagLength = 12;
    dfs.crFollowsTag = true;
    dfs.lineContinuation = config::kContinuationSpecialChar;
    dfs.continuationChar = 0;
    dfs.defaultCaseConversion = 6;
    dfs.recordEndMode = config::kRecordEndTwoBlanks;
    dfs.recordEndStringOn = true;
    dfs.recordEndString = "%%END";
    dfs.recordHeaderFormat = "*** #";
    dfs.tagFormat = "$ ";
    dfs.fieldTerminator = ";";
    dfs.Save();

    config::CCfgDatabase& edge = AddDatabase(root, "EDGE", "Caf\xe9 edge cases", 1);
    edge.useDefaultParseFormat = false;
    edge.useDefaultAuthorFormat = false;
    edge.authorFormat = config::kAuthorFullFirst;
    edge.hyphens = true;
    edge.authorSeparator = "; ";
    edge.Save();
    AddDocType(edge, "Letter", 8);

    config::CCfgAutoParseInfo& parse = *edge.GetParseInfo();
    const struct {
        uint8_t kind;
        uint8_t optional;
        const char* precededBy;
        const char* followedBy;
    } rows[] = {{0, 0, "", "\\r"},  {7, 1, "x", "y"},  {255, 1, "[", "]"}, {3, 1, ":", "\r"},
                {200, 1, "<", ">"}, {4, 0, " (", ")"}, {7, 0, "", ""}};
    for (size_t i = 0; i < config::kParseRows; ++i) {
        parse.rows[i].component = rows[i].kind;
        parse.rows[i].optional = rows[i].optional;
        parse.rows[i].SetPrecededBy(rows[i].precededBy);
        parse.rows[i].SetFollowedBy(rows[i].followedBy);
    }
    parse.Save();

    config::CCfgField& ab = AddField(edge, "AB", config::kFieldNormalText, 0);
    ab.description = "Abstract";
    ab.crOptions = 0x10;
    ab.caseConversion = 6;
    ab.SetAlternateTarget(8, config::kNoTarget);
    ab.Save();
    config::CCfgField& nt = AddField(edge, "NT", config::kFieldNormalText, 41);
    nt.description = "Notes \x93quoted\x94";
    nt.crOptions = 0x21;
    nt.crReplacementChar = " / ";
    nt.crRepresentationChar = "|";
    nt.spaceChar = '_';
    nt.compressSpaces = true;
    nt.beginsWith = "Note:";
    nt.endsWith = ".";
    nt.Save();
    config::CCfgField& xx = AddField(edge, "XX", 9, config::kNoTarget);
    xx.description = "Unknown type";
    xx.caseConversion = config::kCaseTitle;
    xx.SetAlternateTarget(0, 4);
    xx.Save();
    config::CCfgField& kw = AddField(edge, "KW", config::kFieldMultiText, 44);
    kw.separator = "; ";
    kw.Save();
    AddField(edge, "SO", config::kFieldParsed, 9).description = "Source";
    config::CCfgField& ti = AddField(edge, "TI", config::kFieldNormalText, 8);
    ti.crOptions = 0x35;  // neither half is a choice the dialog offers
    ti.Save();
    config::CCfgField& pb = AddField(edge, "PB", config::kFieldParsedWithSubfields, 18);
    pb.subfieldPrecededBy = "$";
    pb.Save();
    AddField(edge, "d", config::kFieldDate, 19, &pb);
    AddField(edge, "t", config::kFieldDocumentType, 20, &pb);
    AddField(edge, "w", config::kFieldAuthor, config::kNoTarget, &pb);
    AddField(edge, "z", config::kFieldLiteralStream, 44, &pb);

    config::CCfgDatabase& one = AddDatabase(root, "ONE", "A single field", 0);
    AddField(one, "TI", config::kFieldNormalText, 3);
}

class ReportContentTest : public ::testing::Test {
  protected:
    config::CCfgFile& Sample() {
        testutil::OpenSample(root_, "/configs/Northwind Sample.cfg");
        return root_;
    }
    config::CCfgFile& Edge() {
        // A file name with a character the report's code page lacks.
        const std::string path = "/configs/R\xc3\xa9sum\xc3\xa9 \xe2\x98\x83.cfg";
        root_.Create(path);
        root_.Open(path, store::OpenMode::ReadWrite);
        BuildEdgeConfig(root_);
        return root_;
    }

    store::MemFileSystem fs_;
    config::CCfgFile root_{fs_};
};

TEST_F(ReportContentTest, SampleMedlitWithEverySection) {
    config::CCfgFile& root = Sample();
    ExpectReportFile("sample_medlit_all.txt", ReportText(root, Database(root, "MEDLIT"),
                                                         SampleWorkforms(), CCfgRptOptions::All()));
}

TEST_F(ReportContentTest, SampleAgridocDetailsAndFieldsOnly) {
    config::CCfgFile& root = Sample();
    CCfgRptOptions options = CCfgRptOptions::All(false);
    options.dbDetails = options.dbFields = options.fieldDetails = 1;
    ExpectReportFile("sample_agridoc_fields.txt",
                     ReportText(root, Database(root, "AGRIDOC"), SampleWorkforms(), options));
}

TEST_F(ReportContentTest, EdgeCasesWithEverySection) {
    config::CCfgFile& root = Edge();
    const std::string report =
        ReportText(root, Database(root, "EDGE"), EdgeWorkforms(), CCfgRptOptions::All());
    EXPECT_EQ(report.find('\0'), std::string::npos);
    ExpectReportFile("edge_all.txt", report);
}

TEST_F(ReportContentTest, WithEverythingOffOnlyTheHeaderAndTheEndAreWritten) {
    config::CCfgFile& root = Sample();
    const std::string expected =
        "Recaster II Configuration Report\r\n"
        "\r\n"
        "Configuration File: \tNorthwind Scholarly Search (NSS Online)\r\n"
        "File Name: \t\t\t\tNorthwind Sample.cfg\r\n"
        "Description:\t\t\tTagged downloads from all NSS databases, \"Full Record\" display. "
        "Revised for the 1998 format change \x96 record headers now carry the file name.\r\n"
        "Report Generated: \t\tTuesday, November 14, 2023 10:13PM\r\n"
        "\r\n"
        "\r\n"
        "-- End of Report --\r\n"
        "\r\n";
    config::CCfgDatabase* medlit = Database(root, "MEDLIT");
    EXPECT_EQ(ReportText(root, medlit, SampleWorkforms(), CCfgRptOptions::All(false)), expected);
    // Field definitions belong to the database details: without them,
    // nothing of the database is written.
    CCfgRptOptions fieldsOnly = CCfgRptOptions::All(false);
    fieldsOnly.dbFields = fieldsOnly.autoParseFmts = fieldsOnly.fieldDetails = 1;
    EXPECT_EQ(ReportText(root, medlit, SampleWorkforms(), fieldsOnly), expected);
}

TEST_F(ReportContentTest, CountLinesForNoneOneAndMany) {
    config::CCfgFile& root = Edge();
    CCfgRptOptions details = CCfgRptOptions::All(false);
    details.dbDetails = details.dbFields = details.fieldDetails = 1;

    std::string none = ReportText(root, Database(root, "Default"), EdgeWorkforms(), details);
    EXPECT_NE(none.find("\r\n\r\nNo fields have been defined for this database\r\n\r\n"
                        "No document types have been defined for this database\r\n\r\n\r\n"
                        "-- End of Report"),
              std::string::npos)
        << none;
    EXPECT_EQ(none.find("Field Definitions"), std::string::npos);

    std::string one = ReportText(root, Database(root, "ONE"), EdgeWorkforms(), details);
    EXPECT_NE(one.find("\r\n1 field has been defined:\r\n\r\n\tTag\tDescription\tTarget Field\r\n"
                       "\tTI\t\t(4) Art 4\r\n\r\n"),
              std::string::npos)
        << one;
    // One field: no separator line.
    EXPECT_EQ(one.find("-----"), std::string::npos);
}

}  // namespace
}  // namespace recaster::report
