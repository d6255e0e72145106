// The whole connect over a real pseudo-terminal: the simulator program serves
// the phone behind the link "ports/com2" of the data folder, the termios
// device opens it as "COM2", and the engine runs on a real-time loop.

#include "engine/core/loop_scheduler.h"
#include "tests/support/engine_inside.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/conversation/connection.h"
#include "engine/session/phone_engine.h"
#include "phonesim/state.h"
#include "platform/serial/termios_serial_device.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace parlenko::platform {
namespace {

namespace fs = std::filesystem;

#ifdef PHONESIM_PROGRAM
// The simulator on a link; stopped (and the link removed) on destruction.
class PhonesimProcess {
public:
    PhonesimProcess(const std::string& state, const fs::path& link) : link_(link) {
        const std::string program = PHONESIM_PROGRAM;
        std::vector<std::string> args = {program, "--state", state, "--link", link.string()};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~PhonesimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    // Waits (at most 5 s) until the link to the pseudo-terminal is there.
    bool WaitForLink() const {
        for (int k = 0; k < 500 && pid_ > 0; ++k) {
            std::error_code ec;
            if (fs::is_symlink(link_, ec)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

private:
    pid_t pid_ = -1;
    fs::path link_;
};

class TempHome {
public:
    TempHome() {
        char pattern[] = "/tmp/parlenko-pty-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        path_ = made ? made : "";
        fs::create_directories(path_ / "ports");
        const char* old = std::getenv("PARLENKO_HOME");
        if (old) old_ = old;
        hadOld_ = old != nullptr;
        ::setenv("PARLENKO_HOME", path_.c_str(), 1);
    }
    ~TempHome() {
        if (hadOld_) ::setenv("PARLENKO_HOME", old_.c_str(), 1);
        else ::unsetenv("PARLENKO_HOME");
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(ConnectOverPty, Com2LinkedToTheSimulatorFillsTheGeneralPage) {
    const std::string stateFile = std::string(PARLENKO_SOURCE_DIR) + "/tests/data/s45.state";
    const phonesim::PhoneState seeded = phonesim::LoadStateFile(stateFile);

    TempHome home;
    PhonesimProcess sim(stateFile, home.Path() / "ports" / "com2");
    ASSERT_TRUE(sim.WaitForLink());

    LoopScheduler loop;
    TermiosSerialDevice device;
    TSerialPortDriver port(device, loop);
    port.SetPort(pnCOM2);
    testing::RecordingHost host;
    PhoneEngine engine(port, loop, host);
    host.Attach(engine);
    ASSERT_TRUE(port.Connect()) << port.PortName();

    ResetModem(EngineInside::Context(engine));
    const GeneralInfoView& v = EngineInside::State(engine).GeneralInfo;
    ASSERT_TRUE(loop.RunUntil([&] { return !v.PrijemLab.empty(); }, 15000))
        << "information chain did not finish; maker: '" << v.ProLab << "'";

    EXPECT_EQ(v.ProLab, seeded.manufacturer);
    EXPECT_EQ(v.ModLab, seeded.model);
    EXPECT_EQ(v.ProModLab, seeded.manufacturer + " " + seeded.model);
    EXPECT_EQ(v.SoftLab, seeded.revision);
    EXPECT_EQ(v.ImeiLab, seeded.imei);
    EXPECT_EQ(v.ImsiLab, seeded.imsi);
    EXPECT_EQ(v.SimIdLab, seeded.simId);
    EXPECT_EQ(v.OperLab, seeded.operatorName);
    EXPECT_EQ(v.PodrucjeLab, seeded.lac);
    EXPECT_EQ(v.BazaIDLab, seeded.cellId);
    EXPECT_FALSE(v.DatMobLab.empty());
    EXPECT_FALSE(v.NapBatLab.empty());
    EXPECT_EQ(host.generalInfo.ImeiLab, seeded.imei);
    EXPECT_EQ(EngineInside::State(engine).Settings.SmscEdit, seeded.smsc);
    EXPECT_TRUE(host.dialogs.empty());

    DisconnectMobile(EngineInside::Context(engine));
    EXPECT_FALSE(port.Connected());
}
#endif

}  // namespace
}  // namespace parlenko::platform
