#include "workforms/workform_loader.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "workforms/workform_test_util.h"

namespace recaster::workforms {
namespace {

using testing::MakeForm;
using testing::ScratchDir;

struct Reports {
    std::vector<std::string> paths;
    WorkformReport fn() {
        return [this](const std::string& path, const std::string& message) {
            EXPECT_FALSE(message.empty());
            paths.push_back(path);
        };
    }
};

TEST(WorkformLoader, DamagedFilesAreReportedAndSkipped) {
    ScratchDir dir;
    WriteWorkformFile(dir / "good.TWF", MakeForm(1, "Good"));
    std::vector<uint8_t> bytes = EncodeWorkformFile(MakeForm(2, "Cut"));
    bytes.resize(bytes.size() - 1);
    testing::WriteBytes(dir / "cut.TWF", bytes);
    bytes = EncodeWorkformFile(MakeForm(3, "Alien"));
    bytes[0] ^= 1;
    testing::WriteBytes(dir / "alien.TWF", bytes);
    WriteWorkformFile(dir / "reserved.TWF", MakeForm(kNoWorkform, "Reserved"));

    WorkformCatalog catalog;
    Reports reports;
    const std::vector<std::string> candidates = {dir / "cut.TWF", dir / "missing.TWF",
                                                 dir / "alien.TWF", dir / "good.TWF",
                                                 dir / "reserved.TWF"};
    EXPECT_EQ(LoadWorkforms(catalog, candidates, reports.fn()), 1);
    EXPECT_EQ(reports.paths, (std::vector<std::string>{dir / "cut.TWF", dir / "missing.TWF",
                                                       dir / "alien.TWF", dir / "reserved.TWF"}));
    ASSERT_EQ(catalog.Count(), 1);
    EXPECT_EQ(catalog.NameOf(1), "Good");
    // A null report is allowed.
    WorkformCatalog quiet;
    EXPECT_EQ(LoadWorkforms(quiet, candidates, nullptr), 1);
}

TEST(WorkformLoader, FormsFolderWinsAndDuplicatesAreSilent) {
    ScratchDir program, tomebase;
    std::filesystem::create_directory(program / "Forms");
    WriteWorkformFile(program / "Forms/b.TWF", MakeForm(2, "Program C"));
    WriteWorkformFile(program / "Forms/a.FRM", MakeForm(2, "Program C, older"));
    WriteWorkformFile(tomebase / "c.twf", MakeForm(2, "Tomebase C"));
    WriteWorkformFile(tomebase / "d.TWF", MakeForm(3, "Tomebase D"));
    testing::WriteBytes(tomebase / "empty.TWF", {});

    WorkformCatalog catalog;
    Reports reports;
    const auto locator = WorkformLocator::ForDirectories(program.path(), tomebase.path());
    EXPECT_EQ(LoadWorkforms(catalog, locator.Candidates(), reports.fn()), 3);
    EXPECT_TRUE(reports.paths.empty());
    EXPECT_EQ(catalog.NameOf(2), "Program C");
    EXPECT_EQ(catalog.NameOf(3), "Tomebase D");
    // The empty file is workform A with no name and no field in use.
    EXPECT_TRUE(catalog.Exists(0));
    EXPECT_EQ(catalog.NameOf(0), "");
    EXPECT_EQ(catalog.UsedFieldNumbers(0), (std::vector<uint8_t>{0}));
}

TEST(WorkformLoader, BuiltSamplesLoadBesideTheProgram) {
    WorkformCatalog catalog;
    Reports reports;
    const auto locator = WorkformLocator::ForDirectories(ProgramDirectory(), "");
    EXPECT_EQ(LoadWorkforms(catalog, locator.Candidates(), reports.fn()), 20);
    EXPECT_TRUE(reports.paths.empty());
    ASSERT_EQ(catalog.Count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(catalog.IdAt(i), i);  // sample files are named after their letters
        const std::vector<uint8_t> used = catalog.RecordAt(i).UsedFieldNumbers();
        EXPECT_GT(used.size(), 5u) << catalog.NameAt(i);
        EXPECT_LT(used.size(), 46u) << catalog.NameAt(i);
    }
    EXPECT_EQ(catalog.IdFrom("journal article"), 0);
    EXPECT_EQ(catalog.FieldName(0, 10), "Journal Title");
    EXPECT_EQ(catalog.EffectiveTargetField(9, 0), 10);
}

TEST(WorkformLoader, ProcessCatalogLoadsOnce) {
    ScratchDir tomebase;
    WriteWorkformFile(tomebase / "x.TWF", MakeForm(4, "Process"));
    EXPECT_TRUE(LoadProcessWorkforms(WorkformLocator::ForDirectories("", tomebase.path())));
    EXPECT_EQ(Workforms().NameOf(4), "Process");
    EXPECT_FALSE(LoadProcessWorkforms(WorkformLocator::ForDirectories(ProgramDirectory(), "")));
    EXPECT_EQ(Workforms().Count(), 1);
}

}  // namespace
}  // namespace recaster::workforms
