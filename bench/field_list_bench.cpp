// field_list_bench [ROUNDS]
//
// Times the field list window on a large database: a configuration file is
// built in a temporary folder with database "BIG" of 2000 fields, ten of
// them "Parsed with Subfields" with 20 subfields each, every field with
// alternate targets in four workforms and the parsed formats of five
// document types. Each round then, headlessly through the program's own
// code (the window layer without a toolkit):
//   - opens the configuration and loads the database list;
//   - opens BIG's field list window (loads the fields, fills the rows,
//     computes the columns);
//   - adds one field through the field information dialog with OK;
//   - opens the field dialog on a field and closes it with OK;
//   - deletes one field with its 20 subfields;
// and prints the median and fastest time of each step over ROUNDS rounds
// (default 15). Workforms come from Forms/ beside the program.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cfg_document.h"
#include "cli/command.h"
#include "cli/process_workforms.h"
#include "config/cfg_file.h"
#include "config/doc_type.h"
#include "config/lists.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/field_info_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"
#include "views/db_list_frame.h"
#include "views/field_list_frame.h"
#include "views/frame_host.h"

namespace recaster::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFields = 2000;
constexpr int kParents = 10;  // the first ten fields
constexpr int kSubfieldsEach = 20;
constexpr int kDocTypes = 5;
constexpr uint16_t kAlternateWorkforms[] = {0, 2, 5, 8};

std::string Tag(int i) {
    char tag[8];
    std::snprintf(tag, sizeof tag, "F%04d", i);
    return tag;
}

void BuildLargeConfig(const std::string& path) {
    config::CCfgFile root;
    root.Create(path);
    root.Open(path, store::OpenMode::ReadWrite);
    auto owned = std::make_unique<config::CCfgDatabase>();
    owned->name = "BIG";
    owned->description = "A database of two thousand fields";
    owned->workform = 0;
    config::CCfgDBList& dbs = *root.GetDBList();
    config::CCfgDatabase& db = *dbs.Database(dbs.Add(std::move(owned)));
    for (int t = 0; t < kDocTypes; ++t) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = "Type " + std::to_string(t);
        type->workform = static_cast<uint16_t>(t);
        db.GetDocTypeList()->Add(std::move(type));
    }
    config::CCfgFieldList& fields = *db.GetFieldList();
    for (int i = 0; i < kFields; ++i) {
        auto f = std::make_unique<config::CCfgField>();
        f->tag = Tag(i);
        f->description = "Field number " + std::to_string(i);
        f->type = i < kParents ? config::kFieldParsedWithSubfields : config::kFieldParsed;
        f->defaultTarget = static_cast<uint8_t>(i % 45);
        for (uint16_t w : kAlternateWorkforms)
            f->SetAlternateTarget(w, static_cast<uint8_t>((i + w) % 45));
        for (int t = 0; t < kDocTypes; ++t) {
            config::CCfgParseFormat format;
            format.useDefault = 0;
            format.rows[0].component = static_cast<uint8_t>(1 + t);
            f->parseFormats.Set("Type " + std::to_string(t), format);
        }
        config::CCfgField* parent = f.get();
        fields.Add(std::move(f));
        for (int s = 0; i < kParents && s < kSubfieldsEach; ++s) {
            auto sub = std::make_unique<config::CCfgField>();
            sub->tag = "S" + std::to_string(s);
            sub->parent = parent;
            sub->parentId = parent->GetId();
            fields.Add(std::move(sub));
        }
    }
    root.Commit();
}

// A host without windows: a frame "opens" by its initial update.
class Host : public views::FrameHost {
  public:
    void OpenFrame(views::ListFrame& frame, const ui::Rect&) override {
        frame.OnInitialUpdate(canvas_, {6, 13}, 0);
    }
    void ActivateFrame(views::ListFrame&) override {}
    void CloseFrame(views::ListFrame&) override {}
    int ChildWindowCount() const override { return 1; }
    ui::Rect ClientArea() const override { return {0, 0, 1000, 700}; }
    int CaptionHeight() const override { return 20; }

  private:
    ui::HeadlessCanvas canvas_;
};

struct Times {
    std::vector<double> ms;
    void Add(Clock::duration d) {
        ms.push_back(std::chrono::duration<double, std::milli>(d).count());
    }
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("  %-44s median %8.2f ms   fastest %8.2f ms\n", what, ms[ms.size() / 2],
                    ms.front());
    }
};

template <class F>
Clock::duration Time(F&& f) {
    const auto start = Clock::now();
    f();
    return Clock::now() - start;
}

int Run(int rounds) {
    std::ostringstream sink;
    cli::CommandIo io{sink, std::cerr, store::PosixFileSystem()};
    cli::LoadedWorkforms(io);
    char dir[] = "/tmp/field_list_bench_XXXXXX";
    if (mkdtemp(dir) == nullptr) return 1;
    const std::string path = std::string(dir) + "/big.cfg";
    BuildLargeConfig(path);

    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current(ui);
    ui.OnDialog(dialogs::FieldInfoDialog::kTemplateId, [](ui::DialogDriver& d) {
        // A new field gets a tag; an existing one is left as it is.
        if (d.dialog().GetText(157).empty()) d.Type(157, "ZZ" + std::to_string(std::rand()));
        d.PressEnter();
    });
    Times open, window, add, modify, remove;
    for (int r = 0; r < rounds; ++r) {
        app::CCfgDocument document(ui);
        open.Add(Time([&] { document.OnOpenDocument(path); }));
        Host host;
        views::CDBListFrame frame(document);
        frame.view().SetFrameHost(&host);
        ui::HeadlessCanvas canvas;
        frame.OnInitialUpdate(canvas, {6, 13}, 0);
        views::CDBListView& databases = frame.view();
        config::CCfgDatabase* big = databases.dbList()->Database(2);
        window.Add(Time([&] { databases.OpenFieldWindow(*big); }));
        views::CFldListView& fields = databases.FieldWindowOf(*big)->view();
        const int count = fields.fieldList().GetCount();
        config::CCfgField* parent = fields.fieldList().FindTopLevel(Tag(0), Tag(0).size());
        add.Add(Time([&] { fields.NewField(); }));
        fields.Select(kParents * (kSubfieldsEach + 1) + 100);
        modify.Add(Time([&] { fields.ModifyField(); }));
        fields.Select(fields.fieldList().IndexOf(parent));
        ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
        remove.Add(Time([&] { fields.DeleteField(); }));
        // What was timed must have happened.
        if (fields.fieldList().GetCount() != count + 1 - (kSubfieldsEach + 1)) {
            std::fprintf(stderr, "field_list_bench: expected %d fields, found %d\n",
                         count + 1 - (kSubfieldsEach + 1), fields.fieldList().GetCount());
            return 1;
        }
        document.OnCloseDocument();  // nothing saved: every round starts alike
    }
    std::printf("Field list window, database of %d fields (%d with %d subfields each), %d rounds\n",
                kFields, kParents, kSubfieldsEach, rounds);
    open.Print("open the configuration");
    window.Print("open the field list window");
    add.Print("add one field (field dialog, OK)");
    modify.Print("field dialog on a field, OK");
    remove.Print("delete a field with its 20 subfields");
    std::filesystem::remove_all(dir);
    return 0;
}

}  // namespace
}  // namespace recaster::bench

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    return recaster::bench::Run(rounds);
}
