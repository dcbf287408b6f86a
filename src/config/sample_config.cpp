// The sample configuration: "Northwind Scholarly Search" downloads. Records
// start with a header line, fields carry two-letter tags followed by "- ",
// and a blank line ends a record. Six databases (the default one included)
// map their fields into the sample workforms A to F.
#include "config/sample_config.h"

#include <array>
#include <initializer_list>
#include <memory>

#include "config/database.h"
#include "config/doc_type.h"
#include "config/lists.h"

namespace recaster::config {
namespace {

// Workform identifiers of the sample workforms.
constexpr uint16_t kJournal = 0;     // A
constexpr uint16_t kBook = 1;        // B
constexpr uint16_t kChapter = 2;     // C
constexpr uint16_t kThesis = 3;      // D
constexpr uint16_t kReport = 4;      // E
constexpr uint16_t kConference = 5;  // F

constexpr int kNone = 0;  // field number: do not transfer

struct FieldDef {
    const char* tag;
    const char* description;
    uint16_t type;
    int target;  // field number (1..45) in the database's workform, or kNone
};

// One row of a parsed-field format: target field number (kRowNotUsed when
// the component is not used), optional flag and the texts around it.
struct RowSpec {
    uint8_t target;
    bool optional;
    const char* precededBy;
    const char* followedBy;
};
using RowSpecs = std::array<RowSpec, kParseRows>;

constexpr RowSpec kUnused{kRowNotUsed, false, "", ""};

CCfgParseFormat MakeFormat(bool useDefault, const RowSpecs& rows) {
    CCfgParseFormat format;
    format.useDefault = useDefault ? 1 : 0;
    for (size_t i = 0; i < kParseRows; ++i) {
        format.rows[i].component = rows[i].target;
        format.rows[i].optional = rows[i].optional ? 1 : 0;
        format.rows[i].SetPrecededBy(rows[i].precededBy);
        format.rows[i].SetFollowedBy(rows[i].followedBy);
    }
    return format;
}

// "J Clin Res 1998 Mar;12(3):45-67" style sources into a journal workform.
const RowSpecs kJournalSource{{{10, false, "", " "},
                               {22, true, ";", "("},
                               {24, true, "(", ")"},
                               {25, true, ":", ""},
                               {20, false, " ", ";"},
                               kUnused,
                               kUnused}};
// "Proc. Intl. Conf. on Soil Mechanics, 1997, pp. 112-119" into a
// conference workform.
const RowSpecs kProceedingsSource{{{9, false, "", ","},
                                   kUnused,
                                   kUnused,
                                   {25, true, "pp. ", ""},
                                   {20, false, ", ", ","},
                                   kUnused,
                                   kUnused}};

class FieldAdder {
  public:
    explicit FieldAdder(CCfgDatabase& db) : list_(*db.GetFieldList()) {}

    // Adds a field (a subfield when parent is set) and returns it; changes made
    // to it afterwards need a Save.
    CCfgField& Add(const FieldDef& def, CCfgField* parent = nullptr) {
        auto field = std::make_unique<CCfgField>();
        field->tag = def.tag;
        field->description = def.description;
        field->type = def.type;
        field->defaultTarget =
            def.target == kNone ? kNoTarget : static_cast<uint8_t>(def.target - 1);
        if (def.type == kFieldMultiText) field->separator = "; ";
        if (def.type == kFieldDocumentType) field->separator = ", ";
        if (def.type == kFieldAuthor || def.type == kFieldNormalText) field->compressSpaces = true;
        field->parent = parent;
        if (parent) field->parentId = parent->GetId();
        return *list_.Field(list_.Add(std::move(field)));
    }
    void AddAll(std::initializer_list<FieldDef> defs) {
        for (const FieldDef& s : defs) Add(s);
    }
    CCfgField& Subfields(const FieldDef& parent, std::initializer_list<FieldDef> subfields,
                         const char* precededBy, const char* followedBy = "") {
        CCfgField& p = Add(parent);
        p.subfieldPrecededBy = precededBy;
        p.subfieldFollowedBy = followedBy;
        p.Save();
        for (const FieldDef& s : subfields) Add(s, &p);
        return p;
    }

