#include "components/midi/virtual_memory_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace parlenko::midi {
namespace {

TEST(VirtualMemoryStream, CapacityZeroHoldsNothingAndRefusesToGrow) {
    TVirtualMemoryStream s(0, 0);
    EXPECT_EQ(s.Size(), 0);
    s.SetSize(0);
    EXPECT_THROW(s.SetSize(1), EVirtualMemory);
    const char byte = 'x';
    EXPECT_THROW(s.Write(&byte, 1), EVirtualMemory);
    EXPECT_EQ(s.Size(), 0);
}

TEST(VirtualMemoryStream, GrowsInStepsOfAtLeast1024WithoutPassingTheCapacity) {
    TVirtualMemoryStream s(5000, 0);
    s.SetSize(10);
    EXPECT_EQ(s.Size(), 1024);
    std::uint8_t* const memory = s.Memory();
    s.SetSize(3000);
    EXPECT_EQ(s.Size(), 3000);
    s.SetSize(3100);
    EXPECT_EQ(s.Size(), 4024);  // 1024 more, not the 100 asked for
    s.SetSize(4900);
    EXPECT_EQ(s.Size(), 5000);      // lowered to the capacity
    EXPECT_EQ(s.Memory(), memory);  // the block never moves
    try {
        s.SetSize(5001);
        FAIL() << "no error";
    } catch (const EVirtualMemory& e) {
        EXPECT_STREQ(e.what(), "Size exceeds capacity");
    }
    EXPECT_EQ(s.Size(), 5000);
}

TEST(VirtualMemoryStream, WritesReadBackAcrossGrowthAndShrinking) {
    TVirtualMemoryStream s(100000, 16);
    std::vector<std::uint8_t> pattern(70000);
    for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(s.Write(pattern.data(), pattern.size()), pattern.size());
    EXPECT_GE(s.Size(), 70000);
    EXPECT_EQ(std::memcmp(s.Memory(), pattern.data(), pattern.size()), 0);

    s.SetSize(100);  // pages above are given back
    EXPECT_EQ(s.Size(), 100);
    EXPECT_EQ(std::memcmp(s.Memory(), pattern.data(), 100), 0);
    s.Seek(50000, soFromBeginning);
    EXPECT_EQ(s.Write(pattern.data(), 10), 10u);  // grows again, memory usable
    EXPECT_EQ(std::memcmp(s.Memory() + 50000, pattern.data(), 10), 0);

    std::uint8_t back[10] = {};
    s.Seek(50000, soFromBeginning);
    EXPECT_EQ(s.Read(back, 10), 10u);
    EXPECT_EQ(std::memcmp(back, pattern.data(), 10), 0);
}

TEST(VirtualMemoryStream, InitialSizeIsCommittedAndBoundedByCapacity) {
    TVirtualMemoryStream s(4096, 4096);
    EXPECT_EQ(s.Size(), 4096);
    s.Memory()[4095] = 1;
    EXPECT_THROW(TVirtualMemoryStream(10, 11), EVirtualMemory);
}

}  // namespace
}  // namespace parlenko::midi
