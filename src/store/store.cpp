#include "store/store.h"

namespace recaster::store {

Store::Store(const KeyOrder& order, FileSystem& fs)
    : order_(order), pager_(fs), tree_(pager_, order_) {}

Store::~Store() = default;

void Store::Create(const std::string& path, const Step& fill) {
    pager_.Create(path);
    try {
        if (fill) fill(*this);
        pager_.Commit();
    } catch (...) {
        pager_.Close();
        throw;
    }
    pager_.Close();
}

void Store::Open(const std::string& path, OpenMode mode, const Step& load) {
    pager_.Open(path, mode);
    if (!load) return;
    try {
        load(*this);
    } catch (...) {
        pager_.Close();
        throw;
    }
}

}  // namespace recaster::store
