// InstanceLock: which program owns a single-instance channel. The owner holds
// an exclusive lock (flock) on the channel's lock file for as long as it
// runs; the system lets go of it when the process ends, however it ends. So
// a lock that can be taken means any socket left at the channel belongs to a
// dead program and may be replaced, and a lock that is held means a live
// program owns the channel, whose socket nobody else may touch.
#pragma once

#include <string>

namespace recaster::app {

class InstanceLock {
  public:
    enum class State {
        Taken,          // this program owns the channel now
        HeldByAnother,  // a running program owns it
        Failed,         // the lock file cannot be made or locked; see error()
    };

    explicit InstanceLock(std::string path);
    ~InstanceLock();  // lets go of the lock (the file stays)
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting. The file is made (mode 0600) when missing;
    // a symbolic link in its place is refused.
    State TryTake();
    void Release();

    bool held() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // Why the last TryTake failed: the system's message.
    const std::string& error() const { return error_; }

  private:
    std::string path_;
    std::string error_;
    int fd_ = -1;
};

}  // namespace recaster::app
