// Target Fields.
#include "dialogs/target_fields_dialog.h"

#include <algorithm>

#include "base/cp1252.h"
#include "config/field.h"
#include "config/target_in_workform.h"
#include "dialogs/target_field_dialog.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

constexpr int kStringDoNotTransfer = 82;
constexpr int kStringTargetField = 4130;
constexpr int kStringWorkformName = 4131;

// How a row tells its workform apart from another of the same name.
std::string WorkformMark(workforms::WorkformId id) {
    if (id < workforms::kWorkformLetters) return std::string(1, static_cast<char>('A' + id));
    return std::to_string(id);
}

class TargetListBox : public ListEditListBox {
  public:
    TargetListBox(std::vector<TargetFieldsDialog::Row>& rows, const config::CCfgField& field,
                  const workforms::WorkformCatalog& catalog)
        : rows_(rows), field_(field), catalog_(catalog) {}

    int ItemCount() const override { return static_cast<int>(rows_.size()); }

    void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect) const override {
        using D = TargetFieldsDialog;
        const TargetFieldsDialog::Row& r = rows_[static_cast<size_t>(row)];
        canvas.DrawText(
            {rect.left + D::kNameLeft, rect.top, rect.left + D::kNameRight, rect.bottom}, r.text);
        uint8_t index = field_.AlternateTarget(r.workform);
        const bool isDefault = index == config::kNoAlternate;
        if (isDefault) {
            const int target = config::TargetInWorkform(field_, config::kDefaultWorkform, catalog_);
            index = target < 0 ? config::kNoTarget : static_cast<uint8_t>(target);
        }
        const std::string text =
            index == config::kNoTarget
                ? resources::LoadString(kStringDoNotTransfer)
                : resources::FormatString(kStringTargetField, std::to_string(index + 1),
                                          catalog_.FieldName(r.workform, index + 1));
        ui::TextOptions options;
        options.italic = isDefault;
        canvas.DrawText({rect.left + D::kTargetLeft, rect.top, rect.right, rect.bottom}, text,
                        options);
    }

    std::string KeyText(int row) const override { return rows_[static_cast<size_t>(row)].text; }

  protected:
    // The dialog offers no Delete; a row would only leave the list.
    void RemoveData(int row) override { rows_.erase(rows_.begin() + row); }

  private:
    std::vector<TargetFieldsDialog::Row>& rows_;
    const config::CCfgField& field_;
    const workforms::WorkformCatalog& catalog_;
};

}  // namespace

TargetFieldsDialog::TargetFieldsDialog(config::CCfgField& field,
                                       const workforms::WorkformCatalog& catalog)
    : ListEditDialog(kTemplateId), field_(field), catalog_(catalog) {
    const int count = catalog.Count();
    for (int i = 0; i < count; ++i) {
        const std::string& name = catalog.NameAt(i);
        bool shared = false;
        for (int j = 0; j < count && !shared; ++j)
            shared = j != i && EqualsNoCaseCp1252(catalog.NameAt(j), name);
        std::string text = resources::FormatString(kStringWorkformName, name);
        if (shared) text += " (" + WorkformMark(catalog.IdAt(i)) + ")";
        rows_.push_back({catalog.IdAt(i), std::move(text)});
    }
    std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
        return CompareNoCaseCp1252(a.text, b.text) < 0;
    });
}

std::unique_ptr<ListEditListBox> TargetFieldsDialog::CreateListBox() {
    return std::make_unique<TargetListBox>(rows_, field_, catalog_);
}

void TargetFieldsDialog::InitList() {
    ListEditDialog::InitList();
    ui::Control& caption = Item(kTargetCaption);
    resources::DialogRect rect = caption.rect();
    rect.x = Item(kList).rect().x + ui::PixelsToDialogUnitsX(kTargetLeft, baseUnits());
    caption.SetRect(rect);
}

bool TargetFieldsDialog::EditItem(int row) {
    TargetFieldDialog dialog(field_, rows_[static_cast<size_t>(row)].workform, catalog_);
    return dialog.DoModal(ui()) == ui::IDOK;
}

}  // namespace recaster::dialogs
