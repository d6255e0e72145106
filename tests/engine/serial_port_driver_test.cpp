#include "engine/serial/serial_port_driver.h"

#include "engine/core/virtual_scheduler.h"
#include "tests/support/fake_serial_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace parlenko {
namespace {

using testing::FakeSerialDevice;

class SerialPortDriverTest : public ::testing::Test {
protected:
    SerialPortDriverTest() : port(&clock), drv(port, clock) {
        drv.SetOnReceiveData([this](const std::uint8_t* data, std::size_t size) {
            chunks.emplace_back(reinterpret_cast<const char*>(data), size);
        });
    }

    VirtualScheduler clock;
    FakeSerialDevice port;
    TSerialPortDriver drv;
    std::vector<std::string> chunks;
};

TEST_F(SerialPortDriverTest, StartsClosedWithTheDefaultSettings) {
    EXPECT_FALSE(drv.Connected());
    EXPECT_EQ(drv.Port(), pnCOM2);
    EXPECT_EQ(drv.PortName(), "\\\\.\\COM2");
    EXPECT_EQ(drv.BaudRate(), br9600);
    EXPECT_EQ(drv.BaudRateValue(), 9600u);
    EXPECT_EQ(drv.DataBits(), db8BITS);
    EXPECT_EQ(drv.StopBits(), sb1BITS);
    EXPECT_EQ(drv.Parity(), ptNONE);
    EXPECT_EQ(drv.HwFlow(), hfNONERTSON);
    EXPECT_EQ(drv.SwFlow(), sfNONE);
    EXPECT_EQ(drv.InBufSize(), 2048u);
    EXPECT_EQ(drv.OutBufSize(), 2048u);
    EXPECT_EQ(drv.PollingDelay(), 50);
    EXPECT_TRUE(drv.EnableDTROnOpen());
    EXPECT_EQ(drv.OutputTimeout(), 500);
    EXPECT_FALSE(drv.CheckLineStatus());
    EXPECT_EQ(BaudOf(brCustom), 0u);
    EXPECT_EQ(BaudOf(br56000), 56000u);
    EXPECT_EQ(BaudOf(br256000), 256000u);
}

TEST_F(SerialPortDriverTest, ConnectOpensTheNameAsItStandsAndAppliesTheSettings) {
    drv.SetPortName("COM2");
    drv.SetBaudRateValue(19200);
    drv.SetHwFlow(hfRTSCTS);
    drv.SetSwFlow(sfXONXOFF);
    drv.SetParity(ptMARK);
    drv.SetStopBits(sb1HALFBITS);
    drv.SetDataBits(db7BITS);
    drv.SetInBufSize(4096);
    drv.SetOutBufSize(3000);
    ASSERT_TRUE(drv.Connect());
    EXPECT_TRUE(drv.Connected());
    EXPECT_EQ(port.OpenedName(), "COM2");
    const LineSettings& s = port.Settings();
    EXPECT_EQ(s.baud, 19200u);
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.parity, Parity::Mark);
    EXPECT_EQ(s.stopBits, StopBits::OneAndHalf);
    EXPECT_EQ(s.hwFlow, HwFlow::RtsCts);
    EXPECT_TRUE(s.xonXoff);
    EXPECT_TRUE(s.dtrOn);
    EXPECT_EQ(s.xonLimit, 1024u);
    EXPECT_EQ(s.xoffLimit, 1024u);
    EXPECT_EQ(port.PurgeCount(), 1);
    EXPECT_TRUE(port.LastPurgeIn() && port.LastPurgeOut());
    EXPECT_EQ(port.InQueueSize(), 4096u);
    EXPECT_EQ(port.OutQueueSize(), 3000u);

    // Connecting again opens nothing new; disconnecting twice closes once.
    EXPECT_TRUE(drv.Connect());
    EXPECT_EQ(port.OpenCount(), 1);
    drv.Disconnect();
    drv.Disconnect();
    EXPECT_FALSE(drv.Connected());
    EXPECT_EQ(port.CloseCount(), 1);
}

