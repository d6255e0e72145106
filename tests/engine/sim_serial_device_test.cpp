// The simulated phone behind the serial device interface, on virtual time.

#include "engine/core/virtual_scheduler.h"
#include "tests/support/sim_serial_device.h"

#include <gtest/gtest.h>

namespace parlenko::testing {
namespace {

std::string ReadAll(SimSerialDevice& d) {
    std::string out;
    std::uint8_t buf[7];  // small on purpose: a chunk may take several reads
    for (;;) {
        auto n = d.Read(buf, sizeof buf);
        if (n <= 0) return out;
        out.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n));
    }
}

void WriteText(SimSerialDevice& d, const std::string& s) {
    ASSERT_EQ(d.Write(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()),
              static_cast<std::ptrdiff_t>(s.size()));
}

TEST(SimSerialDevice, AnswersArriveAtTheSchedulersTime) {
    VirtualScheduler clock;
    phonesim::PhoneOptions o;
    o.answerDelayMs = 80;
    SimSerialDevice d(clock, phonesim::MakeDefaultState(), o);
    ASSERT_TRUE(d.Open("COM2"));
    EXPECT_EQ(d.ModemLines()->cts, true);
    EXPECT_EQ(d.ModemLines()->dsr, true);
    WriteText(d, "AT+CGMM\r");
    EXPECT_EQ(d.InQueue(), 8u);
    EXPECT_EQ(ReadAll(d), "AT+CGMM\r");
    clock.RunFor(79);
    EXPECT_EQ(ReadAll(d), "");
    clock.RunFor(1);
    EXPECT_EQ(ReadAll(d), "\r\nS45\r\n\r\nOK\r\n");
    EXPECT_EQ(d.Written(), "AT+CGMM\r");
}

TEST(SimSerialDevice, PurgeDropsWhatArrivedAndClosedPortsRefuse) {
    VirtualScheduler clock;
    SimSerialDevice d(clock);
    d.SetPortName("COM2");
    EXPECT_FALSE(d.Open("COM1"));
    ASSERT_TRUE(d.Open("COM2"));
    EXPECT_FALSE(d.Open("COM2"));  // exclusive
    WriteText(d, "AT\r");
    EXPECT_TRUE(d.Purge(true, true));
    EXPECT_EQ(ReadAll(d), "");
    d.Close();
    std::uint8_t b = 'A';
    EXPECT_EQ(d.Write(&b, 1), -1);
    EXPECT_EQ(d.Read(&b, 1), -1);
    EXPECT_FALSE(d.InQueue().has_value());
    d.SetOpenFailure(true);
    EXPECT_FALSE(d.Open("COM2"));
    d.SetOpenFailure(false);
    ASSERT_TRUE(d.Open("COM2"));
    d.SetWriteFailure(true);
    EXPECT_EQ(d.Write(&b, 1), -1);
    EXPECT_EQ(d.OpenCount(), 2);
}

TEST(SimSerialDevice, ScriptedSplitsBecomeSeparateReads) {
    VirtualScheduler clock;
    SimSerialDevice d(clock);
    ASSERT_TRUE(d.Open("/dev/ttyS1"));
    phonesim::CommandFault f;
    f.command = "AT+CGMI";
    f.splitAt = {4};
    d.Phone().AddFault(f);
    WriteText(d, "AT+CGMI\r");
    std::uint8_t buf[64];
    auto n = d.Read(buf, sizeof buf);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n)),
              "AT+CGMI\r\r\nSI");
    n = d.Read(buf, sizeof buf);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n)),
              "EMENS\r\n\r\nOK\r\n");
}

}  // namespace
}  // namespace parlenko::testing
