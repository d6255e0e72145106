// The program block: one copy at a time, the windows in their order, the
// options, the splash window, then the event loop until the main window
// closes. SIGTERM, SIGINT and SIGHUP are handled from the first moment on.

#include "app/program_identity.h"
#include "app/termination_signal.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "platform/serial/termios_serial_device.h"
#include "platform/single_instance.h"
#include "platform/system_clock.h"
#include "ui/base/folders.h"
#include "ui/base/options.h"
#include "ui/base/qt_scheduler.h"
#include "ui/controls/message_dialog.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/info_form.h"
#include "ui/dialogs/splash_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/exchange/backup_form.h"
#include "ui/exchange/outlook_app_form.h"
#include "ui/exchange/outlook_cont_form.h"
#include "ui/exchange/store_session.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"

#include <QApplication>
#include <QTimer>

#include <memory>

using namespace parlenko;

namespace {

// What SIGTERM, SIGINT and SIGHUP do depends on how far the start has come.
// Until the main window runs nothing has been written: the box that is open
// closes, every later one returns at once, and the program leaves before its
// main window shows. Once it runs, the main window closes without the close
// query (options saved, notices off, port closed).
class StartUp {
public:
    void Terminate() {
        if (running_ != nullptr) {
            running_->CloseAtTermination();
            return;
        }
        terminated_ = true;
        if (splash_ != nullptr) splash_->EndWait();
        // Ends the loop of the open box; until the event loop of the program
        // would start, every later loop returns at once.
        QCoreApplication::exit(0);
    }
    bool Terminated() const { return terminated_; }
    void SetSplash(ui::TSplashForm* splash) { splash_ = splash; }
    void SetRunning(ui::TGlavna* glavna) { running_ = glavna; }

private:
    bool terminated_ = false;
    ui::TSplashForm* splash_ = nullptr;
    ui::TGlavna* running_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a window.
    if (const auto status = parlenko::app::AnswerCommandLine(argc, argv)) return *status;
    // Before anything else: a signal during the start is served by the
    // first event loop (a box's) instead of killing the program.
    parlenko::app::TerminationSignal terminationSignal;
    QApplication app(argc, argv);
    parlenko::app::SetProgramIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    StartUp startUp;
    terminationSignal.Listen([&startUp] { startUp.Terminate(); });

    // Only a lock held by another copy refuses the start; a lock that cannot
    // be made at all (say, an unwritable data folder) does not.
    platform::SingleInstanceLock instance;
    if (!instance.TryAcquire(platform::InstanceLockPath()) && instance.HeldElsewhere()) {
        ui::ShowMessageDialog(nullptr, QStringLiteral("Parlenko"),
                              QStringLiteral("Parlenko already active!"), DialogKind::Error,
                              DialogButtons::Ok);
        return startUp.Terminated() ? 0 : 1;
    }

    // The engine and its port: "COM2" at 19200 bit/s with RTS/CTS and the
    // line check, 4096-byte queues, polled on the event loop. The options
    // overwrite the line settings once they are loaded.
    ui::QtScheduler scheduler;
    platform::TermiosSerialDevice device;
    TSerialPortDriver port(device, scheduler);
    port.SetPortName("COM2");
    port.SetBaudRateValue(19200);
    port.SetHwFlow(hfRTSCTS);
    port.SetInBufSize(4096);
    port.SetOutBufSize(4096);
    port.SetCheckLineStatus(true);
    ui::TWindowHost host;
    PhoneEngine engine(port, scheduler, host);
    // "Phone to PC" asks the system's time service; the windows keep
    // painting while the administrator's password may be asked for.
    platform::SystemClock systemClock(
        {}, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    engine.SetSystemClock(&systemClock);

    // The windows, in their order.
    ui::TGlavna glavna(engine, ui::ResolveFolders(), ui::OptionsFilePath());
    host.SetMainWindow(&glavna);
    ui::TStatusFrm statusFrm(&glavna);
    statusFrm.SetEnabledSource([&glavna] { return glavna.Options().ShowStatusMessages; });
    glavna.SetStatusFrm(&statusFrm);
    host.SetStatusFrm(&statusFrm);
    ui::TSplashForm splash;
    startUp.SetSplash(&splash);
    ui::TInfoForm infoForm(&glavna);
    glavna.SetInfoForm(&infoForm);

    glavna.LoadOptions();
    if (glavna.Options().SplashScreen && !startUp.Terminated()) splash.ShowAndWait();

    ui::TCitamForm citamForm(&glavna);
    citamForm.SetModeSource([&glavna] { return glavna.Mode(); });
    citamForm.SetOnClosed([&engine] { engine.ProgressWindowClosed(); });
    glavna.SetCitamForm(&citamForm);
    host.SetCitamForm(&citamForm);
    ui::TBackupForm backupForm(&glavna, engine, glavna.Folders().ExeDir);
    glavna.SetBackupForm(&backupForm);

    // The contacts and calendar store, and the two exchanges.
    ui::TStoreSession storeSession(
        [&glavna] { return ui::LoadStoreSettings(glavna.OptionsPath()); });
    ui::TOutlookAppForm outlookAppForm(&glavna, engine, glavna.AppointmentsPage(), storeSession,
                                       &citamForm);
    glavna.SetOutlookAppForm(&outlookAppForm);
    ui::TOutlookContForm outlookContForm(&glavna, engine, storeSession, &citamForm);
    QObject::connect(&outlookContForm, &ui::TOutlookContForm::NewEntryFromContact, &glavna,
                     &ui::TGlavna::NewEntryFromContact);
    glavna.SetContactsExchange(&outlookContForm);

    splash.close();
    startUp.SetSplash(nullptr);
    if (startUp.Terminated()) return 0;
    if (glavna.ImagesMissing()) return 1;

    QObject::connect(&glavna, &ui::TGlavna::MainWindowClosed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // From here SIGTERM, SIGINT and SIGHUP end the program without the close query.
    startUp.SetRunning(&glavna);
    glavna.show();
    const int result = app.exec();
    startUp.SetRunning(nullptr);
    // The windows go before the engine: nothing may call the host afterwards.
    host.SetMainWindow(nullptr);
    host.SetStatusFrm(nullptr);
    host.SetCitamForm(nullptr);
    glavna.SetOutlookAppForm(nullptr);
    glavna.SetContactsExchange(nullptr);
    glavna.SetBackupForm(nullptr);
    return result;
}
