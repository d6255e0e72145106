// The main window with the simulated phone behind the port: the automatic
// connect runs the connect chain, a lost connection resets the window, and
// the progress window follows what the engine tells it.

#include "tests/support/engine_inside.h"
#include "ui/main_window/glavna.h"

#include "engine/general/general_info_chain.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/phonebook_file.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/controls/message_dialog.h"
#include "ui/dialogs/citam_form.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/appointments_page.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

struct SimRig : testing::MainWindowRig {
    SimRig() : MainWindowRig({.s45State = false}) { glavna->LoadOptions(); }
    bool Sent(const char* line) const { return device.Written().find(line) != std::string::npos; }
    // Shows the main window and waits until auto-connect has run the connect
    // chain to its end and the busy state is over.
    bool ShowConnected() {
        glavna->show();
        return PumpUntil([&] { return Sent("AT+CMGF=0\r"); }, 8000) &&
               PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }
};

TEST(GlavnaSimTest, AutoConnectResetsThePhoneAndRunsTheConnectChain) {
    SimRig rig;
    rig.glavna->show();
    ASSERT_TRUE(PumpUntil([&] { return rig.Sent("AT+CMGF=0\r"); }, 8000)) << rig.device.Written();
    EXPECT_EQ(rig.device.Written().rfind("ATZ\rATZ\rATE1\r", 0), 0u);
    EXPECT_TRUE(rig.Sent("AT+CMEE=1\r"));
    // The general page is shown: the general information is read next, and
    // the status bar names the phone.
    ASSERT_TRUE(PumpUntil(
        [&] { return Find<QLabel>(*rig.glavna, "ProModLab").text().contains("S45"); }, 8000))
        << rig.device.Written();
    EXPECT_TRUE(rig.Sent("AT+CGMI\r"));
    EXPECT_FALSE(Find<QAction>(*rig.glavna, "Uspostavivezu1").isEnabled());
}

TEST(GlavnaSimTest, AFailedWriteDisconnectsAndTheMenusFollow) {
    SimRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    DialogWatcher watcher;
    rig.device.SetWriteFailure(true);  // the cable is pulled
    rig.engine.RefreshGeneralInfo();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 3000));
    EXPECT_EQ(watcher.Seen()[0].caption, "Communication error!");
    EXPECT_FALSE(rig.port.Connected());
    EXPECT_TRUE(Find<QAction>(*rig.glavna, "Uspostavivezu1").isEnabled());
    EXPECT_FALSE(Find<QAction>(*rig.glavna, "Prekinivezu1").isEnabled());
    EXPECT_FALSE(Find<QAction>(*rig.glavna, "Iskljucimobitel1").isEnabled());
    EXPECT_TRUE(!rig.glavna->Busy()) << "the busy state ended";
}

TEST(GlavnaSimTest, ProgressWindowShowsWhatTheEngineKeeps) {
    SimRig rig;
    rig.glavna->SetMode(ActivityMode::Appointments);
    ProgressWindowView view;
    view.Caption = "Reading appointments . . .";
    view.LokacijaLab = "Mobile memory";
    view.Label1Visible = false;
    view.PozicijaLab = "Reading entry from position no. 5";
    view.ProgressBar1 = 38;
    view.ProgresLab = "38%";
    rig.host.ProgressWindowChanged(view);
    rig.host.ShowProgressWindow();
    EXPECT_TRUE(rig.host.IsProgressWindowVisible());
    EXPECT_EQ(rig.citam.windowTitle(), "Reading appointments . . .");
    EXPECT_EQ(Find<QLabel>(rig.citam, "LokacijaLab").text(), "Mobile memory");
    EXPECT_TRUE(Find<QLabel>(rig.citam, "Label1").isHidden());
    EXPECT_EQ(Find<QLabel>(rig.citam, "PozicijaLab").text(), "Reading entry from position no. 5");
    EXPECT_EQ(Find<QProgressBar>(rig.citam, "ProgressBar1").value(), 38);
    EXPECT_EQ(Find<QLabel>(rig.citam, "ProgresLab").text(), "38%");
    rig.host.HideProgressWindow();
    rig.host.CloseProgressWindow();
    EXPECT_FALSE(rig.host.IsProgressWindowVisible());
}

