// The channel lock over flock(2). flock rather than fcntl locks: an flock
// belongs to the open file, so a second lock from the same process conflicts
// as one from another process does, and a program started from this one does
// not keep it (the descriptor is close-on-exec).
#include "app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace recaster::app {

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
    Release();
}

InstanceLock::State InstanceLock::TryTake() {
    if (fd_ >= 0) return State::Taken;
    error_.clear();
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = std::strerror(errno);
        return State::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) return State::HeldByAnother;
        error_ = std::strerror(err);
        return State::Failed;
    }
    fd_ = fd;
    return State::Taken;
}

void InstanceLock::Release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing the only descriptor lets go of the lock
    fd_ = -1;
}

}  // namespace recaster::app
