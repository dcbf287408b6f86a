// Copy, cut and paste through the window layer's clipboard: databases into
// the same file (a name clash, the database dialog) and into another;
// fields and field sets with their parent links under new ids; where a
// pasted single field lands; the text beside the data; Cut closing a
// database's field window; damaged data refused with nothing added.
#include <gtest/gtest.h>

#include "config/clipboard_forms.h"
#include "config/field.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"
#include "views/db_list_commands.h"
#include "views/db_list_frame.h"
#include "views/field_list_frame.h"
#include "views/views_test_host.h"
#include "views/views_test_util.h"

namespace recaster::views {
namespace {

using config::CCfgField;

// A document with its database list window, on a shared headless Ui.
struct OpenDocument {
    explicit OpenDocument(const workforms::WorkformCatalog& catalog) {
        frame = std::make_unique<CDBListFrame>(document, catalog);
        frame->view().SetFrameHost(&host);
        frame->OnInitialUpdate(canvas, {6, 13}, 0);
    }
    CDBListView& view() { return frame->view(); }
    config::CCfgDBList& list() { return *document.Root().GetDBList(); }
    void SelectDatabase(const std::string& name) {
        for (int p = 1; p <= list().GetCount(); ++p)
            if (list().Database(p)->name == name) view().Select(p - 1);
    }
    CFldListView& Fields(const std::string& name) {
        SelectDatabase(name);
        view().Execute(kCmdModify);
        return view().FieldWindowOf(*view().SelectedDatabase())->view();
    }

