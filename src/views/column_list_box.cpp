// ColumnListBox: rows, columns, painting and type-ahead of a list window.
#include "views/column_list_box.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "config/target_in_workform.h"
#include "resources/strings.h"

namespace recaster::views {

using config::CCfgDatabase;
using config::CCfgField;
using config::CPersistentObject;

namespace {

constexpr int kStringNoTarget = 82;
constexpr int kStringFieldTypeBase = 96;
constexpr int kStringTargetField = 4130;
constexpr int kStringWorkformName = 4131;
constexpr uint16_t kDatabaseWorkform = 65535;
constexpr int kTargetNone = 255;

std::string FieldTypeName(uint16_t type) {
    return resources::LoadString(kStringFieldTypeBase + type);
}

uint16_t WorkformOfField(const CCfgField& field) {
    if (field.owner != nullptr && field.owner->owner != nullptr)
        return field.owner->owner->workform;
    return kDatabaseWorkform;
}

}  // namespace

ColumnListBox::ColumnListBox(ui::Control& control, Kind kind,
                             const workforms::WorkformCatalog& catalog)
    : control_(control), kind_(kind), catalog_(catalog) {
    if (kind_ == Kind::Databases)
        edges_ = {2, 82, 221};
    else
        edges_ = {2, 46, 118, 210};
}

ColumnListBox::~ColumnListBox() {
    Detach();
}

void ColumnListBox::Attach(config::CCfgAbstractList& list, const ui::Canvas& metrics) {
    // Rows are drawn by casting the elements, so the list must be the kind
    // this box shows.
    const bool fits = kind_ == Kind::Databases
                          ? dynamic_cast<config::CCfgDBList*>(&list) != nullptr
                          : dynamic_cast<config::CCfgFieldList*>(&list) != nullptr;
    if (!fits) throw std::invalid_argument("ColumnListBox: list of the wrong kind");
    Detach();
    list_ = &list;
    list_->SetView(this);
    control_.SetRowCount(list_->GetCount());
    control_.SetCurSel(0);
    ComputeColumns(metrics);
}

void ColumnListBox::Detach() {
    if (list_ != nullptr && list_->GetView() == this) list_->SetView(nullptr);
    list_ = nullptr;
}

void ColumnListBox::ListDestroyed() {
    list_ = nullptr;
    control_.SetRowCount(0);
}

CPersistentObject* ColumnListBox::SelectedElement() const {
    if (list_ == nullptr || control_.curSel() < 0) return nullptr;
    return list_->GetAt(control_.curSel() + 1);
}

int ColumnListBox::Add(std::unique_ptr<CPersistentObject> element) {
    if (list_ == nullptr) return -1;
    const int position = list_->Add(std::move(element));
    // The list placed it; rows carry nothing, so appending one row and
    // repainting shows every element at its new place.
    control_.SetRowCount(list_->GetCount());
    control_.InvalidateRow(-1);
    const int index = position - 1;
    if (kind_ == Kind::Fields) control_.SetCurSel(index);
    return index;
}

std::unique_ptr<CPersistentObject> ColumnListBox::Remove(int index) {
    if (list_ == nullptr) return nullptr;
    CPersistentObject* element = list_->GetAt(index + 1);
    if (element == nullptr) return nullptr;
    std::unique_ptr<CPersistentObject> removed = list_->Remove(element);
    control_.DeleteItem(index);
    control_.InvalidateRow(-1);
    return removed;
}

void ColumnListBox::ComputeColumns(const ui::Canvas& metrics) {
    const int count = list_ != nullptr ? list_->GetCount() : 0;
    if (kind_ == Kind::Databases) {
        int nameWidth = 80;
        int descriptionWidth = 139;
        for (int p = 1; p <= count; ++p) {
            const auto* db = static_cast<const CCfgDatabase*>(list_->GetAt(p));
            nameWidth = std::max(nameWidth, metrics.TextWidth(db->name) + 2);
            descriptionWidth = std::max(descriptionWidth, metrics.TextWidth(db->description) + 2);
        }
        edges_ = {2, std::max(82, nameWidth), 0};
        edges_[2] = std::max(221, edges_[1] + descriptionWidth);
        return;
    }
    int tagWidth = 44;
    int descriptionWidth = 72;
    int typeWidth = 92;
    for (int p = 1; p <= count; ++p) {
        const auto* field = static_cast<const CCfgField*>(list_->GetAt(p));
        int tag = metrics.TextWidth(field->tag) + 2;
        if (field->IsSubfield()) tag += kSubfieldIndent;
        tagWidth = std::max(tagWidth, tag);
        descriptionWidth = std::max(descriptionWidth, metrics.TextWidth(field->description) + 2);
        typeWidth = std::max(typeWidth, metrics.TextWidth(FieldTypeName(field->type)) + 2);
    }
    edges_ = {2, std::max(46, tagWidth), 0, 0};
    edges_[2] = std::max(118, edges_[1] + descriptionWidth);
    edges_[3] = std::max(210, edges_[2] + typeWidth);
}

std::vector<std::string> ColumnListBox::ColumnTexts(const CPersistentObject& element,
                                                    int& indent) const {
    indent = 0;
    if (kind_ == Kind::Databases) {
        const auto& db = static_cast<const CCfgDatabase&>(element);
        return {db.name, db.description,
                resources::FormatString(kStringWorkformName, catalog_.NameOf(db.workform))};
    }
    const auto& field = static_cast<const CCfgField&>(element);
    if (field.IsSubfield()) indent = kSubfieldIndent;
    const int target = config::TargetInWorkform(field, kDatabaseWorkform, catalog_);
    std::string targetText;
    if (target < 0 || target == kTargetNone) {
        targetText = resources::LoadString(kStringNoTarget);
    } else {
        targetText =
            resources::FormatString(kStringTargetField, std::to_string(target + 1),
                                    catalog_.FieldName(WorkformOfField(field), target + 1));
    }
    return {field.tag, field.description, FieldTypeName(field.type), std::move(targetText)};
}

void ColumnListBox::DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect,
                            bool selected) const {
    if (row < 0 || row == kNoRow) return;
    const ui::Color background =
        canvas.SysColor(selected ? ui::SystemColor::Highlight : ui::SystemColor::Window);
    const ui::Color text =
        canvas.SysColor(selected ? ui::SystemColor::HighlightText : ui::SystemColor::WindowText);
    const ui::Color oldText = canvas.SetTextColor(text);
    const ui::Color oldBackground = canvas.SetBackgroundColor(background);
    canvas.FillRect(rect, background);

    const CPersistentObject* element = list_ != nullptr ? list_->GetAt(row + 1) : nullptr;
    if (element != nullptr) {
        int indent = 0;
        const std::vector<std::string> texts = ColumnTexts(*element, indent);
        const size_t columns = std::min(texts.size(), edges_.size());
        for (size_t i = 0; i < columns; ++i) {
            ui::Rect clip = rect;
            clip.left = rect.left + edges_[i] + (i == 0 ? indent : 0);
            clip.right =
                i + 1 < edges_.size() ? rect.left + edges_[i + 1] - kColumnGap : rect.right;
            if (clip.right < clip.left) clip.right = clip.left;
            canvas.DrawText(clip, texts[i]);
        }
    }
    canvas.SetTextColor(oldText);
    canvas.SetBackgroundColor(oldBackground);
}

