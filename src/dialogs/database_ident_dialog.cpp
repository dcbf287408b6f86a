// Database Identification.
#include "dialogs/database_ident_dialog.h"

#include "config/cfg_file.h"
#include "config/dfs_info.h"
#include "config/lists.h"
#include "config/string_lists.h"
#include "dialogs/database_ident_info_dialog.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

// Pixels between the prefix and the suffix column.
constexpr int kPrefixGap = 4;
// Where text starts in a row.
constexpr int kTextIndent = 2;

class PairListBox : public ListEditListBox {
  public:
    PairListBox(config::CCfgStringPairList& pairs, const DatabaseIdentDialog& dialog)
        : pairs_(pairs), dialog_(dialog) {}

    int ItemCount() const override { return static_cast<int>(pairs_.pairs.size()); }
    void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect) const override {
        const config::CCfgStringPair& pair = pairs_.pairs[static_cast<size_t>(row)];
        const int column = rect.left + dialog_.SuffixColumn();
        canvas.DrawText({rect.left + kTextIndent, rect.top, column - kPrefixGap, rect.bottom},
                        pair.prefix);
        canvas.DrawText({column, rect.top, rect.right, rect.bottom}, pair.suffix);
    }
    std::string KeyText(int row) const override {
        return pairs_.pairs[static_cast<size_t>(row)].prefix;
    }

  protected:
    void RemoveData(int row) override { pairs_.pairs.erase(pairs_.pairs.begin() + row); }

  private:
    config::CCfgStringPairList& pairs_;
    const DatabaseIdentDialog& dialog_;
};

}  // namespace

DatabaseIdentDialog::DatabaseIdentDialog(config::CCfgFile& root)
    : ListEditDialog(kTemplateId),
      pairs_(*root.GetIdentPairs()),
      dfs_(*root.GetDFSInfo()),
      databases_(*root.GetDBList()) {}

int DatabaseIdentDialog::SuffixColumn() const {
    return MapDialogRect(Item(kSuffixesLabel).rect()).left - MapDialogRect(Item(kList).rect()).left;
}

std::unique_ptr<ListEditListBox> DatabaseIdentDialog::CreateListBox() {
    return std::make_unique<PairListBox>(pairs_, *this);
}

void DatabaseIdentDialog::InitList() {
    ListEditDialog::InitList();
    std::vector<ui::ListItem> names{{resources::LoadString(kStringNone), 0}};
    for (int p = 1; p <= databases_.GetCount(); ++p)
        names.push_back({databases_.Database(p)->name, 0});
    ui::Control& fallback = Item(kFallbackList);
    fallback.SetItems(std::move(names));
    // The first database whose name begins with the stored one; letter case
    // does not matter.
    int index = dfs_.fallbackDatabase.empty() ? -1 : fallback.FindString(dfs_.fallbackDatabase, 0);
    fallback.SetCurSel(index < 0 ? 0 : index);
}

bool DatabaseIdentDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    if (control.id() == kFallbackList && notification == ui::Notification::SelectionChanged) {
        SetChanged();
        return true;
    }
    return ListEditDialog::OnCommand(control, notification);
}

bool DatabaseIdentDialog::NewItem() {
    config::CCfgStringPair pair;
    DatabaseIdentInfoDialog dialog(pair);
    if (dialog.DoModal(ui()) != ui::IDOK) return false;
    pairs_.pairs.push_back(std::move(pair));
    listBox().AddItem();
    return true;
}

bool DatabaseIdentDialog::EditItem(int row) {
    DatabaseIdentInfoDialog dialog(pairs_.pairs[static_cast<size_t>(row)]);
    return dialog.DoModal(ui()) == ui::IDOK;
}

void DatabaseIdentDialog::SaveChanges() {
    pairs_.Save();
    const ui::Control& fallback = Item(kFallbackList);
    // "< None >" and no choice both mean no fallback database.
    std::string chosen = fallback.curSel() > 0 ? fallback.Item(fallback.curSel())->text : "";
    if (chosen != dfs_.fallbackDatabase) {
        dfs_.fallbackDatabase = std::move(chosen);
        dfs_.Save();
    }
}

}  // namespace recaster::dialogs
