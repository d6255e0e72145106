// Pictures of the call lists page and the call windows for a person to look
// at: calls.png (the page after the read of the simulated S45), dial.png,
// talking.png, newcall.png and balance.png. Runs only when
// PARLENKO_SCREENSHOT_DIR names a folder (tests/ui/screenshots.sh).

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/x11_windows.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/call_forms.h"
#include "ui/dialogs/call_windows.h"
#include "ui/dialogs/citam_form.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/calls_page.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

using testing::Find;
using testing::Pump;
using testing::PumpUntil;

QString OutDir() { return qEnvironmentVariable("PARLENKO_SCREENSHOT_DIR"); }

// The simulated phone's clock shows one second all the time: the pictures do
// not depend on how long the steps before them took.
phonesim::PhoneOptions StandingClock() {
    phonesim::PhoneOptions options;
    options.clockStands = true;
    return options;
}

void Save(QWidget& w, const QString& name) {
    testing::SettleForPicture(w);
    QPixmap shot;
    if (QScreen* screen = w.screen(); screen != nullptr && QGuiApplication::platformName() == "xcb")
        shot = screen->grabWindow(w.winId());
    if (shot.isNull()) shot = w.grab();
    const QString path = QDir(OutDir()).filePath(name);
    EXPECT_TRUE(shot.save(path, "PNG")) << path.toStdString();
}

// Runs act once when ready holds, from whatever event loop is running.
void OnceWhen(std::function<bool()> ready, std::function<void()> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, ready, act] {
        if (!ready()) return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start();
}

TEST(ScreenshotsCalls, PageAndCallWindows) {
    if (OutDir().isEmpty()) GTEST_SKIP() << "PARLENKO_SCREENSHOT_DIR is not set";
    testing::App();
    QDir().mkpath(OutDir());
    testing::TempHome home;
    {
        QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Auto Connect", 1);
    }
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device(
        sched, phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state"),
        StandingClock());
    TSerialPortDriver port(device, sched);
    TWindowHost host;
    PhoneEngine engine(port, sched, host);
    TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                     home.QDir() + "Logos"};
    TGlavna glavna(engine, folders, home.QDir() + "Parlenko.ini");
    host.SetMainWindow(&glavna);
    TCitamForm citam(&glavna);
    citam.SetModeSource([&glavna] { return glavna.Mode(); });
    citam.SetOnClosed([&engine] { engine.ProgressWindowClosed(); });
    host.SetCitamForm(&citam);
    glavna.LoadOptions();
    glavna.show();
    ASSERT_TRUE(PumpUntil([&] { return port.Connected(); }, 5000));
    Pump(3000);
    auto idle = [&] {
        return PumpUntil([&] { return !glavna.Busy() && !citam.isVisible(); }, 20000);
    };
    ASSERT_TRUE(idle());
    glavna.OutBarBtn1Click(4);
    TCallsPage& page = Find<TCallsPage>(glavna, "PoziviPage");
    const QTreeWidget& missed = Find<QTreeWidget>(page, "CallsMissList");
    ASSERT_TRUE(PumpUntil([&] { return missed.topLevelItemCount() == 3; }, 15000));
    ASSERT_TRUE(idle());
    QTreeWidget& received = Find<QTreeWidget>(page, "CallsInList");
    received.clearSelection();
    received.setCurrentItem(received.topLevelItem(2));
    Save(glavna, "calls.png");

    TCallWindows& calls = glavna.CallWindows();
    TTalkingToForm& talking = *calls.TalkingToForm();
    bool done = false;
    OnceWhen([&] { return calls.DialForm()->isVisible(); },
             [&] {
                 Save(*calls.DialForm(), "dial.png");
                 Find<QPushButton>(*calls.DialForm(), "DialBtn").click();
             });
    OnceWhen([&] { return calls.TalkingToForm()->isVisible(); },
             [&] {
                 Find<QLineEdit>(talking, "DtmfStrEdit").setText("1234#");
                 Find<QSpinBox>(talking, "DurationUD").setValue(3);
                 Save(talking, "talking.png");
                 Find<QPushButton>(talking, "HangUpBtn").click();
                 done = true;
             });
    Find<QPushButton>(page, "SB6").click();
    ASSERT_TRUE(PumpUntil([&] { return done && !calls.TalkingToForm()->isVisible(); }, 15000));
    ASSERT_TRUE(
        PumpUntil([&] { return device.Phone().Call() == phonesim::CallState::Idle; }, 5000));
    Pump(500);
    ASSERT_TRUE(idle());

    device.Phone().IncomingCall(sched.NowMs(), "+385983199779");
    ASSERT_TRUE(PumpUntil(
        [&] {
            return calls.NewCallForm()->isVisible() &&
                   !Find<QLabel>(*calls.NewCallForm(), "TelefonLab").text().isEmpty();
        },
        10000));
    Save(*calls.NewCallForm(), "newcall.png");
    Find<QPushButton>(*calls.NewCallForm(), "Button2").click();
    ASSERT_TRUE(
        PumpUntil([&] { return device.Phone().Call() == phonesim::CallState::Idle; }, 5000));
    Pump(500);
    ASSERT_TRUE(idle());

    done = false;
    OnceWhen([&] { return calls.DialForm()->isVisible(); },
             [&] { Find<QPushButton>(*calls.DialForm(), "DialBtn").click(); });
    OnceWhen([&] { return calls.KreditForm()->isVisible(); },
             [&] {
                 Save(*calls.KreditForm(), "balance.png");
                 Find<QPushButton>(*calls.KreditForm(), "Button1").click();
                 done = true;
             });
    calls.DialSequence({}, "*101#");
    ASSERT_TRUE(PumpUntil([&] { return done; }, 10000));

    host.SetMainWindow(nullptr);
    host.SetCitamForm(nullptr);
    glavna.hide();
}

}  // namespace
}  // namespace parlenko::ui
