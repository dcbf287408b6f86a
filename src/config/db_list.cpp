// The database list ('CDB#'): the default database first, then the others by
// name, where short all-digit names compare by value.
#include "base/cp1252.h"
#include "config/list_keys.h"
#include "config/lists.h"

namespace recaster::config {
namespace {

constexpr size_t kMaxNumericName = 5;

// At most five characters, all decimal digits. An empty name is not numeric.
bool IsNumericName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNumericName) return false;
    for (char c : name)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

const RuntimeClass CCfgDBList::kClass{
    "CCfgDBList", 0, [] { return std::unique_ptr<ArchiveObject>(new CCfgDBList); }};
namespace {
[[maybe_unused]] const bool kDBListRegistered = RegisterRuntimeClass(CCfgDBList::kClass);
}

std::unique_ptr<CPersistentObject> CCfgDBList::NewElement() {
    auto db = std::make_unique<CCfgDatabase>();
    db->owner = this;
    return db;
}

int CCfgDBList::Add(std::unique_ptr<CPersistentObject> element) {
    if (auto* db = dynamic_cast<CCfgDatabase*>(element.get())) db->owner = this;
    return CCfgAbstractList::Add(std::move(element));
}

void CCfgDBList::Reposition(CPersistentObject* element) {
    // The default database keeps position 1 whatever its name.
    if (IndexOf(element) == 0) {
        if (GetView() != nullptr) GetView()->RepaintList();
        return;
    }
    CCfgAbstractList::Reposition(element);
}

int CCfgDBList::Compare(int position, const CPersistentObject* element) const {
    const auto* e = static_cast<const CCfgDatabase*>(GetAt(position));
    const auto* d = static_cast<const CCfgDatabase*>(element);
    if (e == nullptr || d == nullptr) return 0;
    if (e == d) return -1;
    int c;
    if (IsNumericName(e->name) && IsNumericName(d->name))
        c = Sign(static_cast<long long>(LeadingValue(e->name)) -
                 static_cast<long long>(LeadingValue(d->name)));
    else
        c = Sign(CompareNoCaseCp1252(e->name, d->name));
    if (c != 0 && position == 1) c = -1;
    return c;
}

bool CCfgDBList::FindByTypedPrefix(const std::string& text, int& position) const {
    const uint64_t typedValue = LeadingValue(text);
    return FindTyped(1, position, [&](int index) {
        const std::string key = CutKey(Database(index + 1)->name, text);
        if (typedValue != 0)
            return Sign(static_cast<long long>(typedValue) -
                        static_cast<long long>(LeadingValue(key)));
        return CompareBytes(text, key);
    });
}

void CCfgDBList::AfterRead() {
    for (int p = 1; p <= GetCount(); ++p) Database(p)->owner = this;
}

}  // namespace recaster::config
