// Field Information: what it shows, its checks in order with their messages
// and focus, the options pages and the members two pages share, the separate
// mode and the separator text's escapes, what OK writes (and that opening
// and OK change nothing the user left alone), and that Cancel puts back
// everything, including what the dialogs it opened changed.
#include <gtest/gtest.h>

#include "dialogs/entry_checks.h"
#include "dialogs/field_dialogs_test_util.h"
#include "dialogs/parsed_format_dialog.h"
#include "dialogs/separator_escapes.h"
#include "dialogs/simple_option_pages.h"
#include "dialogs/target_field_dialog.h"
#include "dialogs/target_fields_dialog.h"
#include "dialogs/text_option_pages.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"

namespace recaster::dialogs {
namespace {

using testing::FieldDialogsTest;
using testing::PageControl;
using testing::RecordOf;
using ui::DialogDriver;
using F = FieldInfoDialog;
using N = NormalTextPage;
using M = MultiTextPage;

FieldInfoDialog& Dlg(DialogDriver& d) {
    return d.As<FieldInfoDialog>();
}

TEST(SeparatorEscapesTest, TranslatesBothWaysInOrder) {
    EXPECT_EQ(SeparatorEscapes::Decode("a\\tb\\nc\\rd^te^pf"), "a\tb\nc\rd\te\rf");
    EXPECT_EQ(SeparatorEscapes::Decode("\\x^q\\"), "\\x^q\\");
    // The backslash forms go first: "\^p" keeps its backslash.
    EXPECT_EQ(SeparatorEscapes::Decode("\\^p"), "\\\r");
    EXPECT_EQ(SeparatorEscapes::Encode("\t;\n;\r"), "\\t;\\n;\\r");
    // The caret forms are taken, never shown.
    EXPECT_EQ(SeparatorEscapes::Encode(SeparatorEscapes::Decode("^t^p")), "\\t\\r");
    EXPECT_EQ(SeparatorEscapes::Encode("^p"), "^p");
}

TEST_F(FieldDialogsTest, OpeningShowsTheFieldAndOkKeepsWhatWasNotTouched) {
    db->workform = 8;  // Monograph: field 9 lands on field 10
    db->Save();
    config::CCfgField* field = AddField("TI");
    field->defaultTarget = 8;
    field->caseConversion = config::kCaseDefault;
    field->spaceChar = 0;
    field->separateMode = 2;
    field->separatorText = "\t^p\\r";  // shown "\t^p\r", which reads back otherwise
    field->replaceMatching = 7;
    field->crOptions = 0x21;
    field->crReplacementChar = "~";
    field->crRepresentationChar = "|";
    field->Save();
    const std::vector<uint8_t> record = RecordOf(*field);
    const testing::Records before = config.Snapshot();
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        EXPECT_EQ(dlg.Focus(), F::kTag);
        EXPECT_EQ(dlg.GetText(F::kTarget), "(10) M10");
        EXPECT_EQ(dlg.GetText(F::kType), "Normal Text");
        EXPECT_EQ(dlg.GetText(F::kCaseConversion), "Default");
        EXPECT_EQ(dlg.GetText(F::kSpaceChar), " ");
        EXPECT_EQ(dlg.GetText(F::kSeparatorText), "\\t^p\\r");
        EXPECT_EQ(dlg.Item(F::kSeparatorText).textLimit(), 31u);
        EXPECT_TRUE(dlg.OwnControl(F::kReplaceExisting).checked());
        EXPECT_EQ(dlg.GetText(F::kPageFrame), "Options -- Normal Text");
        // The page sits at the hidden frame's corner, in tab order after 203.
        ui::Control& space = PageControl(dlg, 0, N::kReplaceSpace);
        EXPECT_EQ(space.rect().x, dlg.Item(F::kPageOrigin).rect().x + 6);
        const auto& controls = dlg.controls();
        size_t compress = 0;
        while (controls[compress]->id() != F::kCompressSpaces) ++compress;
        EXPECT_EQ(controls[compress + 2].get(), &space);
        EXPECT_TRUE(PageControl(dlg, 0, N::kReplaceChar).checked());
        EXPECT_EQ(PageControl(dlg, 0, N::kReplaceCharEdit).text(), "~");
        EXPECT_TRUE(PageControl(dlg, 0, N::kRepresentChar).checked());
        EXPECT_TRUE(PageControl(dlg, 0, N::kFind).enabled());
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(RecordOf(*field), record);
    EXPECT_EQ(config.Snapshot(), before);
}

TEST_F(FieldDialogsTest, TopLevelTagChecks) {
    AddField("AU");
    auto field = NewField();
    const testing::Records before = config.Snapshot();
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        ui.AnswerMessageBox(ui::IDOK, F::kMsgEmptyTag);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "A field tag must contain at least one character.");
        EXPECT_EQ(dlg.Focus(), F::kTag);
        d.Type(F::kTag, "au");
        EXPECT_EQ(dlg.GetText(F::kTag), "AU");
        ui.AnswerMessageBox(ui::IDOK, F::kMsgDuplicateField);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "A field with tag 'AU' is already defined in this database.  Choose a "
                  "different tag for this field.");
        EXPECT_EQ(field->tag, "");
        EXPECT_EQ(config.Snapshot(), before);
        dlg.SetText(F::kTag, "ti");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->tag, "TI");
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
}

