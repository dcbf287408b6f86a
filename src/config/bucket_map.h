// The small hash map of a field's alternate targets and parse formats. Its
// iteration order is part of the record bytes: 17 buckets in order, and in a
// bucket the most recently inserted entry first. Setting an existing key
// keeps its place.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace recaster::config {

inline constexpr uint32_t kMapBuckets = 17;

// Bucket of a workform identifier.
inline uint32_t MapBucket(uint16_t key) {
    return (key >> 4) % kMapBuckets;
}
// Bucket of a document type name: hash = hash * 32 + hash + byte, from 0.
inline uint32_t MapBucket(const std::string& key) {
    uint32_t h = 0;
    for (unsigned char c : key) h = (h << 5) + h + c;
    return h % kMapBuckets;
}

template <typename K, typename V>
class BucketMap {
  public:
    // Null when absent.
    const V* Find(const K& key) const {
        for (const auto& e : buckets_[MapBucket(key)])
            if (e.first == key) return &e.second;
        return nullptr;
    }
    V* Find(const K& key) { return const_cast<V*>(static_cast<const BucketMap*>(this)->Find(key)); }
    void Set(const K& key, V value) {
        if (V* v = Find(key)) {
            *v = std::move(value);
            return;
        }
        buckets_[MapBucket(key)].emplace_back(key, std::move(value));
        count_++;
    }
    bool Remove(const K& key) {
        auto& b = buckets_[MapBucket(key)];
        for (auto it = b.begin(); it != b.end(); ++it) {
            if (it->first == key) {
                b.erase(it);
                count_--;
                return true;
            }
        }
        return false;
    }
    void Clear() {
        for (auto& b : buckets_) b.clear();
        count_ = 0;
    }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Visits the entries in stored order: bucket by bucket, newest first.
    void ForEach(const std::function<void(const K&, const V&)>& visit) const {
        for (const auto& b : buckets_)
            for (auto it = b.rbegin(); it != b.rend(); ++it) visit(it->first, it->second);
    }
    // The entries in stored order.
    std::vector<std::pair<K, V>> Entries() const {
        std::vector<std::pair<K, V>> out;
        ForEach([&](const K& k, const V& v) { out.emplace_back(k, v); });
        return out;
    }

  private:
    std::array<std::vector<std::pair<K, V>>, kMapBuckets> buckets_;  // oldest first
    size_t count_ = 0;
};

}  // namespace recaster::config
