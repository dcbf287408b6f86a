// File Information: what the page shows, OK writing the comments into the
// store, and a save that fails keeping the sheet open and the object intact.
#include "dialogs/file_info_sheet.h"

#include <gtest/gtest.h>

#include "config/cfg_file.h"
#include "dialogs/error_detail.h"
#include "ui/headless_ui.h"

namespace recaster::dialogs {
namespace {

class FileInfoSheetTest : public ::testing::Test {
  protected:
    void SetUp() override { config::CCfgFile(fs).Create(kPath); }

    std::string StoredComments() {
        config::CCfgFile root(fs);
        root.Open(kPath, store::OpenMode::ReadOnly);
        return root.GetGenlInfo()->comments;
    }

    static constexpr const char* kPath = "/data/configs/Medline \xc3\xa9t\xc3\xa9.cfg";
    store::MemFileSystem fs;
    ui::HeadlessUi ui;
};

TEST_F(FileInfoSheetTest, ShowsNameAndDirectoryAndOkSavesTheComments) {
    {
        config::CCfgFile root(fs);
        root.Open(kPath);
        root.GetGenlInfo()->comments = "old";
        ui.OnSheet(FileInfoGeneralPage::kTemplateId, [](ui::PropertySheet& sheet) {
            ui::Dialog& page = sheet.Page(0);
            EXPECT_EQ(sheet.PageCount(), 1);
            EXPECT_EQ(page.title(), "General");
            // File names are shown as the file system holds them (UTF-8).
            EXPECT_EQ(page.GetText(FileInfoGeneralPage::kFileName),
                      "Medline \xc3\xa9t\xc3\xa9.cfg");
            EXPECT_EQ(page.GetText(FileInfoGeneralPage::kDirectory), "/data/configs");
            EXPECT_EQ(page.GetText(FileInfoGeneralPage::kComments), "old");
            page.SetText(FileInfoGeneralPage::kComments, "new\r\ncomments");
            EXPECT_TRUE(sheet.PressOK());
        });
        FileInfoSheet sheet(*root.GetGenlInfo(), kPath);
        EXPECT_EQ(sheet.DoModal(ui), ui::IDOK);
        EXPECT_EQ(root.GetGenlInfo()->comments, "new\r\ncomments");
        root.Commit();
    }
    EXPECT_EQ(StoredComments(), "new\r\ncomments");
}

TEST_F(FileInfoSheetTest, FailedSaveKeepsTheSheetOpenAndTheObjectAsStored) {
    config::CCfgFile root(fs);
    root.Open(kPath);
    root.store().Close();  // every save fails from now on
    ui.AnswerMessageBox(ui::IDOK, FileInfoGeneralPage::kSaveFailedString);
    ui.OnSheet(FileInfoGeneralPage::kTemplateId, [](ui::PropertySheet& sheet) {
        sheet.Page(0).SetText(FileInfoGeneralPage::kComments, "lost?");
        EXPECT_FALSE(sheet.PressOK());
        EXPECT_FALSE(sheet.IsEnded());
        EXPECT_EQ(sheet.Page(0).Focus(), FileInfoGeneralPage::kComments);
        EXPECT_TRUE(sheet.PressCancel());
    });
    FileInfoSheet sheet(*root.GetGenlInfo(), kPath);
    EXPECT_EQ(sheet.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(root.GetGenlInfo()->comments, "");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text.rfind(
                  "Cannot save /data/configs/Medline \xc3\xa9t\xc3\xa9.cfg.", 0),
              0u);
}

}  // namespace
}  // namespace recaster::dialogs