TEST_F(FieldDialogsTest, SubfieldTagAndTypeChecks) {
    config::CCfgField* parent = AddField("SO", config::kFieldParsedWithSubfields);
    AddField("A", config::kFieldNormalText, parent);
    AddField("OTHER");
    auto sub = NewField(parent);
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        d.Type(F::kTag, "a");
        ui.AnswerMessageBox(ui::IDOK, F::kMsgDuplicateSubfield);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "A subfield with tag 'A' is already defined for this field.  Choose a "
                  "different tag for this subfield.");
        // A top-level field's tag is free for a subfield.
        d.Type(F::kTag, "other");
        d.Select(F::kType, config::kFieldParsedWithSubfields);
        ui.AnswerMessageBox(ui::IDOK, F::kMsgSubfieldType);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "A subfield cannot have field type 'Parsed with Subfields'. Select a "
                  "different field type.");
        EXPECT_EQ(dlg.Focus(), F::kType);
        // A subfield may go without a tag.
        d.Type(F::kTag, "");
        d.Select(F::kType, config::kFieldDate);
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*sub), ui::IDOK);
    EXPECT_EQ(sub->tag, "");
    EXPECT_EQ(sub->type, config::kFieldDate);
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
}

TEST_F(FieldDialogsTest, AFieldWithSubfieldsKeepsItsType) {
    config::CCfgField* owner = AddField("SO", config::kFieldParsedWithSubfields);
    AddField("A", config::kFieldNormalText, owner);
    config::CCfgField* alone = AddField("ZZ", config::kFieldParsedWithSubfields);
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        EXPECT_EQ(dlg.GetText(F::kPageFrame), "Options -- Subfields");
        ui.AnswerMessageBox(ui::IDOK, F::kMsgDeleteSubfieldsFirst);
        d.Select(F::kType, config::kFieldNormalText);
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "Before changing the field type, you must delete the associated Subfields.");
        EXPECT_EQ(dlg.GetCurSel(F::kType), config::kFieldParsedWithSubfields);
        EXPECT_EQ(dlg.shownPage(), dlg.page(config::kFieldParsedWithSubfields));
        EXPECT_EQ(dlg.page(config::kFieldNormalText), nullptr);
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*owner), ui::IDOK);
    EXPECT_EQ(owner->type, config::kFieldParsedWithSubfields);
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        d.Select(F::kType, config::kFieldNormalText);
        EXPECT_EQ(Dlg(d).GetText(F::kPageFrame), "Options -- Normal Text");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*alone), ui::IDOK);
    EXPECT_EQ(alone->type, config::kFieldNormalText);
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
}

