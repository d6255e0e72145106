#include "platform/single_instance.h"

#include "platform/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

namespace parlenko::platform {

SingleInstanceLock::~SingleInstanceLock() { Release(); }

bool SingleInstanceLock::TryAcquire(const std::string& path) {
    Release();
    heldElsewhere_ = false;
    const auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) MakeDirs(parent.string());
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SingleInstanceLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

std::string InstanceLockPath() { return DataDir() + "parlenko.lock"; }

}  // namespace parlenko::platform