  private:
    CCfgFieldList& list_;
};

CCfgDatabase& AddDatabase(CCfgDBList& list, const char* name, const char* description,
                          uint16_t workform) {
    auto db = std::make_unique<CCfgDatabase>();
    db->name = name;
    db->description = description;
    db->workform = workform;
    return *list.Database(list.Add(std::move(db)));
}

void AddDocTypes(CCfgDatabase& db,
                 std::initializer_list<std::pair<const char*, uint16_t>> docTypes) {
    CCfgDocTypeList& list = *db.GetDocTypeList();
    for (const auto& [name, workform] : docTypes) {
        auto dt = std::make_unique<CCfgDocType>();
        dt->name = name;
        dt->workform = workform;
        list.Add(std::move(dt));
    }
}

void SetAuthors(CCfgDatabase& db, uint8_t format, bool hyphens, const char* separator) {
    db.useDefaultAuthorFormat = false;
    db.authorFormat = format;
    db.hyphens = hyphens;
    db.authorSeparator = separator;
    db.Save();
}

void FillStructure(CCfgFile& file) {
    CCfgGenlInfo& genl = *file.GetGenlInfo();
    genl.title = "Northwind Scholarly Search (NSS Online)";
    genl.comments =
        "Tagged downloads from all NSS databases, \"Full Record\" display. "
        "Revised for the 1998 format change \x96 record headers now carry the file name.";
    genl.Save();

    CCfgDFSInfo& dfs = *file.GetDFSInfo();
    dfs.tagLength = 2;
    dfs.fixedWidthTagArea = true;
    dfs.tagAreaWidth = 4;
    dfs.crFollowsTag = false;
    dfs.lineContinuation = kContinuationIndented;
    dfs.defaultCaseConversion = kCaseNone;
    dfs.recordEndMode = kRecordEndOneBlank;
    dfs.recordEndStringOn = false;
    dfs.tagFormat = "$- ";
    dfs.emptyFieldFiller = "(none)";
    dfs.recordHeaderFormat = "NSS Record # of # *";
    dfs.fallbackDatabase = "MEDLIT";
    dfs.Save();

    CCfgStringPairList& pairs = *file.GetIdentPairs();
    pairs.pairs = {{"NSS Record # of # - ", ""}, {"FILE: ", " (NSS)"}, {"Source file: ", ""}};
    pairs.Save();

    CCfgStringList& ignored = *file.GetIgnoredLines();
    ignored.strings = {"Copyright * Northwind Information Services*", "NSS Online session *",
                       "--- Page # ---", "Search statement #:*", "\\*\\*\\* End of download *"};
    ignored.Save();
}

void FillDefault(CCfgDatabase& db) {
    db.workform = kJournal;
    db.Save();
    SetAuthors(db, kAuthorInitialsDotted, false, "; ");
    AddDocTypes(db, {{"Journal Article", kJournal}, {"Review", kJournal}});
    FieldAdder f(db);
    f.AddAll({{"AN", "Accession Number", kFieldNormalText, 44},
              {"AU", "Authors", kFieldAuthor, 1},
              {"AD", "Author Address", kFieldNormalText, 3},
              {"TI", "Title", kFieldNormalText, 4},
              {"PY", "Publication Year", kFieldDate, 20},
              {"LA", "Language", kFieldNormalText, kNone},
              {"DT", "Document Type", kFieldDocumentType, 35},
              {"AB", "Abstract", kFieldNormalText, 43},
              {"DE", "Descriptors", kFieldMultiText, 45},
              {"ID", "Identifiers", kFieldMultiText, 45},
              {"IS", "ISSN", kFieldNormalText, 40},
              {"CO", "CODEN", kFieldNormalText, 39},
              {"UR", "Full Text Link", kFieldNormalText, 38},
              {"NT", "Notes", kFieldNormalText, 42}});
    CCfgField& so = f.Add({"SO", "Source", kFieldParsed, 10});
    so.parseFormats.Set("", MakeFormat(true, kJournalSource));
    so.parseFormats.Set("Journal Article", MakeFormat(true, kJournalSource));
    so.Save();
}

void FillMedlit(CCfgDatabase& db) {
    SetAuthors(db, kAuthorInitialsJoined, false, "; ");
    db.useDefaultParseFormat = false;
    db.Save();
    CCfgAutoParseInfo& info = *db.GetParseInfo();
    info.rows[kParseTitle].SetFollowedBy(" ");
    info.rows[kParseDate].SetFollowedBy(";");
    info.rows[kParseVolume].optional = 1;
    info.rows[kParseIssue].SetPrecededBy("(");
    info.rows[kParseIssue].SetFollowedBy(")");
    info.rows[kParsePages].SetPrecededBy(":");
    info.Save();
    AddDocTypes(db, {{"Journal Article", kJournal},
                     {"Review", kJournal},
                     {"Book Chapter", kChapter},
                     {"Congress", kConference},
                     {"Monograph", kBook}});

    FieldAdder f(db);
    f.AddAll({{"AN", "MEDLIT Accession Number", kFieldNormalText, 44},
              {"AD", "Address of First Author", kFieldNormalText, 3},
              {"TT", "Transliterated Title", kFieldNormalText, 42},
              {"PY", "Year of Publication", kFieldDate, 20},
              {"LA", "Language", kFieldNormalText, kNone},
              {"DT", "Publication Type", kFieldDocumentType, 35},
              {"AB", "Abstract", kFieldNormalText, 43},
              {"KW", "Author Keywords", kFieldMultiText, 45},
              {"RN", "Registry Number", kFieldMultiText, kNone},
              {"IS", "ISSN", kFieldNormalText, 40},
              {"CO", "CODEN", kFieldNormalText, 39},
              {"UR", "Link to Full Text", kFieldNormalText, 38},
              {"GR", "Grant Number", kFieldNormalText, 42},
              {"DO", "Digital Object Identifier", kFieldNormalText, 36},
              {"CP", "Country of Publication", kFieldNormalText, kNone},
              {"EM", "Entry Month", kFieldDate, kNone},
              {"SB", "Journal Subset", kFieldNormalText, kNone}});

    CCfgField& au = f.Add({"AU", "Authors", kFieldAuthor, 1});
    au.endsWith = ".";
    au.Save();
    CCfgField& ti = f.Add({"TI", "Article Title", kFieldNormalText, 4});
    ti.caseConversion = kCaseSentence;
    ti.SetAlternateTarget(kBook, 8);  // the book title of a monograph
    ti.Save();
    CCfgField& mh = f.Add({"MH", "Subject Headings", kFieldMultiText, 45});
    mh.separator = "; ";
    mh.separateMode = 1;
    mh.separatorText = "; ";
    mh.replaceMatching = 1;
    mh.findText = "*";
    mh.replaceText = "";
    mh.Save();
    CCfgField& nt = f.Add({"NT", "General Note", kFieldNormalText, 42});
    nt.crOptions = 0x21;  // replace line ends by the text below, mark them with "|"
    nt.crReplacementChar = " / ";
    nt.crRepresentationChar = "|";
    nt.separateMode = 2;
    nt.Save();

    CCfgField& so = f.Add({"SO", "Source", kFieldParsed, 10});
    so.SetAlternateTarget(kChapter, 8);     // the book a chapter is in
    so.SetAlternateTarget(kConference, 8);  // the proceedings a paper is in
    so.parseFormats.Set("", MakeFormat(true, kJournalSource));
    so.parseFormats.Set("Journal Article", MakeFormat(true, kJournalSource));
    so.parseFormats.Set("Review", MakeFormat(true, kJournalSource));
    so.parseFormats.Set("Congress", MakeFormat(false, kProceedingsSource));
    so.Save();
}

void FillAgridoc(CCfgDatabase& db) {
    SetAuthors(db, kAuthorFullFirst, false, " ; ");
    AddDocTypes(db, {{"Report", kReport},
                     {"Journal Article", kJournal},
                     {"Book", kBook},
                     {"Conference Paper", kConference}});
    FieldAdder f(db);
    f.AddAll({{"AN", "AGRIDOC Number", kFieldNormalText, kNone},
              {"AU", "Personal Authors", kFieldAuthor, 1},
              {"TI", "Title", kFieldNormalText, 4},
              {"PY", "Year", kFieldDate, 20},
              {"RN", "Report Number", kFieldNormalText, 23},
              {"NP", "Number of Pages", kFieldNormalText, 26},
              {"LA", "Language", kFieldNormalText, kNone},
              {"DT", "Document Type", kFieldDocumentType, kNone},
              {"AB", "Abstract", kFieldNormalText, 43},
              {"DE", "Subject Descriptors", kFieldMultiText, 45},
              {"GL", "Geographic Location", kFieldNormalText, 42},
              {"AV", "Availability", kFieldNormalText, 37},
              {"UR", "Online Copy", kFieldNormalText, 38},
              {"SP", "Sponsoring Agency", kFieldNormalText, 16}});
    CCfgField& ca = f.Add({"CA", "Corporate Author", kFieldAuthor, 19});
    ca.corporateAuthor = true;
    ca.SetAlternateTarget(kJournal, 2);  // an affiliation in a journal record
    ca.Save();
    CCfgField& nt = f.Add({"NT", "Notes", kFieldNormalText, 42});
    nt.spaceChar = '_';
    nt.Save();
    CCfgField& pb = f.Subfields({"PB", "Publication Information", kFieldParsedWithSubfields, kNone},
                                {{"a", "Place", kFieldNormalText, 18},
                                 {"b", "Issuing Institution", kFieldNormalText, 19},
                                 {"c", "Date of Issue", kFieldDate, 20}},
                                "$");
    pb.description = "Publication Information (MARC-style)";
    pb.Save();
    CCfgField& so = f.Add({"SO", "Series", kFieldParsed, 32});
    so.parseFormats.Set("", MakeFormat(false, {{{32, false, "", ";"},
                                                {23, true, "no. ", ""},
                                                kUnused,
                                                kUnused,
                                                kUnused,
                                                kUnused,
                                                kUnused}}));
    so.Save();
}

void FillEngin(CCfgDatabase& db) {
    AddDocTypes(db, {{"Conference Paper", kConference},
                     {"Conference Proceedings", kBook},
                     {"Journal Article", kJournal},
                     {"Report", kReport}});
    FieldAdder f(db);
    f.AddAll({{"AN", "ENGIN Accession Number", kFieldNormalText, kNone},
              {"AU", "Authors", kFieldAuthor, 1},
              {"AF", "Author Affiliation", kFieldNormalText, 3},
              {"ED", "Editors", kFieldAuthor, 7},
              {"PB", "Publisher", kFieldNormalText, 19},
              {"PL", "Place of Publication", kFieldNormalText, 18},
              {"PY", "Publication Year", kFieldDate, 20},
              {"PG", "Pages", kFieldNormalText, 25},
              {"IB", "ISBN", kFieldNormalText, 41},
              {"DO", "DOI", kFieldNormalText, 36},
              {"LA", "Language", kFieldNormalText, kNone},
              {"DT", "Treatment and Document Type", kFieldDocumentType, kNone},
              {"AB", "Abstract", kFieldNormalText, 43},
              {"CC", "Classification Codes", kFieldMultiText, 42},
              {"KW", "Controlled Terms", kFieldMultiText, 45},
              {"UR", "URL", kFieldNormalText, 38},
              {"NT", "Notes", kFieldNormalText, 42}});
    CCfgField& ti = f.Add({"TI", "Title", kFieldNormalText, 4});
    ti.caseConversion = kCaseSmart;
    ti.Save();
    f.Subfields({"CF", "Conference Information", kFieldParsedWithSubfields, kNone},
                {{"D", "Conference Dates", kFieldNormalText, 21},
                 {"L", "Conference Location", kFieldNormalText, 13},
                 {"N", "Conference Name", kFieldNormalText, 11}},
                "<", ">");
    CCfgField& so = f.Add({"SO", "Source Title", kFieldParsed, 9});
    so.SetAlternateTarget(kJournal, 9);  // journal title in a journal record
    so.parseFormats.Set("", MakeFormat(true, kProceedingsSource));
    so.parseFormats.Set("Journal Article", MakeFormat(false, kJournalSource));
    so.Save();
}

void FillTheses(CCfgDatabase& db) {
    SetAuthors(db, kAuthorFullFirst, true, "");
    FieldAdder f(db);
    f.AddAll({{"AN", "Order Number", kFieldNormalText, 37},
              {"AU", "Author", kFieldAuthor, 1},
              {"TI", "Title", kFieldNormalText, 4},
              {"DG", "Degree", kFieldNormalText, 35},
              {"IN", "School", kFieldNormalText, 3},
              {"AD", "Adviser", kFieldAuthor, 7},
              {"PY", "Degree Date", kFieldDate, 20},
              {"PG", "Number of Pages", kFieldNormalText, 26},
              {"SO", "Source", kFieldNormalText, 42},
              {"LA", "Language", kFieldNormalText, kNone},
              {"AB", "Abstract", kFieldLiteralStream, 43},
              {"KW", "Keywords", kFieldMultiText, 45},
              {"SU", "Subject Category", kFieldMultiText, 45},
              {"UR", "Full Text", kFieldNormalText, 38},
              {"NT", "Notes", kFieldNormalText, 42}});
}

void FillBooks(CCfgDatabase& db) {
    SetAuthors(db, kAuthorNoCommaDotted, false, " and ");
    AddDocTypes(db, {{"Book", kBook}, {"Edited Book", kBook}, {"Chapter", kChapter}});
    FieldAdder f(db);
    f.AddAll({{"AN", "Catalog Number", kFieldNormalText, kNone},
              {"AU", "Authors", kFieldAuthor, 1},
              {"ED", "Editors", kFieldAuthor, 7},
              {"ET", "Edition", kFieldNormalText, 15},
              {"PL", "Place", kFieldNormalText, 18},
              {"PB", "Publisher", kFieldNormalText, 19},
              {"PY", "Year", kFieldDate, 20},
              {"PG", "Pages", kFieldNormalText, 26},
              {"IB", "ISBN", kFieldMultiText, 41},
              {"LC", "Call Number", kFieldNormalText, 44},
              {"SU", "Subjects", kFieldMultiText, 45},
              {"AB", "Summary", kFieldNormalText, 43},
              {"NT", "Notes", kFieldNormalText, 42},
              {"UR", "Table of Contents", kFieldNormalText, 38},
              {"LA", "Language", kFieldNormalText, kNone}});
    CCfgField& ti = f.Add({"TI", "Title", kFieldNormalText, 9});
    ti.caseConversion = kCaseTitle;
    ti.SetAlternateTarget(kChapter, 3);  // a chapter's own title
    ti.Save();
    f.Subfields(
        {"SE", "Series", kFieldParsedWithSubfields, kNone},
        {{"t", "Series Title", kFieldNormalText, 32}, {"v", "Series Volume", kFieldNormalText, 33}},
        "$");
}

}  // namespace

void BuildSampleConfig(CCfgFile& file) {
    FillStructure(file);
    CCfgDBList& dbs = *file.GetDBList();
    FillDefault(*dbs.Database(1));
    FillMedlit(AddDatabase(dbs, "MEDLIT", "Medical Literature Index, 1966 to date", kJournal));
    FillAgridoc(AddDatabase(dbs, "AGRIDOC", "Agricultural Documents and Reports", kReport));
    FillEngin(AddDatabase(dbs, "ENGIN", "Engineering and Technology Abstracts", kConference));
    FillTheses(AddDatabase(dbs, "007", "Dissertations and Theses", kThesis));
    FillBooks(AddDatabase(dbs, "BOOKCAT", "Northwind Book Catalog", kBook));
}

}  // namespace recaster::config
