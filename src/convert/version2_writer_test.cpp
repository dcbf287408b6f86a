// The version-2 writer: the file it writes reads back with the version-2
// rules, and what version 2 would hold with another meaning is refused.
#include "convert/version2_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "convert/convert_test_util.h"

namespace recaster::convert {
namespace {

using testing::OldConfig;

TEST(Version2WriterTest, WritesAVersion2FileThatReadsBack) {
    OldConfig old;
    config::CCfgDatabase& db = old.AddDatabase("MED", 22);
    db.authorFormat = config::kAuthorNoCommaFull;
    db.Save();
    OldConfig::AddDocType(db, "Book", 1);
    config::CCfgField& ti = OldConfig::AddField(db, "TI");
    ti.SetAlternateTarget(2, 8);
    ti.SetAlternateTarget(30, 9);  // past Z: version 2 has no place for it
    ti.Save();
    store::MemFileSystem fs;
    old.Write("/old.cfg", fs);
    const std::vector<uint8_t> bytes = fs.Get("/old.cfg");
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 1);

    config::CCfgFile back(fs);
    back.Open("/old.cfg", store::OpenMode::ReadOnly);
    ASSERT_EQ(back.link().Version(), 2);
    config::CCfgDatabase& med = *back.GetDBList()->Database(2);
    EXPECT_EQ(med.workform, 22);
    EXPECT_EQ(med.authorFormat, 3) << "the old list had no \"Smith, J S\"";
    EXPECT_EQ(med.GetDocTypeList()->DocType(1)->workform, 1);
    config::CCfgField& field = *med.GetFieldList()->Field(1);
    EXPECT_EQ(field.AlternateTarget(2), 8);
    EXPECT_EQ(field.alternateTargets.size(), 1u);
}

TEST(Version2WriterTest, RefusesWhatVersion2WouldReadOtherwise) {
    const std::vector<std::pair<const char*, std::function<void(OldConfig&)>>> cases = {
        {"author format 3",
         [](OldConfig& o) {
             o.Default().authorFormat = config::kAuthorInitialsSpaced;
             o.Default().Save();
         }},
        {"ISSN row",
         [](OldConfig& o) {
             o.Default().GetParseInfo()->rows[1].component = config::kParseIssn;
             o.Default().GetParseInfo()->Save();
         }},
        {"long text",
         [](OldConfig& o) {
             o.Default().GetParseInfo()->rows[0].SetPrecededBy(std::string(18, 'x'));
             o.Default().GetParseInfo()->Save();
         }},
        {"workform 300", [](OldConfig& o) { o.AddDatabase("BIG", 300); }},
    };
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        OldConfig old;
        spoil(old);
        store::MemFileSystem fs;
        EXPECT_THROW(old.Write("/old.cfg", fs), std::invalid_argument);
        EXPECT_FALSE(fs.Exists("/old.cfg"));
    }
}

}  // namespace
}  // namespace recaster::convert
