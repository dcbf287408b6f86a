// Ignored Lines.
#include "dialogs/ignored_lines_dialog.h"

#include "config/string_lists.h"
#include "dialogs/ignored_line_dialog.h"

namespace recaster::dialogs {

namespace {

constexpr int kTextIndent = 2;

class LineListBox : public ListEditListBox {
  public:
    explicit LineListBox(config::CCfgStringList& lines) : lines_(lines) {}

    int ItemCount() const override { return static_cast<int>(lines_.strings.size()); }
    void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect) const override {
        canvas.DrawText({rect.left + kTextIndent, rect.top, rect.right, rect.bottom},
                        lines_.strings[static_cast<size_t>(row)]);
    }
    std::string KeyText(int row) const override { return lines_.strings[static_cast<size_t>(row)]; }

  protected:
    void RemoveData(int row) override { lines_.strings.erase(lines_.strings.begin() + row); }

  private:
    config::CCfgStringList& lines_;
};

}  // namespace

std::unique_ptr<ListEditListBox> IgnoredLinesDialog::CreateListBox() {
    return std::make_unique<LineListBox>(lines_);
}

bool IgnoredLinesDialog::NewItem() {
    std::string format;
    IgnoredLineDialog dialog(format);
    if (dialog.DoModal(ui()) != ui::IDOK) return false;
    lines_.strings.push_back(std::move(format));
    listBox().AddItem();
    return true;
}

bool IgnoredLinesDialog::EditItem(int row) {
    IgnoredLineDialog dialog(lines_.strings[static_cast<size_t>(row)]);
    return dialog.DoModal(ui()) == ui::IDOK;
}

void IgnoredLinesDialog::SaveChanges() {
    lines_.Save();
}

}  // namespace recaster::dialogs
