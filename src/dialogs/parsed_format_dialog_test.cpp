// The parsed field format editor: what it offers per document type, loading
// and storing formats (values it cannot show included), the enabling rules,
// the example, and the too-long refusal that keeps the document type.
#include <gtest/gtest.h>

#include "config/doc_type.h"
#include "dialogs/entry_checks.h"
#include "dialogs/field_dialogs_test_util.h"
#include "dialogs/parsed_format_dialog.h"
#include "ui/dialog_driver.h"

namespace recaster::dialogs {
namespace {

using testing::FieldDialogsTest;
using ui::DialogDriver;
using P = ParsedFormatDialog;

class ParsedFormatTest : public FieldDialogsTest {
  protected:
    ParsedFormatTest() {
        field = AddField("SO", config::kFieldParsed);
        AddDocType("Book", 8);     // Monograph: fields 1..8 and 10
        AddDocType("Article", 0);  // Journal Article: all fields
    }
    void AddDocType(const std::string& name, uint16_t workform) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = name;
        type->workform = workform;
        db->GetDocTypeList()->Add(std::move(type));
    }
    int Run(ParseFormatSet& formats) {
        ParsedFormatDialog dialog(*field, formats, catalog);
        return dialog.DoModal(ui);
    }
    static std::vector<int> RowControls() {
        std::vector<int> ids = {P::kPrecededByCaption, P::kComponentCaption, P::kFollowedByCaption,
                                P::kExampleCaption};
        for (int r = 0; r < P::kRows; ++r) {
            for (int column : {P::kPrecededBy, P::kComponent, P::kFollowedBy, P::kOptional})
                ids.push_back(column + r);
        }
        return ids;
    }
    static void ExpectRowsEnabled(ui::Dialog& dlg, bool on) {
        for (int id : RowControls()) EXPECT_EQ(dlg.IsEnabled(id), on) << id;
    }

    config::CCfgField* field = nullptr;
};

TEST_F(ParsedFormatTest, OpeningAndOkStoresANewDefaultFormat) {
    ParseFormatSet formats;
    ui.OnDialog(P::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.title(), "Parsed Field Format for 'SO'");
        EXPECT_EQ(dlg.Focus(), P::kDocumentType);
        ASSERT_EQ(dlg.GetCount(P::kDocumentType), 3);
        EXPECT_EQ(dlg.GetText(P::kDocumentType), "* Default");
        EXPECT_EQ(dlg.GetItemText(P::kDocumentType, 1), "Article");
        EXPECT_EQ(dlg.GetText(P::kWorkform), "Medline");
        // "* Default": the check box is off limits, the rows are open
        // whatever it says.
        EXPECT_FALSE(dlg.IsEnabled(P::kUseDefault));
        EXPECT_TRUE(dlg.IsChecked(P::kUseDefault));
        ExpectRowsEnabled(dlg, true);
        ASSERT_EQ(dlg.GetCount(P::kComponent), 47);
        EXPECT_EQ(dlg.GetItemText(P::kComponent, 1), "* Do Not Transfer");
        EXPECT_EQ(dlg.GetItemText(P::kComponent, 2), "(01) F1");
        for (int r = 0; r < P::kRows; ++r) EXPECT_EQ(dlg.GetText(P::kComponent + r), "< None >");
        EXPECT_EQ(dlg.GetText(P::kExample), "");
        d.PressEnter();
    });
    EXPECT_EQ(Run(formats), ui::IDOK);
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(*formats.Find(""), config::CCfgParseFormat());
}

