// One copy per data folder: the lock is refused while held, also to another
// process, and the kernel releases it when its holder is killed.

#include "platform/single_instance.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace parlenko::platform {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    parlenko::testing::TempDir temp_{"parlenko-lock"};
    const std::string& dir_ = temp_.path();
    const std::string path_ = dir_ + "/data/parlenko.lock";
};

TEST_F(SingleInstanceTest, HeldLockIsRefusedUntilReleased) {
    SingleInstanceLock first;
    ASSERT_TRUE(first.TryAcquire(path_)) << "the folder is created";
    EXPECT_TRUE(first.Held());
    SingleInstanceLock second;
    EXPECT_FALSE(second.TryAcquire(path_));
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.HeldElsewhere()) << "another copy runs";
    first.Release();
    EXPECT_TRUE(second.TryAcquire(path_));
    EXPECT_FALSE(second.HeldElsewhere());
}

TEST_F(SingleInstanceTest, ALockFileThatCannotBeMadeIsNoOtherCopy) {
    // The data "folder" is a plain file: no lock file can be made below it.
    const std::string blocker = dir_ + "/data";
    std::FILE* f = std::fopen(blocker.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    SingleInstanceLock lock;
    EXPECT_FALSE(lock.TryAcquire(blocker + "/parlenko.lock"));
    EXPECT_FALSE(lock.HeldElsewhere()) << "the program starts all the same";
}

TEST_F(SingleInstanceTest, KilledHolderLeavesNoLockBehind) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock;
        const char ok = lock.TryAcquire(path_) ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        for (;;) pause();
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    SingleInstanceLock mine;
    EXPECT_FALSE(mine.TryAcquire(path_)) << "held by the other process";
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(mine.TryAcquire(path_));
    close(ready[0]);
    close(ready[1]);
}

TEST(InstanceLockPathTest, LivesInTheDataFolder) {
    setenv("PARLENKO_HOME", "/tmp/some-home", 1);
    EXPECT_EQ(InstanceLockPath(), "/tmp/some-home/parlenko.lock");
    unsetenv("PARLENKO_HOME");
}

}  // namespace
}  // namespace parlenko::platform