TEST_F(FieldDialogsTest, SpaceCharacterRules) {
    config::CCfgField* field = AddField("TI");
    auto run = [&](std::function<void(DialogDriver&)> act) {
        ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
            act(d);
            d.PressEnter();
        });
        EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    };
    // None shows as a space and stays none when left alone.
    run([](DialogDriver& d) { EXPECT_EQ(d.dialog().GetText(F::kSpaceChar), " "); });
    EXPECT_EQ(field->spaceChar, 0);
    run([](DialogDriver& d) { d.Type(F::kSpaceChar, "_"); });
    EXPECT_EQ(field->spaceChar, '_');
    run([](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetText(F::kSpaceChar), "_");
        d.Type(F::kSpaceChar, "");
    });
    EXPECT_EQ(field->spaceChar, 0);
    run([&](DialogDriver& d) {
        d.Type(F::kSpaceChar, "ab");  // typing stops at one character
        EXPECT_EQ(d.dialog().GetText(F::kSpaceChar), "a");
        d.dialog().SetText(F::kSpaceChar, "ab");
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text, "Enter no more than 1 characters.");
        EXPECT_EQ(d.dialog().Focus(), F::kSpaceChar);
        d.Type(F::kSpaceChar, " ");
    });
    EXPECT_EQ(field->spaceChar, ' ');
}

TEST_F(FieldDialogsTest, SeparateModeAndSeparatorText) {
    config::CCfgField* field = AddField("TI");
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        ui::Control& automatic = dlg.OwnControl(F::kAutomatic);
        ui::Control& text = dlg.OwnControl(F::kText);
        ui::Control& replace = dlg.OwnControl(F::kReplaceExisting);
        EXPECT_TRUE(automatic.checked());
        // Typing a separator chooses "Text:".
        d.Type(F::kSeparatorText, "\\t^p");
        EXPECT_TRUE(text.checked());
        EXPECT_FALSE(automatic.checked());
        // The edit between them does not split the choice.
        d.Press(replace);
        EXPECT_TRUE(replace.checked());
        EXPECT_FALSE(text.checked());
        d.Press(automatic);
        EXPECT_FALSE(replace.checked());
        d.Press(replace);
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->separateMode, 2u);
    EXPECT_EQ(field->separatorText, "\t\r");

    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        EXPECT_EQ(dlg.GetText(F::kSeparatorText), "\\t\\r");
        EXPECT_TRUE(dlg.OwnControl(F::kReplaceExisting).checked());
        // 31 characters once translated, however many were typed.
        dlg.SetText(F::kSeparatorText, std::string(32, ';'));
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text, "Enter no more than 31 characters.");
        EXPECT_EQ(dlg.Focus(), F::kSeparatorText);
        dlg.SetText(F::kSeparatorText, "\\n" + std::string(30, ';'));
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->separateMode, 2u);  // set by code: no choice of the user's
    EXPECT_EQ(field->separatorText, "\n" + std::string(30, ';'));
}

TEST_F(FieldDialogsTest, TextPagesShareFindAndReplace) {
    auto field = NewField();
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        d.Type(F::kTag, "AB");
        ui::Control& matching = PageControl(dlg, 0, N::kReplaceMatching);
        ui::Control& find = PageControl(dlg, 0, N::kFind);
        EXPECT_FALSE(find.enabled());
        d.Press(matching);
        EXPECT_TRUE(find.enabled());
        d.Type(find, "colour");
        d.Type(PageControl(dlg, 0, N::kReplace), "color");
        // A CR choice's edit opens with its radio button and takes the focus.
        ui::Control& crChar = PageControl(dlg, 0, N::kReplaceCharEdit);
        EXPECT_FALSE(crChar.enabled());
        d.Press(PageControl(dlg, 0, N::kReplaceChar));
        EXPECT_TRUE(crChar.enabled());
        EXPECT_EQ(dlg.FocusedControl(), &crChar);
        d.Press(PageControl(dlg, 0, N::kReplaceNewLine));

        d.Select(F::kType, config::kFieldMultiText);
        EXPECT_EQ(dlg.GetText(F::kPageFrame), "Options -- Multi-Text");
        EXPECT_FALSE(find.visible());
        ui::Control& multiMatching = PageControl(dlg, 1, M::kReplaceMatching);
        ui::Control& multiFind = PageControl(dlg, 1, M::kFind);
        EXPECT_TRUE(multiMatching.checked());
        EXPECT_EQ(multiFind.text(), "colour");
        EXPECT_EQ(PageControl(dlg, 1, M::kReplace).text(), "color");
        // Either check box switches the edits of both pages.
        d.Press(multiMatching);
        EXPECT_FALSE(find.enabled());
        d.Press(multiMatching);
        EXPECT_TRUE(find.enabled());
        d.Type(multiFind, "grey");

        d.Select(F::kType, config::kFieldNormalText);
        EXPECT_TRUE(find.visible());
        EXPECT_FALSE(multiFind.visible());
        EXPECT_EQ(find.text(), "grey");
        EXPECT_TRUE(PageControl(dlg, 0, N::kReplaceNewLine).checked());
        d.Select(F::kType, config::kFieldMultiText);
        d.Type(multiFind, "gray");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->type, config::kFieldMultiText);
    EXPECT_EQ(field->replaceMatching, 1u);
    // Typed last on the page shown last, though the other page saves later.
    EXPECT_EQ(field->findText, "gray");
    EXPECT_EQ(field->replaceText, "color");
    EXPECT_EQ(field->crOptions, 0x10);
}