TEST_F(SerialPortDriverTest, DefaultLineSettingsHoldRtsOnAndDtrFollowsItsOption) {
    ASSERT_TRUE(drv.Connect());
    const LineSettings& s = port.Settings();
    EXPECT_EQ(s.baud, 9600u);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.parity, Parity::None);
    EXPECT_EQ(s.stopBits, StopBits::One);
    EXPECT_EQ(s.hwFlow, HwFlow::NoneRtsOn);
    EXPECT_FALSE(s.xonXoff);
    EXPECT_TRUE(s.dtrOn);
    EXPECT_EQ(s.xonLimit, 512u);  // a quarter of the 2048-byte receive buffer
    drv.Disconnect();

    drv.SetEnableDTROnOpen(false);
    drv.SetHwFlow(hfNONE);
    ASSERT_TRUE(drv.Connect());
    EXPECT_FALSE(port.Settings().dtrOn);
    EXPECT_EQ(port.Settings().hwFlow, HwFlow::None);
}

TEST_F(SerialPortDriverTest, ConnectFailsCleanly) {
    port.SetOpenResult(false);
    EXPECT_FALSE(drv.Connect());
    EXPECT_FALSE(drv.Connected());

    // Each later step failing closes the port again, and no poll runs.
    for (int step = 0; step < 3; ++step) {
        port.SetOpenResult(true);
        port.SetConfigureResult(step != 0);
        port.SetPurgeResult(step != 1);
        port.SetQueueSizesResult(step != 2);
        EXPECT_FALSE(drv.Connect()) << step;
        EXPECT_FALSE(drv.Connected()) << step;
        EXPECT_FALSE(port.IsOpen()) << step;
    }
    const int reads = port.ReadCount();
    port.Deliver("OK");
    clock.RunFor(500);
    EXPECT_EQ(port.ReadCount(), reads);
    EXPECT_TRUE(chunks.empty());
}

TEST_F(SerialPortDriverTest, PortAndPortNameFollowEachOther) {
    drv.SetPort(pnCOM5);
    EXPECT_EQ(drv.PortName(), "\\\\.\\COM5");
    drv.SetPort(pnCOM16);
    EXPECT_EQ(drv.PortName(), "\\\\.\\COM16");
    drv.SetPort(pnCustom);
    EXPECT_EQ(drv.PortName(), "\\\\.\\COM16");
    drv.SetPortName("/dev/ttyUSB0");
    EXPECT_EQ(drv.Port(), pnCustom);
    drv.SetBaudRate(br115200);
    EXPECT_EQ(drv.BaudRateValue(), 115200u);
    drv.SetBaudRate(brCustom);
    EXPECT_EQ(drv.BaudRateValue(), 115200u);
    drv.SetBaudRateValue(19200);
    EXPECT_EQ(drv.BaudRate(), brCustom);
}

TEST_F(SerialPortDriverTest, SizesAndDelayAreClamped) {
    drv.SetInBufSize(100);
    drv.SetOutBufSize(100);
    EXPECT_EQ(drv.InBufSize(), 128u);
    EXPECT_EQ(drv.OutBufSize(), 128u);
    drv.SetInBufSize(10000);
    drv.SetOutBufSize(10000);
    EXPECT_EQ(drv.InBufSize(), 8192u);
    EXPECT_EQ(drv.OutBufSize(), 8192u);
    drv.SetPollingDelay(0);
    EXPECT_EQ(drv.PollingDelay(), 5);
    // XON/XOFF thresholds are a quarter of the receive buffer.
    ASSERT_TRUE(drv.Connect());
    EXPECT_EQ(port.Settings().xonLimit, 2048u);
}

TEST_F(SerialPortDriverTest, WhileConnectedIdentityIsFixedAndLineSettingsApplyAtOnce) {
    drv.SetPortName("COM2");
    ASSERT_TRUE(drv.Connect());
    drv.SetPortName("COM7");
    drv.SetPort(pnCOM3);
    drv.SetInBufSize(4096);
    drv.SetOutBufSize(4096);
    EXPECT_EQ(drv.PortName(), "COM2");
    EXPECT_EQ(drv.Port(), pnCustom);
    EXPECT_EQ(drv.InBufSize(), 2048u);
    EXPECT_EQ(drv.OutBufSize(), 2048u);

    const int configured = port.ConfigureCount();
    drv.SetBaudRateValue(57600);
    EXPECT_EQ(port.ConfigureCount(), configured + 1);
    EXPECT_EQ(port.Settings().baud, 57600u);
    EXPECT_EQ(drv.BaudRate(), brCustom);
    drv.SetParity(ptEVEN);
    EXPECT_EQ(port.Settings().parity, Parity::Even);
    drv.SetSwFlow(sfXONXOFF);
    EXPECT_TRUE(port.Settings().xonXoff);

    // A failed re-apply is not reported and leaves the port open.
    port.SetConfigureResult(false);
    drv.SetDataBits(db7BITS);
    EXPECT_TRUE(drv.Connected());
}