// A whole phonebook read: the progress window comes up without blocking the
// read, follows it memory by memory, and its closing at the end leaves the
// main window usable.
TEST(GlavnaSimTest, PhonebookReadShowsAndClosesTheProgressWindow) {
    SimRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    QStringList memoriesSeen;
    bool sawProgress = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!rig.citam.isVisible()) return;
        sawProgress = true;
        const QString memory = Find<QLabel>(rig.citam, "LokacijaLab").text();
        if (!memory.isEmpty() && !memoriesSeen.contains(memory)) memoriesSeen << memory;
    });
    watch.start(5);
    RefreshPhonebook(EngineInside::Context(rig.engine), PhoneMemory::Sim);
    ASSERT_TRUE(PumpUntil([&] { return rig.Sent("AT+CPBR=1\r"); }, 5000)) << rig.device.Written();
    ASSERT_TRUE(PumpUntil([&] { return sawProgress && !rig.citam.isVisible(); }, 20000));
    EXPECT_TRUE(memoriesSeen.contains("SIM card")) << memoriesSeen.join(", ").toStdString();
    EXPECT_FALSE(EngineInside::State(rig.engine).Phonebook.PhonebookList.empty());
    ASSERT_TRUE(PumpUntil([&] { return !rig.glavna->Busy(); }, 12000))
        << "closing ended the busy state";
}

// A close request (the title bar, Alt+F4) while a phonebook write waits for
// the phone's slow answer waits for it: the answer reaches the cache, the
// question comes after it, and the port closes last.
TEST(GlavnaSimTest, ACloseRequestDuringAWriteWaitsForItsAnswer) {
    SimRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    phonesim::CommandFault slow;
    slow.command = "AT+CPBW=";
    slow.delayMs = 2500;
    rig.device.Phone().AddFault(slow);
    int closed = 0;
    QObject::connect(rig.glavna.get(), &TGlavna::MainWindowClosed, [&] { ++closed; });
    const auto cached = [&] {
        for (const auto& e : exchange::LoadPhonebookFile(rig.home.Dir()).entries)
            if (e.Name == "Zadnji") return true;
        return false;
    };
    bool cachedAtQuestion = false;
    DialogWatcher watcher([&](TMessageDialog& d) {
        cachedAtQuestion = cached();
        DialogWatcher::Press(d, "Yes");
    });
    rig.engine.SavePhonebookEntry({PhoneMemory::Sim, "004", "Zadnji", "0915", false});
    ASSERT_TRUE(PumpUntil([&] { return rig.Sent("AT+CPBW=") && rig.glavna->Busy(); }, 5000));
    rig.glavna->close();
    ASSERT_TRUE(PumpUntil([&] { return closed == 1; }, 10000));
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Close Parlenko");
    EXPECT_TRUE(cachedAtQuestion) << "the question came before the write's answer";
    EXPECT_TRUE(cached());
    EXPECT_EQ(rig.device.Phone().State().phonebooks["SM"].entries[4].name, "Zadnji");
    const std::string& written = rig.device.Written();
    EXPECT_GT(written.find("AT+CNMI=0,0,0,0\r"), written.find("AT+CPBW="));
    EXPECT_FALSE(rig.port.Connected());
}

// Page 5 reads the calendar when its list is empty; a later visit keeps the
// list. The page is the engine's view of it.
TEST(GlavnaSimTest, TheAppointmentsPageReadsTheCalendarOnItsFirstVisitOnly) {
    SimRig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.device.Written();
    const auto firstReads = [&] {
        const std::string& w = rig.device.Written();
        int n = 0;
        for (auto at = w.find("AT^SBNR=\"vcs\",1\r"); at != std::string::npos;
             at = w.find("AT^SBNR=\"vcs\",1\r", at + 1))
            ++n;
        return n;
    };
    rig.glavna->OutBarBtn1Click(5);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return rig.glavna->AppointmentRows() > 0 && !rig.glavna->Busy() &&
                   !rig.citam.isVisible();
        },
        10000))
        << rig.device.Written();
    EXPECT_EQ(testing::Find<QLabel>(*rig.glavna, "AppCntLab").text(),
              QString::number(rig.glavna->AppointmentRows()));
    EXPECT_TRUE(rig.glavna->findChild<QAction*>("Izmjenipodatkepodsjetnika1")->isEnabled());
    rig.glavna->OutBarBtn1Click(1);
    EXPECT_FALSE(rig.glavna->findChild<QAction*>("Izmjenipodatkepodsjetnika1")->isEnabled());
    rig.glavna->OutBarBtn1Click(5);
    testing::Pump(300);
    EXPECT_EQ(firstReads(), 1);
    EXPECT_TRUE(rig.glavna->findChild<QAction*>("Izmjenipodatkepodsjetnika1")->isEnabled());
}

}  // namespace
}  // namespace parlenko::ui