TEST_F(ParsedFormatTest, SwitchingStoresLoadsAndEnablesPerDocumentType) {
    ParseFormatSet formats;
    config::CCfgParseFormat book;
    book.useDefault = 0;
    book.rows[0].component = 9;  // Monograph does not use field 9
    book.rows[1].component = 0;  // no target, as older files have it
    book.rows[2].component = 10;
    book.rows[2].SetPrecededBy("v. ");
    book.rows[2].SetFollowedBy(", ");
    book.rows[2].optional = 1;
    book.rows[3].followedBy = {'a', 'b', 0, 'z', 'z'};  // bytes after the end stay
    formats.Set("Book", book);
    ui.OnDialog(P::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        ASSERT_TRUE(d.Select(P::kDocumentType, 2));
        EXPECT_EQ(dlg.GetText(P::kWorkform), "Monograph");
        EXPECT_EQ(dlg.GetCount(P::kComponent), 11);  // none, do not transfer, 9 fields
        EXPECT_EQ(dlg.GetText(P::kComponent + 0), "* Do Not Transfer");
        EXPECT_EQ(dlg.GetText(P::kComponent + 1), "* Do Not Transfer");
        EXPECT_EQ(dlg.GetText(P::kComponent + 2), "(10) M10");
        EXPECT_EQ(dlg.GetText(P::kPrecededBy + 2), "v. ");
        EXPECT_EQ(dlg.GetText(P::kFollowedBy + 2), ", ");
        EXPECT_TRUE(dlg.IsChecked(P::kOptional + 2));
        EXPECT_EQ(dlg.GetText(P::kFollowedBy + 3), "ab");
        EXPECT_TRUE(dlg.IsEnabled(P::kUseDefault));
        EXPECT_FALSE(dlg.IsChecked(P::kUseDefault));
        ExpectRowsEnabled(dlg, true);
        d.Press(P::kUseDefault);
        ExpectRowsEnabled(dlg, false);
        d.Press(P::kUseDefault);
        ExpectRowsEnabled(dlg, true);
        // A type without a format gets a new one: use default on, rows shut.
        d.Select(P::kDocumentType, 1);
        EXPECT_EQ(dlg.GetText(P::kWorkform), "Journal Article");
        EXPECT_TRUE(dlg.IsChecked(P::kUseDefault));
        ExpectRowsEnabled(dlg, false);
        EXPECT_EQ(dlg.GetCount(P::kComponent + 6), 47);
        d.PressEnter();
    });
    EXPECT_EQ(Run(formats), ui::IDOK);
    // Every format shown is stored: the default, Book and Article.
    EXPECT_EQ(formats.size(), 3u);
    EXPECT_EQ(*formats.Find(""), config::CCfgParseFormat());
    EXPECT_EQ(*formats.Find("Article"), config::CCfgParseFormat());
    const config::CCfgParseFormat& stored = *formats.Find("Book");
    EXPECT_EQ(stored.useDefault, 0u);
    EXPECT_EQ(stored.rows[0].component, config::kNoTarget);
    EXPECT_EQ(stored.rows[1].component, config::kNoTarget);
    EXPECT_EQ(stored.rows[2], book.rows[2]);
    EXPECT_EQ(stored.rows[3], book.rows[3]);
}

TEST_F(ParsedFormatTest, TheExampleFollowsEveryChange) {
    ParseFormatSet formats;
    ui.OnDialog(P::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        d.SelectData(P::kComponent + 0, 4);
        EXPECT_EQ(dlg.GetText(P::kExample), "<(04) F4>");
        d.Type(P::kFollowedBy + 0, ". \\r");
        EXPECT_EQ(dlg.GetText(P::kExample), "<(04) F4>. \r\n");
        // A row without a component shows nothing, not even its texts.
        d.Type(P::kPrecededBy + 1, "x");
        d.Type(P::kFollowedBy + 1, "y");
        d.Type(P::kPrecededBy + 2, "Vol ");
        d.SelectData(P::kComponent + 2, config::kNoTarget);
        // Only the first "\r" is a line break.
        d.Type(P::kFollowedBy + 2, "\\r;\\r");
        EXPECT_EQ(dlg.GetText(P::kExample), "<(04) F4>. \r\nVol <* Do Not Transfer>\r\n;\\r");
        d.Press(P::kOptional + 2);
        EXPECT_EQ(dlg.GetText(P::kExample), "<(04) F4>. \r\nVol <* Do Not Transfer>\r\n;\\r");
        d.PressEscape();
    });
    EXPECT_EQ(Run(formats), ui::IDCANCEL);
    EXPECT_TRUE(formats.empty());
}

TEST_F(ParsedFormatTest, ATextTooLongKeepsTheDocumentTypeAndTheDialog) {
    ParseFormatSet formats;
    ui.OnDialog(P::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        dlg.SetText(P::kFollowedBy + 3, std::string(36, 'x'));  // past the typing limit
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.Select(P::kDocumentType, 2);
        EXPECT_EQ(ui.messageBoxes().back().text, "Enter no more than 35 characters.");
        EXPECT_EQ(dlg.GetCurSel(P::kDocumentType), 0);
        EXPECT_EQ(dlg.GetText(P::kWorkform), "Medline");
        EXPECT_EQ(dlg.Focus(), P::kFollowedBy + 3);
        EXPECT_TRUE(formats.empty());
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_FALSE(dlg.IsEnded());
        d.Type(P::kFollowedBy + 3, std::string(36, 'y'));  // typing stops at 35
        EXPECT_EQ(dlg.GetText(P::kFollowedBy + 3), std::string(35, 'y'));
        d.Select(P::kDocumentType, 2);
        EXPECT_EQ(dlg.GetText(P::kWorkform), "Monograph");
        d.PressEnter();
    });
    EXPECT_EQ(Run(formats), ui::IDOK);
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(formats.Find("")->rows[3].FollowedBy(), std::string(35, 'y'));
    EXPECT_NE(formats.Find("Book"), nullptr);
}

TEST_F(ParsedFormatTest, AFieldInNoListOffersOnlyTheDefaultFormat) {
    config::CCfgField loose;
    ParseFormatSet formats;
    ui.OnDialog(P::kTemplateId, [&](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetCount(P::kDocumentType), 1);
        EXPECT_EQ(d.dialog().GetText(P::kWorkform), "<Default>");
        d.PressEnter();
    });
    ParsedFormatDialog dialog(loose, formats, catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
}

}  // namespace
}  // namespace recaster::dialogs
