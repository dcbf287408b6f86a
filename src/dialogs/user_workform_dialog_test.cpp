// User Defined Workform Selection: its texts, the focus, the first
// selection (the suggested workform, else the first by name), and what OK,
// Enter and Escape give.
#include "dialogs/user_workform_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/dialogs_test_util.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"

namespace recaster::dialogs {
namespace {

using D = UserWorkformDialog;
using ui::DialogDriver;

class UserWorkformDialogTest : public ::testing::Test {
  protected:
    UserWorkformDialogTest() { testing::FillCatalog(catalog); }

    workforms::WorkformCatalog catalog;  // A "Journal Article", C "Medline", D "book"
    ui::HeadlessUi ui;
};

TEST_F(UserWorkformDialogTest, ShowsTheLetterAndOffersTheSuggestedWorkform) {
    D dialog(21, 2, catalog);
    ui.OnDialog(D::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.title(), "User Defined Workform Selection");
        EXPECT_EQ(dlg.GetText(D::kMessage), "Please select the new workform you want to use.");
        EXPECT_EQ(dlg.GetText(D::kLetter), "V");
        EXPECT_EQ(dlg.Focus(), D::kWorkform) << "the list is the first tab stop";
        EXPECT_EQ(dlg.GetCount(D::kWorkform), 3);
        EXPECT_EQ(dlg.GetText(D::kWorkform), "Medline");
        // The user picks another one with the keyboard and presses Enter.
        ASSERT_TRUE(d.SelectData(D::kWorkform, 3));
        EXPECT_TRUE(d.PressEnter());
    });
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(dialog.chosen(), 3);
}

TEST_F(UserWorkformDialogTest, WithoutTheSuggestionTheFirstByNameIsOfferedAndEscapeCancels) {
    D dialog(20, 24, catalog);
    ui.OnDialog(D::kTemplateId, [&](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetText(D::kLetter), "U");
        EXPECT_EQ(d.dialog().GetText(D::kWorkform), "book");
        d.PressEscape();
    });
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);

    ui.OnDialog(D::kTemplateId, [&](DialogDriver& d) { d.Press(ui::IDOK); });
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(dialog.chosen(), 3);

    // No workforms at all: OK gives the default workform.
    workforms::WorkformCatalog none;
    D empty(25, 24, none);
    EXPECT_EQ(empty.DoModal(ui), ui::IDOK);
    EXPECT_EQ(empty.chosen(), workforms::kNoWorkform);
}

}  // namespace
}  // namespace recaster::dialogs
