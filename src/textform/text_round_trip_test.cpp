// Export, import, export again: the text is the same and every object decodes
// to the same values (ids aside), for the sample, a new file, a configuration
// with unusual values in every member, and generated ones.
#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "config/object_test_util.h"
#include "config/sample_config.h"
#include "textform/text_form_test_util.h"

namespace recaster::textform {
namespace {

using namespace config;
using testutil::ExportFile;
using testutil::ImportToFile;
using testutil::MakeFile;

// Bytes first..last in order: no character twice, so no pattern check trips.
std::string Bytes(int first, int last) {
    std::string s;
    for (int b = first; b <= last; ++b) s.push_back(static_cast<char>(b));
    return s;
}
const std::string kAllBytes = Bytes(1, 255);

// Exports `path`, imports the text into a new file, exports that and
// compares text and objects.
void ExpectRoundTrip(store::MemFileSystem& fs, const std::string& path) {
    const std::string text = ExportFile(fs, path);
    ASSERT_TRUE(ImportToFile(fs, text, "/copy.cfg"));
    EXPECT_EQ(ExportFile(fs, "/copy.cfg"), text);
    CCfgFile original(fs), copy(fs);
    original.Open(path, store::OpenMode::ReadOnly);
    copy.Open("/copy.cfg", store::OpenMode::ReadOnly);
    objtest::ExpectSameConfiguration(original, copy);
}

std::unique_ptr<CCfgField> NewField(const std::string& tag, uint16_t type,
                                    CCfgField* parent = nullptr) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->type = type;
    f->parent = parent;
    return f;
}

// Every member away from its default, at its limits, with every byte.
void BuildUnusual(CCfgFile& file) {
    CCfgGenlInfo& g = *file.GetGenlInfo();
    g.title = kAllBytes;
    g.comments = std::string("NUL\0inside", 10) + Bytes(0, 255);
    g.flag = 255;
    g.Save();

    CCfgDFSInfo& d = *file.GetDFSInfo();
    d.tagLength = 32;
    d.reserved = 255;
    d.fixedWidthTagArea = true;
    d.tagAreaWidth = 255;
    d.crFollowsTag = true;
    d.lineContinuation = 2;
    d.continuationChar = 255;
    d.defaultCaseConversion = 5;
    d.recordEndMode = 3;
    d.recordEndStringOn = true;
    d.tagFormat = "\\$$" + Bytes(0x80, 0xBC);  // 64 characters, one tag position
    d.fieldTerminator = Bytes(0xC0, 0xFF);
    d.emptyFieldFiller = Bytes(0x40, 0x7F);
    d.recordEndString = kAllBytes;
    d.recordHeaderFormat = std::string(kAllBytes.rbegin(), kAllBytes.rend());
    d.fallbackDatabase = "007";
    d.processMarcSubfields = true;
    d.subfieldIndicator = "\x9D";
    d.Save();

    file.GetIdentPairs()->pairs = {{kAllBytes, ""}, {"", "\x81\x8D\x8F\x90\x9D"}};
    file.GetIdentPairs()->Save();  // the ignored lines stay an empty list

    CCfgDBList& list = *file.GetDBList();
    CCfgDatabase& first = *list.Database(1);
    first.name = kAllBytes;  // the default database's name is never checked
    first.description = Bytes(0xA0, 0xDF);
    first.workform = 65535;
    first.useDefaultParseFormat = false;
    first.useDefaultAuthorFormat = false;
    first.authorFormat = 7;
    first.hyphens = true;
    first.authorSeparator = Bytes(0x90, 0x9F);
    first.Save();
    CCfgAutoParseInfo& info = *first.GetParseInfo();
    for (size_t i = 0; i < kParseRows; ++i) {
        info.rows[i].component = static_cast<uint8_t>(7 - i);
        info.rows[i].optional = 1;
        info.rows[i].SetPrecededBy(Bytes(static_cast<int>(0x80 + i), static_cast<int>(0xA2 + i)));
        info.rows[i].SetFollowedBy(Bytes(1, 35));
    }
    // What an older file leaves behind its NUL is kept as well.
    info.rows[6].followedBy = {'a', 0, 'l', 'e', 'f', 't', 0, 0, 'x'};
    info.Save();
    for (const auto& [name, workform] : std::initializer_list<std::pair<std::string, uint16_t>>{
             {"", 65535}, {kAllBytes, 0}, {"Z", 19}}) {
        auto dt = std::make_unique<CCfgDocType>();
        dt->name = name;
        dt->workform = workform;
        first.GetDocTypeList()->Add(std::move(dt));
    }

    CCfgFieldList& fields = *first.GetFieldList();
    auto a = NewField("A", kFieldParsed);
    a->description = kAllBytes;
    a->defaultTarget = 44;
    a->caseConversion = 5;
    a->compressSpaces = a->corporateAuthor = true;
    a->spaceChar = 255;
    a->crOptions = 0x21;
    a->beginsWith = a->endsWith = a->subfieldPrecededBy = a->subfieldFollowedBy = kAllBytes;
    a->separator = a->crReplacementChar = a->crRepresentationChar = kAllBytes;
    a->SetAlternateTarget(0, 0);
    a->SetAlternateTarget(19, 44);
    a->SetAlternateTarget(65535, 255);
    CCfgParseFormat format;
    format.useDefault = 0;
    const uint8_t components[kParseRows] = {45, 0, 255, 254, 1, 10, 20};
    for (size_t i = 0; i < kParseRows; ++i) {
        format.rows[i].component = components[i];
        format.rows[i].optional = static_cast<uint8_t>(i % 2);
        format.rows[i].SetPrecededBy(Bytes(0xDD, 0xFF));
        format.rows[i].SetFollowedBy("\\r");
    }
    a->parseFormats.Set("", format);
    a->parseFormats.Set(kAllBytes, CCfgParseFormat());
    a->parseFormats.Set("Z", format);
    a->separateMode = 2;
    a->separatorText = Bytes(0x21, 0x3F);
    a->replaceMatching = 1;
    a->findText = a->replaceText = kAllBytes;
    fields.Add(std::move(a));
    CCfgField* parent = fields.Field(fields.Add(NewField("B", kFieldParsedWithSubfields)));
    fields.Add(NewField("", kFieldDate, parent));  // a subfield may have an empty tag
    auto sub = NewField("\xFF", kFieldAuthor, parent);
    sub->caseConversion = -1;
    fields.Add(std::move(sub));
    fields.Add(NewField("\xFF\xFE", kFieldLiteralStream));
    first.ReleaseStoredChildren();

    // Empty lists: these databases have no fields and no document types.
    for (const std::string& name : {std::string(), std::string("007"), "A" + Bytes(0xC1, 0xFE)}) {
        auto db = std::make_unique<CCfgDatabase>();
        db->name = name;
        db->workform = 1;
        list.Add(std::move(db));
    }
}

TEST(TextRoundTripTest, UnusualValuesInEveryMemberSurvive) {
    store::MemFileSystem fs;
    MakeFile(fs, "/unusual.cfg", BuildUnusual);
    ExpectRoundTrip(fs, "/unusual.cfg");

    // The five bytes Windows-1252 leaves undefined are the C1 controls.
    const Json j = Json::parse(ExportFile(fs, "/unusual.cfg"));
    EXPECT_EQ(j["structure"]["subfieldIndicator"], "\u009D");
    EXPECT_EQ(j["identifiers"][1]["suffix"], "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(j["databases"][0]["parseInfo"][6]["followedBy"], std::string("a\0left\0\0x", 9));
    EXPECT_EQ(j["databases"][0]["fields"][1]["subfields"].size(), 2u);
    EXPECT_EQ(j["databases"][1]["fields"], Json::array());
    EXPECT_EQ(j["ignoredLines"], Json::array());
}

TEST(TextRoundTripTest, SampleAndNewFileSurvive) {
    store::MemFileSystem fs;
    MakeFile(fs, "/new.cfg", [](CCfgFile&) {});
    ExpectRoundTrip(fs, "/new.cfg");
    MakeFile(fs, "/sample.cfg", [](CCfgFile& file) { BuildSampleConfig(file); });
    ExpectRoundTrip(fs, "/sample.cfg");
}

// Deterministic generator of configurations the entry rules accept.
class Gen {
  public:
    explicit Gen(uint32_t seed) : state_(seed) {}
    uint32_t Next(uint32_t bound) {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 8) % bound;
    }
    std::string Text(size_t maxLength) {
        std::string s(Next(static_cast<uint32_t>(maxLength) + 1), ' ');
        for (char& c : s) c = static_cast<char>(1 + Next(255));
        return s;
    }

  private:
    uint32_t state_;
};

void BuildGenerated(CCfgFile& file, uint32_t seed) {
    Gen g(seed);
    file.GetGenlInfo()->comments = g.Text(300);
    file.GetGenlInfo()->Save();
    CCfgDBList& list = *file.GetDBList();
    for (uint32_t d = g.Next(6); d > 0; --d) {
        auto db = std::make_unique<CCfgDatabase>();
        db->name = "DB" + std::to_string(g.Next(1000));
        db->description = g.Text(64);
        db->workform = static_cast<uint16_t>(g.Next(70000));
        if (!list.IsDuplicate(db.get())) list.Add(std::move(db));
    }
    for (int p = 1; p <= list.GetCount(); ++p) {
        CCfgDatabase& db = *list.Database(p);
        for (auto& row : db.GetParseInfo()->rows) {
            row.component = static_cast<uint8_t>(g.Next(8));
            row.SetFollowedBy(g.Text(35));
        }
        db.GetParseInfo()->Save();
        CCfgFieldList& fields = *db.GetFieldList();
        CCfgField* parent = nullptr;
        for (uint32_t n = g.Next(30); n > 0; --n) {
            const bool sub = parent != nullptr && g.Next(2) == 0;
            auto f = NewField(g.Text(3), static_cast<uint16_t>(g.Next(8)), sub ? parent : nullptr);
            if (sub && f->type == kFieldParsedWithSubfields) f->type = kFieldNormalText;
            if (!sub && f->tag.empty()) f->tag = "X";
            f->description = g.Text(40);
            f->defaultTarget = g.Next(5) == 0 ? kNoTarget : static_cast<uint8_t>(g.Next(45));
            for (uint32_t t = g.Next(4); t > 0; --t)
                f->SetAlternateTarget(static_cast<uint16_t>(g.Next(600)),
                                      static_cast<uint8_t>(g.Next(45)));
            for (uint32_t t = g.Next(4); t > 0; --t) {
                CCfgParseFormat format;
                format.useDefault = g.Next(2);
                for (auto& row : format.rows) row.SetPrecededBy(g.Text(35));
                f->parseFormats.Set(g.Text(6), format);
            }
            if (fields.IsDuplicate(f.get())) continue;
            CCfgField* added = fields.Field(fields.Add(std::move(f)));
            if (!sub) parent = added->type == kFieldParsedWithSubfields ? added : nullptr;
        }
        db.ReleaseStoredChildren();
    }
}

TEST(TextRoundTripTest, GeneratedConfigurationsSurvive) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        store::MemFileSystem fs;
        MakeFile(fs, "/gen.cfg", [&](CCfgFile& file) { BuildGenerated(file, seed); });
        ExpectRoundTrip(fs, "/gen.cfg");
    }
}

TEST(TextRoundTripTest, EqualConfigurationsGiveEqualTextWhateverTheMapHistory) {
    store::MemFileSystem fs;
    // Workforms 1 and 2 share a bucket, so the records list them in
    // insertion order; the text does not.
    for (const auto& [path, forward] :
         {std::pair{"/one.cfg", true}, std::pair{"/two.cfg", false}}) {
        MakeFile(fs, path, [forward = forward](CCfgFile& file) {
            CCfgDatabase& db = *file.GetDBList()->Database(1);
            auto f = NewField("TI", kFieldParsed);
            f->SetAlternateTarget(forward ? 1 : 2, 7);
            f->SetAlternateTarget(forward ? 2 : 1, 7);
            f->parseFormats.Set(forward ? "a" : "b", CCfgParseFormat());
            f->parseFormats.Set(forward ? "b" : "a", CCfgParseFormat());
            db.GetFieldList()->Add(std::move(f));
        });
    }
    EXPECT_EQ(ExportFile(fs, "/one.cfg"), ExportFile(fs, "/two.cfg"));
}

}  // namespace
}  // namespace recaster::textform