ListKeyCommand ColumnListBox::CommandForKey(const ui::KeyPress& key) {
    if (!key.Plain()) return ListKeyCommand::None;
    switch (key.key) {
        case ui::Key::Enter:
            return ListKeyCommand::Modify;
        case ui::Key::Insert:
            return ListKeyCommand::New;
        case ui::Key::Delete:
            return ListKeyCommand::Delete;
        default:
            return ListKeyCommand::None;
    }
}

TypeAheadBuffer& ColumnListBox::Buffer() const {
    return kind_ == Kind::Databases ? DatabaseTypeAhead() : FieldTypeAhead();
}

bool ColumnListBox::TypeCharacter(char ch, uint32_t now, uint32_t doubleClickTime) {
    TypeAheadTarget target;
    target.current = control_.curSel();
    target.currentKey = [this]() -> std::string {
        const CPersistentObject* e = SelectedElement();
        if (e == nullptr) return {};
        return kind_ == Kind::Databases ? static_cast<const CCfgDatabase*>(e)->name
                                        : static_cast<const CCfgField*>(e)->tag;
    };
    target.find = [this](const std::string& prefix, int& index) {
        return list_ != nullptr && list_->FindByTypedPrefix(prefix, index);
    };
    const TypeAheadResult result = views::TypeCharacter(Buffer(), ch, now, doubleClickTime, target);
    if (result.select >= 0) control_.SetCurSel(result.select);
    return result.handled;
}

}  // namespace recaster::views