TEST_F(FieldDialogsTest, EachPageWritesItsValuesAndTheFinalTypeKeepsItsSeparator) {
    auto field = NewField();
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        d.Type(F::kTag, "DT");
        d.Press(PageControl(dlg, 0, N::kRepresentChar));
        d.Type(PageControl(dlg, 0, N::kRepresentCharEdit), "|");
        d.Select(F::kType, config::kFieldMultiText);
        d.Type(PageControl(dlg, 1, M::kSeparator), ";");
        d.Select(F::kType, config::kFieldDocumentType);
        ui::Control& typeSeparator = PageControl(dlg, 5, DocumentTypePage::kSeparator);
        EXPECT_EQ(typeSeparator.text(), "");  // the field's, not the other page's
        d.Type(typeSeparator, "/");
        d.Select(F::kType, config::kFieldParsedWithSubfields);
        d.Type(PageControl(dlg, 4, SubfieldsPage::kPrecededBy), "$");
        d.Type(PageControl(dlg, 4, SubfieldsPage::kFollowedBy), " ");
        d.Select(F::kType, config::kFieldAuthor);
        d.Press(PageControl(dlg, 7, AuthorPage::kCorporate));
        // Types without options show no page and no frame.
        d.Select(F::kType, config::kFieldLiteralStream);
        EXPECT_EQ(dlg.shownPage(), nullptr);
        EXPECT_FALSE(dlg.IsShown(F::kPageFrame));
        for (int type : {0, 1, 4, 5, 7}) {
            for (ui::Control* c : dlg.page(type)->controls()) EXPECT_FALSE(c->visible());
        }
        d.Select(F::kType, config::kFieldMultiText);
        EXPECT_EQ(PageControl(dlg, 1, M::kSeparator).text(), ";");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->type, config::kFieldMultiText);
    EXPECT_EQ(field->separator, ";");
    EXPECT_EQ(field->crOptions, 0x01);
    EXPECT_EQ(field->crRepresentationChar, "|");
    EXPECT_EQ(field->subfieldPrecededBy, "$");
    EXPECT_EQ(field->subfieldFollowedBy, " ");
    EXPECT_TRUE(field->corporateAuthor);

    // A Multi Text field turned Document Type: the page made now shows the
    // stored separator, and what is typed there is kept.
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        d.Select(F::kType, config::kFieldDocumentType);
        ui::Control& typeSeparator = PageControl(Dlg(d), 5, DocumentTypePage::kSeparator);
        EXPECT_EQ(typeSeparator.text(), ";");
        d.Type(typeSeparator, "/");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDOK);
    EXPECT_EQ(field->type, config::kFieldDocumentType);
    EXPECT_EQ(field->separator, "/");
}

