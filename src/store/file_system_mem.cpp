// Files in memory with a crash model. Each file keeps the bytes as last synced
// ("durable") beside the current ones, and the writes and truncations made
// since; the directory keeps the entries as of the last SyncDir of their
// folder. Crash() puts everything back to the durable view and kills every
// open handle, which is what a power cut does to a program that did not sync;
// CrashTorn() replays the writes since the sync and keeps a random mix of them.
#include <algorithm>
#include <cstring>
#include <random>
#include <set>

#include "store/file_system.h"

namespace recaster::store {

struct MemFileSystem::Node {
    // A write (or, with `truncate`, a change of length to `off`) since the last Sync.
    struct Change {
        uint64_t off = 0;
        std::vector<uint8_t> bytes;
        bool truncate = false;
    };
    std::vector<uint8_t> current;
    std::vector<uint8_t> durable;
    std::vector<Change> unsynced;
    bool scratch = false;  // never outlives a crash: its changes need no record
    uint64_t inode = 0;
    int sharedLocks = 0;
    bool exclusiveLock = false;
};

struct MemFileSystem::State {
    std::map<std::string, std::shared_ptr<Node>> entries;
    std::map<std::string, std::shared_ptr<Node>> durableEntries;
    uint64_t generation = 0;  // bumped by Crash(); older handles are dead
    uint64_t nextInode = 1;
};

namespace {

std::string DirOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class MemFile final : public File {
  public:
    MemFile(std::shared_ptr<MemFileSystem::State> state, std::shared_ptr<MemFileSystem::Node> node,
            std::string path, bool writable, std::function<void(FileOp, const std::string&)> before)
        : state_(std::move(state)),
          node_(std::move(node)),
          path_(std::move(path)),
          writable_(writable),
          generation_(state_->generation),
          before_(std::move(before)) {}

    ~MemFile() override {
        if (generation_ != state_->generation) return;
        if (lock_ == 1) node_->sharedLocks--;
        if (lock_ == 2) node_->exclusiveLock = false;
    }

    size_t ReadAt(uint64_t off, std::span<uint8_t> buf) override {
        Alive();
        const auto& bytes = node_->current;
        if (off >= bytes.size()) return 0;
        size_t n = std::min<uint64_t>(buf.size(), bytes.size() - off);
        if (n > 0) std::memcpy(buf.data(), bytes.data() + off, n);
        return n;
    }

    void WriteAt(uint64_t off, std::span<const uint8_t> data) override {
        Alive();
        Writable();
        before_(FileOp::Write, path_);
        Alive();
        auto& bytes = node_->current;
        if (bytes.size() < off + data.size()) bytes.resize(off + data.size(), 0);
        // An empty span may have no storage at all.
        if (!data.empty()) std::memcpy(bytes.data() + off, data.data(), data.size());
        if (!node_->scratch) node_->unsynced.push_back({off, {data.begin(), data.end()}, false});
    }

    void Sync() override {
        Alive();
        before_(FileOp::Sync, path_);
        Alive();
        node_->durable = node_->current;
        node_->unsynced.clear();
    }

    void Truncate(uint64_t length) override {
        Alive();
        Writable();
        before_(FileOp::Truncate, path_);
        Alive();
        node_->current.resize(length, 0);
        if (!node_->scratch) node_->unsynced.push_back({length, {}, true});
    }

    uint64_t Size() override {
        Alive();
        return node_->current.size();
    }

    bool TryLock(LockKind kind) override {
        Alive();
        if (kind == LockKind::Exclusive) {
            if (node_->exclusiveLock || node_->sharedLocks > (lock_ == 1 ? 1 : 0)) return false;
            if (lock_ == 1) node_->sharedLocks--;
            node_->exclusiveLock = true;
            lock_ = 2;
        } else {
            if (lock_ != 0) return true;
            if (node_->exclusiveLock) return false;
            node_->sharedLocks++;
            lock_ = 1;
        }
        return true;
    }

    const std::string& path() const override { return path_; }
    void SetPath(const std::string& path) override { path_ = path; }

  private:
    void Alive() const {
        if (generation_ != state_->generation)
            throw FileError(FileError::Cause::HardIO, path_, "The file was lost in a crash");
    }
    void Writable() const {
        if (!writable_)
            throw FileError(FileError::Cause::AccessDenied, path_, "Opened for reading only");
    }

    std::shared_ptr<MemFileSystem::State> state_;
    std::shared_ptr<MemFileSystem::Node> node_;
    std::string path_;
    bool writable_;
    uint64_t generation_;
    int lock_ = 0;  // 0 none, 1 shared, 2 exclusive
    std::function<void(FileOp, const std::string&)> before_;
};

}  // namespace

MemFileSystem::MemFileSystem() : state_(std::make_shared<State>()) {}
MemFileSystem::~MemFileSystem() = default;

std::unique_ptr<File> MemFileSystem::Open(const std::string& path, OpenFlags flags) {
    if (path.empty()) throw FileError(FileError::Cause::BadPath, path, "No file name given");
    auto it = state_->entries.find(path);
    std::shared_ptr<Node> node;
    if (it == state_->entries.end()) {
        if (!flags.create) throw FileError(FileError::Cause::NotFound, path, "No such file");
        Before(FileOp::Create, path);
        node = std::make_shared<Node>();
        node->inode = state_->nextInode++;
        state_->entries[path] = node;
    } else {
        node = it->second;
        if (flags.truncate) {
            node->current.clear();
            node->unsynced.push_back({0, {}, true});
        }
    }
    return std::make_unique<MemFile>(state_, node, path, flags.write,
                                     [this](FileOp op, const std::string& p) { Before(op, p); });
}

std::unique_ptr<File> MemFileSystem::OpenScratch(const std::string& nearPath) {
    Before(FileOp::Create, nearPath + " (scratch)");
    auto node = std::make_shared<Node>();
    node->inode = state_->nextInode++;
    node->scratch = true;
    return std::make_unique<MemFile>(state_, node, nearPath + " (scratch)", true,
                                     [this](FileOp op, const std::string& p) { Before(op, p); });
}

bool MemFileSystem::Exists(const std::string& path) {
    return state_->entries.count(path) != 0;
}

void MemFileSystem::Remove(const std::string& path) {
    Before(FileOp::Remove, path);
    state_->entries.erase(path);
}

void MemFileSystem::Rename(const std::string& from, const std::string& to) {
    Before(FileOp::Rename, to);
    auto it = state_->entries.find(from);
    if (it == state_->entries.end())
        throw FileError(FileError::Cause::NotFound, from, "No such file");
    auto node = it->second;
    state_->entries.erase(it);
    state_->entries[to] = node;
}

void MemFileSystem::SyncDir(const std::string& path) {
    Before(FileOp::SyncDir, path);
    const std::string dir = DirOf(path);
    auto& durable = state_->durableEntries;
    for (auto it = durable.begin(); it != durable.end();) {
        if (DirOf(it->first) == dir)
            it = durable.erase(it);
        else
            ++it;
    }
    for (const auto& [name, node] : state_->entries)
        if (DirOf(name) == dir) durable[name] = node;
}

bool MemFileSystem::Identify(const std::string& path, FileIdentity& out) {
    auto it = state_->entries.find(path);
    if (it == state_->entries.end()) return false;
    out = FileIdentity{1, it->second->inode};
    return true;
}

void MemFileSystem::Put(const std::string& path, std::vector<uint8_t> bytes) {
    auto node = std::make_shared<Node>();
    node->inode = state_->nextInode++;
    node->current = bytes;
    node->durable = std::move(bytes);
    state_->entries[path] = node;
    state_->durableEntries[path] = node;
}

std::vector<uint8_t> MemFileSystem::Get(const std::string& path) {
    auto it = state_->entries.find(path);
    if (it == state_->entries.end())
        throw FileError(FileError::Cause::NotFound, path, "No such file");
    return it->second->current;
}

namespace {

// What a torn power cut leaves of one file: the unsynced changes are replayed
// over the synced bytes, keeping every image each sector took and every length
// the file had; then each sector keeps one of its images (or its synced bytes)
// and the file one of its lengths. Per crash, a random share of the sectors
// keeps its newest image, so some crashes land almost everything and others
// almost nothing.
void Tear(MemFileSystem::Node& node, std::mt19937_64& rng) {
    constexpr uint64_t kSector = 512;
    std::vector<uint8_t> work = node.durable;
    std::vector<uint64_t> lengths{work.size()};
    std::map<uint64_t, std::vector<std::vector<uint8_t>>> images;  // sector -> images, oldest first
    auto keep = [&](uint64_t from, uint64_t to) {
        for (uint64_t s = from / kSector; s * kSector < to; ++s) {
            std::vector<uint8_t> image(kSector, 0);
            if (s * kSector < work.size())
                std::copy_n(work.begin() + static_cast<ptrdiff_t>(s * kSector),
                            std::min<uint64_t>(kSector, work.size() - s * kSector), image.begin());
            images[s].push_back(std::move(image));
        }
    };
    for (const auto& change : node.unsynced) {
        if (change.truncate) {
            work.resize(change.off, 0);
        } else if (!change.bytes.empty()) {
            // A write past the end leaves zeros in the gap it opens.
            const uint64_t from = std::min<uint64_t>(change.off, work.size());
            if (work.size() < change.off + change.bytes.size())
                work.resize(change.off + change.bytes.size(), 0);
            std::copy(change.bytes.begin(), change.bytes.end(),
                      work.begin() + static_cast<ptrdiff_t>(change.off));
            keep(from, change.off + change.bytes.size());
        }
        lengths.push_back(work.size());
    }
    node.unsynced.clear();

    const double newest = std::uniform_real_distribution<double>(0, 1)(rng);
    auto pick = [&](size_t count) {  // index into [synced, image 0, ..., image count-1]
        if (std::bernoulli_distribution(newest)(rng)) return count;
        return std::uniform_int_distribution<size_t>(0, count)(rng);
    };
    const uint64_t length = lengths[pick(lengths.size() - 1)];
    std::vector<uint8_t> out = node.durable;
    out.resize(length, 0);
    for (const auto& [sector, versions] : images) {
        const uint64_t at = sector * kSector;
        if (at >= length) break;
        const size_t choice = pick(versions.size());
        if (choice == 0) continue;
        const auto& image = versions[choice - 1];
        std::copy_n(image.begin(), std::min<uint64_t>(kSector, length - at),
                    out.begin() + static_cast<ptrdiff_t>(at));
    }
    node.current = out;
    node.durable = std::move(out);
}

}  // namespace

void MemFileSystem::CrashTorn(uint64_t seed) {
    std::mt19937_64 rng(seed);
    state_->generation++;
    std::set<std::string> names;
    std::vector<Node*> nodes;
    for (auto* entries : {&state_->durableEntries, &state_->entries}) {
        for (const auto& [name, node] : *entries) {
            names.insert(name);
            if (std::find(nodes.begin(), nodes.end(), node.get()) == nodes.end())
                nodes.push_back(node.get());
        }
    }
    std::map<std::string, std::shared_ptr<Node>> after;
    for (const std::string& name : names) {
        auto durable = state_->durableEntries.find(name);
        auto now = state_->entries.find(name);
        auto chosen = std::bernoulli_distribution(0.5)(rng) ? now : durable;
        if (chosen == state_->entries.end() || chosen == state_->durableEntries.end()) continue;
        after[name] = chosen->second;
    }
    for (Node* node : nodes) {
        Tear(*node, rng);
        node->sharedLocks = 0;
        node->exclusiveLock = false;
    }
    state_->entries = after;
    state_->durableEntries = std::move(after);
}

void MemFileSystem::Crash(bool loseUnsynced) {
    state_->generation++;
    if (loseUnsynced) state_->entries = state_->durableEntries;
    state_->durableEntries = state_->entries;
    for (auto& [name, node] : state_->entries) {
        if (loseUnsynced)
            node->current = node->durable;
        else
            node->durable = node->current;
        node->unsynced.clear();
        node->sharedLocks = 0;
        node->exclusiveLock = false;
    }
}

}  // namespace recaster::store
