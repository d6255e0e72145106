#pragma once
// The main window against the simulated phone, in-process: the scheduler on
// the Qt loop, the simulated S45 behind the serial port driver, the window
// host, the engine, the main window over a fresh data folder and the
// progress window. A test's own rig derives from it, adds what it needs and
// loads the options (glavna->LoadOptions()) once its set-up is done.

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/engine_inside.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/citam_form.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"

#include <QSettings>

#include <functional>
#include <memory>
#include <string>

namespace parlenko::ui::testing {

struct MainWindowRigOptions {
    bool s45State = true;     // tests/data/s45.state; the default state otherwise
    bool autoConnect = true;  // "Auto Connect" in the options file
    // Changes the phone's state before the phone is made.
    std::function<void(phonesim::PhoneState&)> adjustState = {};
    // Fills the data folder (its path, with the closing '/') before the main
    // window is made.
    std::function<void(const std::string&)> prepareHome = {};
};

class MainWindowRig {
public:
    explicit MainWindowRig(MainWindowRigOptions options = {})
        : device{sched, PhoneStateOf(options)} {
        if (options.autoConnect) {
            QSettings s(IniPath(), QSettings::IniFormat);
            s.beginGroup("Options");
            s.setValue("Auto Connect", 1);
        }
        if (options.prepareHome) options.prepareHome(home.Dir());
        TFolders folders{home.QDir(), BuiltImagesDir(), home.QDir() + "Melodies/",
                         home.QDir() + "Logos"};
        glavna = std::make_unique<TGlavna>(engine, folders, IniPath());
        citam.SetModeSource([this] { return glavna->Mode(); });
        citam.SetOnClosed([this] { engine.ProgressWindowClosed(); });
        host.SetMainWindow(glavna.get());
        host.SetCitamForm(&citam);
    }
    ~MainWindowRig() { CloseMainWindow(); }
    // Takes the windows from the host and deletes the main window (once); a
    // rig whose own windows must outlive the main window calls it first.
    void CloseMainWindow() {
        if (!glavna) return;
        host.SetMainWindow(nullptr);
        host.SetCitamForm(nullptr);
        host.SetStatusFrm(nullptr);
        glavna->hide();
        glavna.reset();
    }
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    static phonesim::PhoneState PhoneStateOf(const MainWindowRigOptions& options) {
        auto state = options.s45State
                         ? phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state")
                         : phonesim::MakeDefaultState();
        if (options.adjustState) options.adjustState(state);
        return state;
    }
    QString IniPath() const { return home.QDir() + "Parlenko.ini"; }
    const std::string& Written() const { return device.Written(); }
    // Not busy, no read window, and no command waiting for its answer (the
    // window is not busy before the first answer comes).
    bool Idle() {
        return PumpUntil(
            [&] {
                return !glavna->Busy() && !citam.isVisible() &&
                       EngineInside::State(engine).Receive.CommandInFlight.empty();
            },
            20000);
    }
    // The connect chain done: the general information read.
    bool WaitConnected() {
        return PumpUntil([&] { return !engine.GeneralInfo().PrijemLab.empty(); }, 15000);
    }

private:
    struct AppFirst {
        AppFirst() { App(); }
    } app_;

public:
    TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device;
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TCitamForm citam;
    std::unique_ptr<TGlavna> glavna;
};

}  // namespace parlenko::ui::testing