TEST_F(FieldDialogsTest, CancelPutsBackEverythingTheDialogAndItsDialogsChanged) {
    config::CCfgField* field = AddField("SO", config::kFieldParsed);
    field->defaultTarget = 3;
    field->findText = "old";
    field->parseFormats.Set("", config::CCfgParseFormat());
    field->Save();
    const std::vector<uint8_t> record = RecordOf(*field);
    const testing::Records before = config.Snapshot();
    ui.OnDialog(TargetFieldDialog::kTemplateId, [](DialogDriver& d) {
        d.SelectData(TargetFieldDialog::kTarget, 20);  // field 21
        d.PressEnter();
    });
    ui.OnDialog(TargetFieldsDialog::kTemplateId, [&](DialogDriver& d) {
        // The default target chosen a moment ago is in force already.
        ui::HeadlessCanvas canvas;
        d.DrawRows(ListEditDialog::kList, canvas, 480);
        EXPECT_EQ(canvas.Texts()[1].text, "(12) F12");
        d.KeyDown(ListEditDialog::kList, {ui::Key::Enter});
        d.PressEnter();
    });
    int formatRuns = 0;
    ui.OnDialog(ParsedFormatDialog::kTemplateId, [&](DialogDriver& d) {
        EXPECT_EQ(d.dialog().title(), "Parsed Field Format for 'NEW'");
        d.SelectData(ParsedFormatDialog::kComponent, 7);
        if (++formatRuns == 1) {
            d.PressEscape();
        } else {
            d.PressEnter();
        }
    });
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        FieldInfoDialog& dlg = Dlg(d);
        d.Type(F::kTag, "new");
        d.Type(F::kDescription, "changed");
        d.SelectData(F::kTarget, 11);
        EXPECT_EQ(field->defaultTarget, 11);
        ui::Control& edit = PageControl(dlg, config::kFieldParsed, 1000);
        d.Press(edit);
        EXPECT_EQ(field->parseFormats.Find("")->rows[0].component, config::kRowNotUsed);
        d.Press(edit);
        EXPECT_EQ(field->parseFormats.Find("")->rows[0].component, 7);
        d.Press(F::kTargetFields);
        EXPECT_EQ(field->AlternateTarget(3), 20);  // "book", the first row
        // Leaving a page saves its values into the field.
        d.Select(F::kType, config::kFieldNormalText);
        d.Press(PageControl(dlg, 0, N::kReplaceMatching));
        d.Type(PageControl(dlg, 0, N::kFind), "new");
        d.Select(F::kType, config::kFieldDate);
        EXPECT_EQ(field->findText, "new");
        d.PressEscape();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDCANCEL);
    EXPECT_EQ(formatRuns, 2);
    EXPECT_EQ(RecordOf(*field), record);
    EXPECT_EQ(config.Snapshot(), before);
}

TEST_F(FieldDialogsTest, OkStoresTheFieldAndMovesItWithItsSubfields) {
    AddField("AU");
    config::CCfgField* source = AddField("SO", config::kFieldParsedWithSubfields);
    AddField("A", config::kFieldNormalText, source);
    AddField("B", config::kFieldNormalText, source);
    AddField("TI");
    ui.OnDialog(F::kTemplateId, [](DialogDriver& d) {
        d.Type(F::kTag, "xy");
        d.Type(F::kDescription, "Source");
        d.Select(F::kCaseConversion, 5);
        d.Press(F::kCompressSpaces);
        d.Type(F::kBeginsWith, "<");
        d.Type(F::kEndsWith, ">");
        d.PressEnter();
    });
    EXPECT_EQ(RunFieldDialog(*source), ui::IDOK);
    config.Reopen();
    config::CCfgFieldList* fields = config.Database(2)->GetFieldList();
    std::vector<std::string> tags;
    for (int p = 1; p <= fields->GetCount(); ++p) tags.push_back(fields->Field(p)->tag);
    EXPECT_EQ(tags, (std::vector<std::string>{"AU", "TI", "XY", "A", "B"}));
    const config::CCfgField& stored = *fields->Field(3);
    EXPECT_EQ(stored.description, "Source");
    EXPECT_EQ(stored.caseConversion, config::kCaseSentence);
    EXPECT_TRUE(stored.compressSpaces);
    EXPECT_EQ(stored.beginsWith, "<");
    EXPECT_EQ(stored.endsWith, ">");
    EXPECT_EQ(fields->Field(4)->parentId, stored.GetId());
}

}  // namespace
}  // namespace recaster::dialogs