    testing::FakeDocument document;
    ui::HeadlessCanvas canvas;
    testing::FakeHost host;
    std::unique_ptr<CDBListFrame> frame;
};

CCfgField* AddField(config::CCfgFieldList& list, const std::string& tag, uint16_t type,
                    CCfgField* parent = nullptr) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->type = type;
    f->description = "about " + tag;
    if (parent != nullptr) {
        f->parent = parent;
        f->parentId = parent->GetId();
    }
    CCfgField* raw = f.get();
    list.Add(std::move(f));
    return raw;
}

std::vector<std::string> Tags(const config::CCfgFieldList& list) {
    std::vector<std::string> out;
    for (int p = 1; p <= list.GetCount(); ++p)
        out.push_back((list.Field(p)->IsSubfield() ? "  " : "") + list.Field(p)->tag);
    return out;
}

class ClipboardTest : public ::testing::Test {
  protected:
    ClipboardTest() { testing::FillCatalog(catalog); }

    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current{ui};
    workforms::WorkformCatalog catalog;
};

TEST_F(ClipboardTest, ADatabaseGoesWithItsFieldsAndATextBesideIt) {
    OpenDocument source(catalog);
    config::CCfgDatabase* medline = source.document.AddDatabase("MEDLINE", "Medicine", 2);
    config::CCfgFieldList& fields = *medline->GetFieldList();
    CCfgField* so = AddField(fields, "SO", config::kFieldParsedWithSubfields);
    AddField(fields, "VO", config::kFieldNormalText, so);
    AddField(fields, "AU", config::kFieldAuthor);
    source.view().OnInitialUpdate(source.canvas);
    source.SelectDatabase("MEDLINE");
    EXPECT_FALSE(source.view().IsEnabled(kCmdPaste));
    ASSERT_TRUE(source.view().Execute(kCmdCopy));
    EXPECT_EQ(ui.clipboard().text, "Recaster II Database: 'MEDLINE'");
    EXPECT_TRUE(source.view().IsEnabled(kCmdPaste));
    const std::string& bytes = ui.clipboard().formats.at("CCfgDB");
    // The object's class comes first: new class, schema 0, "CCfgDatabase".
    EXPECT_EQ(bytes.substr(0, 18), std::string("\xff\xff\x00\x00\x0c\x00"
                                               "CCfgDatabase",
                                               18));

    // Into another file: no clash, stored under new ids, subfields kept.
    OpenDocument target(catalog);
    target.view().Execute(kCmdPaste);
    ASSERT_EQ(target.list().GetCount(), 2);
    config::CCfgDatabase* pasted = target.list().Database(2);
    EXPECT_EQ(pasted->name, "MEDLINE");
    EXPECT_EQ(target.view().SelectedIndex(), 1);
    EXPECT_TRUE(target.document.IsModified());
    EXPECT_EQ(target.frame->header().GetText(ListFrame::kCountLine),
              "2 databases have been defined");
    EXPECT_EQ(Tags(*pasted->GetFieldList()), (std::vector<std::string>{"AU", "SO", "  VO"}));
    EXPECT_EQ(pasted->GetFieldList()->Field(3)->parentId,
              pasted->GetFieldList()->Field(2)->GetId());
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(ClipboardTest, PastingIntoTheSameFileAsksForAnotherName) {
    OpenDocument doc(catalog);
    doc.document.AddDatabase("MEDLINE", "Medicine", 2);
    doc.view().OnInitialUpdate(doc.canvas);
    doc.SelectDatabase("MEDLINE");
    doc.view().Execute(kCmdCopy);
    // Cancel in the dialog: nothing added.
    ui.AnswerMessageBox(ui::IDOK, dialogs::DatabaseInfoDialog::kMsgDuplicateName);
    ui.OnDialog(dialogs::DatabaseInfoDialog::kTemplateId,
                [](ui::DialogDriver& driver) { driver.PressEscape(); });
    doc.view().Execute(kCmdPaste);
    EXPECT_EQ(ui.messageBoxes().back().text,
              "A database named 'MEDLINE' is already defined in this configuration file.  "
              "Choose a different name for this database.");
    EXPECT_EQ(doc.list().GetCount(), 2);
    EXPECT_FALSE(doc.document.IsModified());
    // A new name: added beside the original.
    ui.AnswerMessageBox(ui::IDOK, dialogs::DatabaseInfoDialog::kMsgDuplicateName);
    ui.OnDialog(dialogs::DatabaseInfoDialog::kTemplateId, [](ui::DialogDriver& driver) {
        driver.Type(dialogs::DatabaseInfoDialog::kName, "medline copy");
        driver.PressEnter();
    });
    doc.view().Execute(kCmdPaste);
    ASSERT_EQ(doc.list().GetCount(), 3);
    EXPECT_EQ(doc.view().SelectedDatabase()->name, "MEDLINE COPY");
    EXPECT_EQ(doc.view().SelectedDatabase()->description, "Medicine");
}

TEST_F(ClipboardTest, CutClosesTheDatabasesWindowAndNeverTakesTheDefault) {
    OpenDocument doc(catalog);
    config::CCfgDatabase* medline = doc.document.AddDatabase("MEDLINE");
    doc.view().OnInitialUpdate(doc.canvas);
    doc.Fields("MEDLINE");
    ListFrame* window = doc.view().FieldWindowOf(*medline);
    doc.SelectDatabase("MEDLINE");
    ASSERT_TRUE(doc.view().Execute(kCmdCut));
    EXPECT_EQ(doc.host.closed, (std::vector<ListFrame*>{window}));
    EXPECT_EQ(doc.list().GetCount(), 1);
    EXPECT_TRUE(ui.clipboard().formats.count("CCfgDB"));
    EXPECT_FALSE(doc.view().IsEnabled(kCmdCut));  // nothing selected now
    doc.view().Select(0);
    EXPECT_FALSE(doc.view().IsEnabled(kCmdCut));
    // A copy that cannot reach the clipboard is told in the status line,
    // and Cut then deletes nothing.
    doc.view().Execute(kCmdPaste);  // MEDLINE again
    doc.SelectDatabase("MEDLINE");
    ui.SetClipboardUnavailable(true);
    doc.view().Execute(kCmdCut);
    EXPECT_EQ(doc.list().GetCount(), 2);
    ASSERT_EQ(ui.statusMessages().size(), 1u);
    EXPECT_EQ(ui.statusMessages()[0].rfind("Copying failed", 0), 0u);
}

TEST_F(ClipboardTest, FieldsLandUnderTheSelectionAndFieldSetsKeepTheirSubfields) {
    OpenDocument doc(catalog);
    // The field dialog, for a clash: renames to the next scripted tag, or
    // cancels when there is none.
    std::vector<std::string> renames;
    doc.view().SetFieldEditor([&](CCfgField& field, config::CCfgFieldList&) {
        if (renames.empty()) return false;
        field.tag = renames.front();
        renames.erase(renames.begin());
        return true;
    });
    config::CCfgDatabase* db = doc.document.AddDatabase("MEDLINE");
    config::CCfgDatabase* other = doc.document.AddDatabase("INSPEC");
    config::CCfgFieldList& fields = *db->GetFieldList();
    CCfgField* so = AddField(fields, "SO", config::kFieldParsedWithSubfields);
    AddField(fields, "PG", config::kFieldNormalText, so);
    AddField(fields, "VO", config::kFieldNormalText, so);
    AddField(fields, "TI", config::kFieldNormalText);
    doc.view().OnInitialUpdate(doc.canvas);
    CFldListView& view = doc.Fields("MEDLINE");
    config::CCfgFieldList& list = view.fieldList();

    // A single field pasted while SO is selected becomes its subfield,
    // right after it in tag order.
    view.Select(list.IndexOf(list.FindTopLevel("TI", 2)));
    ASSERT_TRUE(view.Execute(kCmdCopy));
    EXPECT_EQ(ui.clipboard().text, "Recaster II Field: 'TI'");
    EXPECT_TRUE(ui.clipboard().formats.count("CCfgField"));
    view.Select(list.IndexOf(so));
    ASSERT_TRUE(view.Execute(kCmdPaste));
    EXPECT_EQ(Tags(list), (std::vector<std::string>{"SO", "  PG", "  TI", "  VO", "TI"}));
    EXPECT_EQ(view.SelectedField()->Parent(), so);
    EXPECT_EQ(view.SelectedField()->description, "about TI");

    // With a subfield selected it becomes a sibling; its tag clashes there,
    // and the field dialog gives it another.
    view.Select(1);  // PG
    ui.AnswerMessageBox(ui::IDOK, 4142);
    renames = {"TX"};
    view.Execute(kCmdPaste);
    EXPECT_EQ(ui.messageBoxes().back().text,
              "A subfield with tag 'TI' is already defined for this field.  Choose a different "
              "tag for this subfield.");
    EXPECT_EQ(Tags(list), (std::vector<std::string>{"SO", "  PG", "  TI", "  TX", "  VO", "TI"}));

    // SO owns subfields: it goes as a field set.
    view.Select(0);
    ASSERT_TRUE(view.Execute(kCmdCopy));
    EXPECT_EQ(ui.clipboard().text, "Recaster II Field Set: 'SO'");
    EXPECT_TRUE(ui.clipboard().formats.count("CCfgFldLst"));
    CFldListView& inspec = doc.Fields("INSPEC");
    ASSERT_TRUE(inspec.Execute(kCmdPaste));
    config::CCfgFieldList& pasted = inspec.fieldList();
    EXPECT_EQ(Tags(pasted), (std::vector<std::string>{"SO", "  PG", "  TI", "  TX", "  VO"}));
    for (int p = 2; p <= 5; ++p) {
        EXPECT_EQ(pasted.Field(p)->parentId, pasted.Field(1)->GetId());
        EXPECT_NE(pasted.Field(p)->GetId(), list.Field(p)->GetId());
    }
    EXPECT_EQ(inspec.SelectedIndex(), 0);
    EXPECT_EQ(other->GetFieldList(), &pasted);

    // Again into INSPEC: the first field clashes; Cancel drops the whole set.
    ui.AnswerMessageBox(ui::IDOK, 4141);
    inspec.Execute(kCmdPaste);
    EXPECT_EQ(pasted.GetCount(), 5);

    // Cut of a field with subfields takes them all, without a question.
    inspec.Select(0);
    const size_t boxes = ui.messageBoxes().size();
    ASSERT_TRUE(inspec.Execute(kCmdCut));
    EXPECT_EQ(pasted.GetCount(), 0);
    EXPECT_EQ(ui.messageBoxes().size(), boxes);
}

TEST_F(ClipboardTest, DataThatIsNoUsableObjectIsRefusedAndNothingIsAdded) {
    OpenDocument doc(catalog);
    config::CCfgDatabase* db = doc.document.AddDatabase("MEDLINE");
    AddField(*db->GetFieldList(), "TI", config::kFieldNormalText);
    doc.view().OnInitialUpdate(doc.canvas);
    doc.SelectDatabase("MEDLINE");
    doc.view().Execute(kCmdCopy);
    const std::string good = ui.clipboard().formats.at("CCfgDB");
    const uint32_t records = doc.document.Root().store().RecordCount();
    // Cut short, a field's bytes under the database's name, rubbish.
    for (const std::string& bad :
         {good.substr(0, good.size() / 2), std::string("\xff\xff", 2), std::string(40, '\x7f')}) {
        ui.SetClipboard(ui::ClipboardData{{{"CCfgDB", bad}}, std::nullopt});
        ui.AnswerMessageBox(ui::IDOK, kMsgUnusableDatabase);
        doc.view().Execute(kCmdPaste);
        EXPECT_EQ(doc.list().GetCount(), 2);
        EXPECT_EQ(doc.document.Root().store().RecordCount(), records);
    }
    EXPECT_EQ(ui.messageBoxes().back().text.rfind(
                  "The clipboard does not hold a database this program can use.", 0),
              0u);
    CFldListView& fields = doc.Fields("MEDLINE");
    ui.SetClipboard(ui::ClipboardData{{{"CCfgFldLst", good}}, std::nullopt});
    ui.AnswerMessageBox(ui::IDOK, kMsgUnusableField);
    fields.Execute(kCmdPaste);
    EXPECT_EQ(fields.fieldList().GetCount(), 1);
}

}  // namespace
}  // namespace recaster::views
