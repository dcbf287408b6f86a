// A configuration of realistic size built through the objects, committed,
// reopened and compared object by object.
#include <gtest/gtest.h>

#include "config/cfg_file.h"
#include "config/object_test_util.h"

namespace recaster::config {
namespace {

// Small deterministic generator, so both builds below are identical.
class Gen {
  public:
    explicit Gen(uint32_t seed) : state_(seed) {}
    uint32_t Next(uint32_t bound) {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 8) % bound;
    }
    std::string Text(size_t maxLength) {
        std::string s(Next(static_cast<uint32_t>(maxLength) + 1), ' ');
        for (char& c : s) c = static_cast<char>('A' + Next(26));
        return s;
    }

  private:
    uint32_t state_;
};

std::unique_ptr<CCfgField> RandomField(Gen& g, const std::string& tag, CCfgField* parent) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->parent = parent;
    f->type = parent ? static_cast<uint16_t>(g.Next(3)) : static_cast<uint16_t>(g.Next(8));
    f->defaultTarget = g.Next(4) == 0 ? kNoTarget : static_cast<uint8_t>(g.Next(45));
    f->caseConversion = static_cast<int16_t>(static_cast<int>(g.Next(7)) - 1);
    f->compressSpaces = g.Next(2);
    f->corporateAuthor = g.Next(2);
    f->spaceChar = g.Next(3) == 0 ? '_' : 0;
    f->crOptions = static_cast<uint8_t>(g.Next(3) << 4 | g.Next(2));
    f->description = g.Text(60);
    f->beginsWith = g.Text(5);
    f->endsWith = g.Text(5);
    f->separator = g.Text(3);
    f->crReplacementChar = g.Text(1);
    for (uint32_t n = g.Next(6); n > 0; --n)
        f->SetAlternateTarget(static_cast<uint16_t>(g.Next(26)), static_cast<uint8_t>(g.Next(45)));
    if (f->type == kFieldParsed || f->type == kFieldParsedWithSubfields) {
        for (const char* name : {"", "Journal", "Book", "Conference Paper"}) {
            if (g.Next(3) == 0) continue;
            CCfgParseFormat format;
            format.useDefault = g.Next(2);
            for (auto& row : format.rows) {
                row.component = static_cast<uint8_t>(g.Next(46));
                row.optional = g.Next(2);
                row.SetPrecededBy(g.Text(10));
                row.SetFollowedBy(g.Text(10));
            }
            f->parseFormats.Set(name, format);
        }
    }
    f->separateMode = g.Next(3);
    f->separatorText = g.Text(8);
    f->replaceMatching = g.Next(2);
    f->findText = g.Text(12);
    f->replaceText = g.Text(12);
    return f;
}

// With `release`, children are dropped after each database as the editor
// does; without, the objects built stay in memory to compare against.
void Build(CCfgFile& file, bool release) {
    Gen g(20261208);
    file.GetGenlInfo()->title = "Online services, 1998 layout";
    file.GetGenlInfo()->comments = "Built by the round-trip test\r\nsecond line";
    file.GetGenlInfo()->Save();
    CCfgDFSInfo* dfs = file.GetDFSInfo();
    dfs->tagLength = 2;
    dfs->tagFormat = "$  - ";
    dfs->recordHeaderFormat = "Record # of #";
    dfs->fallbackDatabase = "DB5";
    dfs->processMarcSubfields = true;
    dfs->Save();
    for (int i = 0; i < 6; ++i) file.GetIdentPairs()->pairs.push_back({g.Text(8), g.Text(4)});
    file.GetIdentPairs()->Save();
    file.GetIgnoredLines()->strings = {"Page #", "*Copyright*", "\\*\\*\\*"};
    file.GetIgnoredLines()->Save();

    CCfgDBList* list = file.GetDBList();
    for (int d = 0; d < 12; ++d) {
        CCfgDatabase* db;
        if (d == 0) {
            db = list->Database(1);
        } else {
            auto owned = std::make_unique<CCfgDatabase>();
            db = owned.get();
            db->name = "DB" + std::to_string(d);
            list->Add(std::move(owned));
        }
        db->workform = static_cast<uint16_t>(g.Next(20));
        db->description = g.Text(40);
        db->useDefaultParseFormat = d % 2;
        db->authorFormat = static_cast<uint8_t>(g.Next(8));
        db->hyphens = g.Next(2);
        db->authorSeparator = ";";
        db->Save();
        for (auto& row : db->GetParseInfo()->rows) row.SetFollowedBy(g.Text(6));
        db->GetParseInfo()->Save();
        for (uint32_t t = g.Next(5); t > 0; --t) {
            auto dt = std::make_unique<CCfgDocType>();
            dt->name = "Type " + std::to_string(t);
            dt->workform = static_cast<uint16_t>(g.Next(20));
            db->GetDocTypeList()->Add(std::move(dt));
        }
        CCfgFieldList* fields = db->GetFieldList();
        const uint32_t count = 20 + g.Next(21);
        CCfgField* parent = nullptr;
        for (uint32_t n = 0; n < count; ++n) {
            const std::string tag =
                std::string(1, static_cast<char>('A' + n % 26)) + static_cast<char>('A' + n / 26);
            const bool sub = parent && g.Next(3) == 0;
            auto f = RandomField(g, tag, sub ? parent : nullptr);
            if (!sub && g.Next(4) == 0) f->type = kFieldParsedWithSubfields;
            CCfgField* added = f.get();
            fields->Add(std::move(f));
            if (!sub) parent = added->type == kFieldParsedWithSubfields ? added : nullptr;
        }
        if (release) db->ReleaseChildren();
    }
}

TEST(RoundTripTest, RealisticConfigurationSurvivesCommitAndReopen) {
    store::MemFileSystem fs;
    {
        CCfgFile written(fs);
        written.Create("/a.cfg");
        written.Open("/a.cfg");
        Build(written, true);
        written.Commit();
    }
    CCfgFile expected(fs);
    expected.Create("/b.cfg");
    expected.Open("/b.cfg");
    Build(expected, false);

    CCfgFile reopened(fs);
    reopened.Open("/a.cfg", store::OpenMode::ReadOnly);
    ASSERT_EQ(reopened.GetDBList()->GetCount(), 12);
    int subfields = 0;
    for (int p = 1; p <= 12; ++p) {
        CCfgFieldList* fields = reopened.GetDBList()->Database(p)->GetFieldList();
        EXPECT_GE(fields->GetCount(), 20);
        for (int i = 1; i <= fields->GetCount(); ++i) subfields += fields->Field(i)->IsSubfield();
    }
    EXPECT_GT(subfields, 10);
    objtest::ExpectSameConfiguration(reopened, expected);
}

}  // namespace
}  // namespace recaster::config
