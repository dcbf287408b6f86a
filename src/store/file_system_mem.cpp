// Files in memory with a crash model. Each file keeps the bytes as last synced
// ("durable") beside the current ones; the directory keeps the entries as of
// the last SyncDir of their folder. Crash() puts everything back to the durable
// view and kills every open handle, which is what a power cut does to a
// program that did not sync.
#include <algorithm>
#include <cstring>

#include "store/file_system.h"

namespace recaster::store {

struct MemFileSystem::Node {
    std::vector<uint8_t> current;
    std::vector<uint8_t> durable;
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
    }

    void Sync() override {
        Alive();
        before_(FileOp::Sync, path_);
        Alive();
        node_->durable = node_->current;
    }

    void Truncate(uint64_t length) override {
        Alive();
        Writable();
        before_(FileOp::Truncate, path_);
        Alive();
        node_->current.resize(length, 0);
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
        if (flags.truncate) node->current.clear();
    }
    return std::make_unique<MemFile>(state_, node, path, flags.write,
                                     [this](FileOp op, const std::string& p) { Before(op, p); });
}

std::unique_ptr<File> MemFileSystem::OpenScratch(const std::string& nearPath) {
    Before(FileOp::Create, nearPath + " (scratch)");
    auto node = std::make_shared<Node>();
    node->inode = state_->nextInode++;
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

void MemFileSystem::Crash(bool loseUnsynced) {
    state_->generation++;
    if (loseUnsynced) state_->entries = state_->durableEntries;
    state_->durableEntries = state_->entries;
    for (auto& [name, node] : state_->entries) {
        if (loseUnsynced)
            node->current = node->durable;
        else
            node->durable = node->current;
        node->sharedLocks = 0;
        node->exclusiveLock = false;
    }
}

}  // namespace recaster::store