TEST_F(SerialPortDriverTest, TicksHandOnWhatIsQueued) {
    ASSERT_TRUE(drv.Connect());
    clock.RunFor(200);  // ticks with nothing queued raise nothing
    EXPECT_TRUE(chunks.empty());

    const std::string ten("AT\r\r\nOK\r\n\0", 10);
    port.Deliver(ten);
    clock.RunFor(50);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], ten);

    // More than InBufSize arrives over two ticks, in order and unchanged.
    drv.Disconnect();
    drv.SetInBufSize(128);
    ASSERT_TRUE(drv.Connect());
    chunks.clear();
    std::string big;
    for (int i = 0; i < 200; ++i) big += static_cast<char>(i);
    port.Deliver(big);
    clock.RunFor(50);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], big.substr(0, 128));
    clock.RunFor(50);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[1], big.substr(128));

    // Closed: no more ticks.
    drv.Disconnect();
    port.Deliver("RING");
    clock.RunFor(500);
    EXPECT_EQ(chunks.size(), 2u);
}

TEST_F(SerialPortDriverTest, ADeviceThatCannotCountItsQueueIsStillRead) {
    port.SetQueuesUnknown(true);
    ASSERT_TRUE(drv.Connect());
    port.Deliver("OK\r\n");
    clock.RunFor(50);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0], "OK\r\n");
}

TEST_F(SerialPortDriverTest, PollingDelayChangeRestartsTheTimer) {
    ASSERT_TRUE(drv.Connect());
    clock.RunFor(30);
    drv.SetPollingDelay(200);
    port.Deliver("OK");
    clock.RunFor(199);
    EXPECT_TRUE(chunks.empty());
    clock.RunFor(1);
    EXPECT_EQ(chunks.size(), 1u);
}

TEST_F(SerialPortDriverTest, NestedTickInsideTheHandlerKeepsTheOuterBytes) {
    ASSERT_TRUE(drv.Connect());
    std::vector<std::string> seen;
    drv.SetOnReceiveData([&](const std::uint8_t* data, std::size_t size) {
        const bool outer = seen.empty();
        seen.emplace_back();  // placeholder, filled below
        const std::size_t mine = seen.size() - 1;
        if (outer) {
            port.Deliver("+CMTI: \"SM\",3\r\n");
            clock.RunFor(50);  // a modal window's loop
        }
        seen[mine].assign(reinterpret_cast<const char*>(data), size);
    });
    port.Deliver("OK\r\n");
    clock.RunFor(50);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "OK\r\n");
    EXPECT_EQ(seen[1], "+CMTI: \"SM\",3\r\n");
}

TEST_F(SerialPortDriverTest, SendStringWritesEverythingOrReportsFailure) {
    EXPECT_FALSE(drv.SendString("AT\r"));  // closed
    EXPECT_EQ(drv.SendData(reinterpret_cast<const std::uint8_t*>("AT"), 2), 0u);
    ASSERT_TRUE(drv.Connect());
    EXPECT_TRUE(drv.SendString(""));
    EXPECT_EQ(port.Written(), "");
    EXPECT_TRUE(drv.SendString("AT+CPBR=1\r"));
    EXPECT_EQ(port.TakeWritten(), "AT+CPBR=1\r");

    // A long string goes out in chunks no larger than the output queue.
    const std::string big(5000, 'x');
    EXPECT_TRUE(drv.SendString(big));
    EXPECT_EQ(port.TakeWritten(), big);

    port.SetWriteFails(true);
    const std::int64_t t0 = clock.NowMs();
    EXPECT_FALSE(drv.SendString("AT\r"));
    EXPECT_EQ(clock.NowMs(), t0);  // a failing device is not waited for
}

