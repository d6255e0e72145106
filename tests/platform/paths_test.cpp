#include "platform/paths.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace parlenko::platform {
namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("PARLENKO_HOME", dir_.c_str(), 1); }
    void TearDown() override { unsetenv("PARLENKO_HOME"); }
    parlenko::testing::TempDir temp_{"parlenko-paths"};
    const std::string& dir_ = temp_.path();
};

TEST_F(PathsTest, DataDirFollowsParlenkoHomeThenXdg) {
    EXPECT_EQ(DataDir(), dir_ + "/");
    unsetenv("PARLENKO_HOME");
    setenv("XDG_DATA_HOME", "/x/data", 1);
    EXPECT_EQ(DataDir(), "/x/data/Parlenko/");
    unsetenv("XDG_DATA_HOME");
}

TEST_F(PathsTest, ComNamesMapToTtySWithoutALink) {
    EXPECT_EQ(ResolvePortName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ResolvePortName("com2"), "/dev/ttyS1");
    EXPECT_EQ(ResolvePortName("\\\\.\\COM12"), "/dev/ttyS11");
    EXPECT_EQ(ResolvePortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(ResolvePortName("COMx"), "COMx");
    EXPECT_EQ(ResolvePortName("COM0"), "COM0");
}

TEST_F(PathsTest, ComNameUsesTheLinkInTheDataFolder) {
    ASSERT_TRUE(MakeDirs(dir_ + "/ports"));
    std::filesystem::create_symlink("/dev/pts/99", dir_ + "/ports/com2");
    EXPECT_EQ(ResolvePortName("COM2"), dir_ + "/ports/com2");  // dangling links count too
    EXPECT_EQ(ResolvePortName("COM3"), "/dev/ttyS2");
}

}  // namespace
}  // namespace parlenko::platform
