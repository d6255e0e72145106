#pragma once
// One running copy per data folder. The guard is an advisory lock (flock) on
// a file in the data folder: the kernel drops it when the process ends, also
// when it is killed, so a crash never leaves a stale guard behind.

#include <string>

namespace parlenko::platform {

class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock on path (the file is created when missing, its folder
    // too). False when another process holds it or the file cannot be made.
    bool TryAcquire(const std::string& path);
    bool Held() const { return fd_ >= 0; }
    // The last TryAcquire failed because another holder has the lock (not
    // because the lock file could not be made or locked at all): only then is
    // another copy running.
    bool HeldElsewhere() const { return heldElsewhere_; }
    void Release();

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

// DataDir() + "parlenko.lock".
std::string InstanceLockPath();

}  // namespace parlenko::platform