TEST_F(SerialPortDriverTest, LineCheckRefusesOnlyAPortThatReportsNoSignal) {
    drv.SetCheckLineStatus(true);
    ASSERT_TRUE(drv.Connect());

    // A pseudo-terminal has no modem lines: the write goes on.
    port.SetModemLines(std::nullopt);
    EXPECT_TRUE(drv.SendString("AT\r"));
    EXPECT_EQ(port.TakeWritten(), "AT\r");
    EXPECT_FALSE(drv.GetLineStatus().Any());

    // A real port with every signal off: nothing is written.
    port.SetModemLines(LineSignals{});
    EXPECT_FALSE(drv.SendString("AT\r"));
    EXPECT_EQ(port.Written(), "");

    LineSignals dsr;
    dsr.dsr = true;
    port.SetModemLines(dsr);
    EXPECT_TRUE(drv.SendString("AT\r"));
    EXPECT_EQ(port.TakeWritten(), "AT\r");
    EXPECT_TRUE(drv.GetLineStatus().dsr);

    // Without the check, a silent port is written to anyway.
    drv.SetCheckLineStatus(false);
    port.SetModemLines(LineSignals{});
    EXPECT_TRUE(drv.SendString("AT\r"));

    drv.Disconnect();
    port.SetModemLines(dsr);
    EXPECT_FALSE(drv.GetLineStatus().Any());  // closed
}

TEST_F(SerialPortDriverTest, StalledWriteGivesUpAfterTheTimeoutWithoutProgress) {
    ASSERT_TRUE(drv.Connect());
    port.SetWriteBudget(4);
    const std::int64_t t0 = clock.NowMs();
    EXPECT_FALSE(drv.SendString("AT+CMGS=23\r"));
    EXPECT_EQ(port.Written(), "AT+C");
    const std::int64_t waited = clock.NowMs() - t0;
    EXPECT_GT(waited, 500);
    EXPECT_LE(waited, 501 + 5);
    EXPECT_GT(port.WaitWritableCount(), 0);  // waited on the device, not spun

    // A full output queue: nothing is written, same limit from SendData.
    port.SetWriteBudget(std::nullopt);
    port.SetOutQueue(5000);
    const std::int64_t t1 = clock.NowMs();
    EXPECT_EQ(drv.SendData(reinterpret_cast<const std::uint8_t*>("ATZ\r"), 4, 100), 0u);
    EXPECT_GT(clock.NowMs() - t1, 100);
    EXPECT_LE(clock.NowMs() - t1, 101 + 5);
}

TEST_F(SerialPortDriverTest, OutFreeSpaceNeverWraps) {
    EXPECT_EQ(drv.OutFreeSpace(), 65535);  // closed
    ASSERT_TRUE(drv.Connect());
    EXPECT_EQ(drv.OutFreeSpace(), 2048);
    port.SetOutQueue(48);
    EXPECT_EQ(drv.OutFreeSpace(), 2000);
    port.SetOutQueue(3000);  // the device queues more than our limit
    EXPECT_EQ(drv.OutFreeSpace(), 0);
}

TEST_F(SerialPortDriverTest, FlushLetsWrittenBytesGoOutFirst) {
    EXPECT_FALSE(drv.FlushBuffers(true, true));  // closed
    ASSERT_TRUE(drv.Connect());
    port.Deliver("junk");
    std::int64_t t0 = clock.NowMs();
    EXPECT_TRUE(drv.FlushBuffers(true, true));
    EXPECT_EQ(clock.NowMs(), t0);  // empty output queue: no wait
    EXPECT_EQ(port.Undelivered(), 0u);

    // An ESC still queued gets up to 100 ms before the output is purged.
    port.SetOutQueue(1);
    t0 = clock.NowMs();
    EXPECT_TRUE(drv.FlushBuffers(true, true));
    EXPECT_GE(clock.NowMs() - t0, 100);
    EXPECT_LE(clock.NowMs() - t0, 102);
    EXPECT_TRUE(port.LastPurgeOut());

    // The input side alone does not wait.
    port.SetOutQueue(1);
    t0 = clock.NowMs();
    EXPECT_TRUE(drv.FlushBuffers(true, false));
    EXPECT_EQ(clock.NowMs(), t0);

    port.SetPurgeResult(false);
    EXPECT_FALSE(drv.FlushBuffers(true, false));
}

TEST(SerialPortDriverOwnership, OwnsADeviceGivenByPointer) {
    VirtualScheduler clock;
    auto owned = std::make_unique<FakeSerialDevice>(&clock);
    FakeSerialDevice* port = owned.get();
    {
        TSerialPortDriver drv(std::move(owned), clock);
        ASSERT_TRUE(drv.Connect());
        EXPECT_TRUE(port->IsOpen());
        EXPECT_TRUE(drv.SendString("AT\r"));
        EXPECT_EQ(port->Written(), "AT\r");
    }
}

}  // namespace
}  // namespace parlenko
