// Pictures of the windows for a person to look at: the main window connected
// to the simulated phone (the general page, then the advanced page with its
// melody and logo sub-pages, then the first menu open), the save-location
// window, the options window, the settings page read from the phone, the
// diverts, barrings and locks pages after their checks with their four
// dialogs, the splash window, the about box, the progress window, the status
// notice, a message box, a validation balloon beside a line edit with an
// ordinary tooltip, the appointments page with its editor, and the SMS page
// with its windows. Runs only when
// PARLENKO_SCREENSHOT_DIR names a folder (tests/ui/screenshots.sh runs it
// under Xvfb); skipped otherwise.

#include "components/widgets/tessary_hint.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/backup_files.h"
#include "exchange/store/outlook_store.h"
#include "tests/support/engine_inside.h"
#include "tests/support/phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "tests/ui/x11_windows.h"
#include "ui/base/options.h"
#include "ui/base/qt_scheduler.h"
#include "ui/controls/pc_files.h"
#include "ui/controls/phone_text_question.h"
#include "ui/dialogs/appointment_editor.h"
#include "ui/dialogs/barring_form.h"
#include "ui/dialogs/change_lock_form.h"
#include "ui/dialogs/change_pin_form.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/divert_form.h"
#include "ui/dialogs/info_form.h"
#include "ui/dialogs/new_sms_form.h"
#include "ui/dialogs/options_form.h"
#include "ui/dialogs/save_net_form.h"
#include "ui/dialogs/sms_form.h"
#include "ui/dialogs/sms_mem_form.h"
#include "ui/dialogs/splash_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/exchange/backup_form.h"
#include "ui/exchange/outlook_app_form.h"
#include "ui/exchange/outlook_cont_form.h"
#include "ui/exchange/store_session.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/appointments_page.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"
#include "ui/pages/logo_page.h"
#include "ui/pages/melodies_page.h"
#include "ui/pages/services_pages.h"
#include "ui/pages/settings_page.h"
#include "ui/pages/sms_page.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

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

// What the display shows of the window, with the title bar a window manager
// gives it (its own rendering when the platform cannot grab the screen).
void Save(QWidget& w, const QString& name) {
    testing::SettleForPicture(w);
    QPixmap shot = testing::StillScreen(w.frameGeometry());
    if (shot.isNull()) shot = w.grab();
    const QString path = QDir(OutDir()).filePath(name);
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
}

// What the display shows of a screen area holding several windows (their
// own renderings, placed, when the platform cannot grab the screen).
void SaveArea(const QRect& area, const std::vector<QWidget*>& windows, const QString& name) {
    Pump(300);
    QPixmap shot = testing::StillScreen(area);
    if (shot.isNull()) {
        shot = QPixmap(area.size());
        shot.fill(Qt::darkGray);
        QPainter p(&shot);
        for (QWidget* w : windows)
            p.drawPixmap(w->frameGeometry().topLeft() - area.topLeft(), w->grab());
    }
    const QString path = QDir(OutDir()).filePath(name);
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
}

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        if (OutDir().isEmpty()) GTEST_SKIP() << "PARLENKO_SCREENSHOT_DIR is not set";
        testing::App();
        QDir().mkpath(OutDir());
    }
};

TEST_F(Screenshots, Windows) {
    testing::TempHome home;
    {
        QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Auto Connect", 1);
    }
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device(sched, phonesim::MakeDefaultState(), StandingClock());
    TSerialPortDriver port(device, sched);
    TWindowHost host;
    PhoneEngine engine(port, sched, host);
    TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                     home.QDir() + "Logos"};
    TGlavna glavna(engine, folders, home.QDir() + "Parlenko.ini");
    host.SetMainWindow(&glavna);
    TStatusFrm status(&glavna);
    status.SetEnabledSource([] { return true; });
    host.SetStatusFrm(&status);
    TInfoForm info(&glavna);
    glavna.SetInfoForm(&info);
    TCitamForm citam(&glavna);
    citam.SetModeSource([&glavna] { return glavna.Mode(); });
    citam.SetOnClosed([&engine] { engine.ProgressWindowClosed(); });
    host.SetCitamForm(&citam);
    glavna.LoadOptions();

    TSplashForm splash;
    Find<QTimer>(splash, "SplashTimer").setInterval(200);
    splash.ShowAndWait();
    Save(splash, "splash.png");
    splash.close();

    glavna.show();
    ASSERT_TRUE(PumpUntil([&] { return port.Connected(); }, 5000));
    // Let the connect chain and the general information run.
    Pump(3000);
    Save(glavna, "main.png");

    // The advanced page with its tab bar, the phone settings tab selected.
    glavna.findChild<QAction*>("Ostalo2")->trigger();
    Pump(1000);
    Save(glavna, "advanced.png");

    // The melody sub-page: the phone's melodies, a MIDI file of the PC chosen.
    const QString melodies = home.QDir() + "Melodies/";
    QDir().mkpath(melodies);
    for (const char* name : {"Fanfare.mid", "Nocturne.mid"}) {
        QFile f(melodies + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            QByteArray::fromHex("4D546864000000060000000100604D54726B00000014"
                                "00903C4060803C4000903E4060803E4000FF2F00"));
    }
    glavna.TabBarBtn1Click(40);
    TPcFileList& midiFiles = Find<TMelodiesPage>(glavna, "MelodijePage").MidiFiles();
    midiFiles.SetFolder(melodies);
    Pump(1500);
    midiFiles.SelectPath(melodies + "Nocturne.mid");
    Save(glavna, "melodies.png");

    // The logo sub-page: the phone's logo and a picture of the PC.
    const QString logos = home.QDir() + "Logos/";
    QDir().mkpath(logos);
    QImage picture(101, 46, QImage::Format_Mono);
    picture.fill(1);
    for (int x = 8; x < 93; ++x)
        for (int y = 18; y < 28; ++y)
            if ((x / 6 + y / 5) % 2 == 0) picture.setPixel(x, y, 0);
    ASSERT_TRUE(picture.save(logos + "Stripes.bmp", "BMP"));
    glavna.TabBarBtn1Click(50);
    TLogoPage& logoPage = Find<TLogoPage>(glavna, "LogotipPage");
    logoPage.LogoFiles().SetFolder(logos);
    Pump(2000);
    logoPage.LogoFiles().SelectPath(logos + "Stripes.bmp");
    Save(glavna, "logo.png");
    // The logo of the typical S45 (1-bit, framed in black) read from the phone.
    device.Phone().State().objects["bmp"] =
        ::phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state").objects["bmp"];
    Find<QPushButton>(logoPage, "RefLogBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return logoPage.MobLogImageTag() == 1; }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return !glavna.Busy(); }, 5000));
    Save(glavna, "logo-read.png");
    glavna.OutBarBtn1Click(1);
    Pump(1500);

    // Naming the current cell.
    TSaveNetForm saveNet(&glavna, engine);
    saveNet.Prepare("HR VIP", "0DA2", "5C1F", "Ured 2");
    saveNet.show();
    Save(saveNet, "savenet.png");
    saveNet.hide();

    // The first menu open with an item selected: the window and the menu
    // below it as the screen shows them.
    QMenu& parlenko1 = Find<QMenu>(glavna, "Parlenko1");
    glavna.menuBar()->setActiveAction(parlenko1.menuAction());
    ASSERT_TRUE(PumpUntil([&] { return parlenko1.isVisible(); }, 3000));
    parlenko1.setActiveAction(&Find<QAction>(glavna, "Prekinivezu1"));
    SaveArea(glavna.frameGeometry().united(parlenko1.geometry()), {&glavna, &parlenko1},
             "menu.png");
    parlenko1.hide();

    info.show();
    Save(info, "about.png");
    info.hide();

    // The options window over the main window, as "Opcije" opens it, on a
    // machine with two USB cables (one known by its stable name), in a fixed
    // folder as its path shows in the picture.
    const std::filesystem::path dev =
        std::filesystem::temp_directory_path() / "parlenko-screenshots-dev";
    std::filesystem::remove_all(dev);
    std::filesystem::create_directories(dev / "serial/by-id");
    for (const char* name : {"ttyUSB0", "ttyACM0"}) std::ofstream(dev / name).put('\n');
    std::filesystem::create_symlink("../../ttyUSB0",
                                    dev / "serial/by-id/usb-Prolific_USB-Serial-if00-port0");
    TOptionsForm& options = *glavna.OptionsForm();
    options.SetDeviceFolder(QString::fromStdString(dev.string()));
    options.open();
    Save(options, "options.png");
    Find<QTabWidget>(options, "PageControl1").setCurrentIndex(1);
    Save(options, "options-comm.png");
    // The port list dropped open.
    QComboBox& portList = Find<QComboBox>(options, "ComPortCB");
    portList.showPopup();
    QWidget* ports = portList.view()->window();
    ASSERT_TRUE(PumpUntil([&] { return ports->isVisible(); }, 3000));
    SaveArea(options.frameGeometry().united(ports->geometry()), {&options, ports},
             "options-ports.png");
    portList.hidePopup();
    Find<QPushButton>(options, "Button2").click();
    std::filesystem::remove_all(dev);

    // The settings page, read from the phone as its tab is entered.
    glavna.findChild<QAction*>("Ostalo2")->trigger();
    ASSERT_TRUE(
        PumpUntil([&] { return !Find<QLineEdit>(glavna, "CijenaEdit").text().isEmpty(); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return !glavna.Busy(); }, 5000));
    Pump(300);
    Save(glavna, "settings.png");

    // The diverts, barrings and locks pages after their checks, and their
    // dialogs (the divert dialog's names from the phonebook).
    engine.RefreshPhonebook();
    ASSERT_TRUE(PumpUntil([&] { return !engine.PhonebookEmpty(); }, 10000));
    ASSERT_TRUE(PumpUntil([&] { return !glavna.Busy() && !citam.isVisible(); }, 20000));
    auto idle = [&] {
        Pump(300);
        return PumpUntil([&] { return !glavna.Busy() && !citam.isVisible(); }, 15000);
    };
    // The diverts and locks of the typical S45.
    const auto s45 = ::phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state");
    device.Phone().State().diverts = s45.diverts;
    device.Phone().State().locks = s45.locks;
    glavna.findChild<QAction*>("Preusmjeravanjepoziva1")->trigger();
    Find<QPushButton>(glavna, "DivertCheckBtn").click();
    ASSERT_TRUE(idle());
    Save(glavna, "diverts.png");
    glavna.findChild<QAction*>("Zabranapoziva1")->trigger();
    Find<QPushButton>(glavna, "BarringCheckBtn").click();
    ASSERT_TRUE(idle());
    Save(glavna, "barrings.png");
    glavna.findChild<QAction*>("Zakljuavanja1")->trigger();
    ASSERT_TRUE(idle());
    Save(glavna, "locks.png");

    TDivertForm& divert = *Find<TDivertPage>(glavna, "DivertPage").DivertForm();
    divert.show();
    Find<QComboBox>(divert, "ReasonCB").setCurrentIndex(2);
    // A VIP name of the phonebook fills its number.
    QComboBox& names = Find<QComboBox>(divert, "NazivCB");
    for (int k = 0; k < names.count(); ++k)
        if (names.itemData(k).toString().endsWith('!')) names.setCurrentIndex(k);
    divert.NazivCBChange();
    Save(divert, "divert.png");
    divert.hide();
    TBarringForm& barring = *Find<TBarringPage>(glavna, "BarringPage").BarringForm();
    barring.show();
    Find<QRadioButton>(barring, "RadioButton2").click();
    Find<QLineEdit>(barring, "PswdEdit").setText("0000");
    Save(barring, "barring.png");
    barring.hide();
    TChangeLockForm& lock = *Find<TLocksPage>(glavna, "LocksPage").ChangeLockForm();
    lock.show();
    Find<QRadioButton>(lock, "RadioButton3").click();
    Find<QLineEdit>(lock, "PinEdit").setText("1234");
    Save(lock, "lock.png");
    lock.hide();
    TChangePinForm& code = *Find<TLocksPage>(glavna, "LocksPage").ChangePinForm();
    code.show();
    Find<QLineEdit>(code, "OldPinEdit").setText("1234");
    Find<QLineEdit>(code, "New1PinEdit").setText("4321");
    Find<QLineEdit>(code, "New2PinEdit").setText("4321");
    Save(code, "code.png");
    code.hide();
    glavna.OutBarBtn1Click(1);

    glavna.SetMode(ActivityMode::Phonebook);
    Find<QLabel>(citam, "LokacijaLab").setText("SIM card");
    Find<QLabel>(citam, "UpisanoLab").setText("42 / 250");
    citam.ShowPosition(QString::fromUtf8("Čitam podatke sa pozicije br. 18"));
    citam.SetPercent(43);
    citam.ShowProgress();
    Save(citam, "progress.png");
    citam.hide();

    status.ShowStatusMessage("Entry succesfully saved in mobile phonebook!");
    Save(status, "status.png");
    status.close();

    TMessageDialog box(&glavna, "Close Parlenko", "Do you really want to exit?",
                       DialogKind::Confirmation, DialogButtons::YesNo);
    box.show();
    Save(box, "message.png");
    box.close();

    // The question before text the phone cannot store whole is written.
    testing::DialogWatcher no([](TMessageDialog& d) {
        d.adjustSize();
        Save(d, "unsupported.png");
        testing::DialogWatcher::Press(d, "No");
    });
    WriteChangedTexts(
        &glavna,
        {{QString::fromUtf8("Iva Khardić"), ToPhoneText("Iva Khardi\xC4\x87")},
         {QString::fromUtf8("Đuro Šimić"), ToPhoneText("\xC4\x90uro \xC5\xA0imi\xC4\x87")}});

    // The backup wizard: its start page once the phonebook was read, the
    // entries of a backup with some chosen, a restore under way and the end
    // of one that the phone partly refused.
    {
        const std::string backup = home.Dir() + "Backup_071226.pbb";
        ASSERT_TRUE(exchange::WritePhonebookRecordsFile(
                        backup, {{"Ana Horvat!", "+385911234567", "SIM card", "001"},
                                 {"Ivo Ivic", "0987654321", "SIM card", "002"},
                                 {"Posao ured", "+38512345678", "SIM card", "005"},
                                 {"Marko", "+385981112223", "Mobile memory", "001"},
                                 {"Frizer", "014833222", "Mobile memory", "002"},
                                 {"My number", "+385915550001", "Own numbers", "001"}})
                        .ok());
        ASSERT_TRUE(exchange::AddBackupPath(home.Dir(), backup).ok());
        ui::TBackupForm wizard(&glavna, engine, home.QDir());
        wizard.show();
        wizard.PhonebookReadFinished();
        Save(wizard, "backup-start.png");
        QPushButton& next = Find<QPushButton>(wizard, "NextBtn");
        // The location page without a name, the phone to be read first: no
        // way on.
        next.click();
        next.click();
        Find<QLineEdit>(wizard, "Edit2").clear();
        Find<QCheckBox>(wizard, "RefreshCB").setChecked(true);
        Save(wizard, "backup-noname.png");
        Find<QStackedWidget>(wizard, "Notebook1").setCurrentIndex(ui::TBackupForm::Start);
        Find<QRadioButton>(wizard, "RestoreRB").setChecked(true);
        next.click();
        QTreeWidget& backups = Find<QTreeWidget>(wizard, "BackupList");
        backups.setCurrentItem(backups.topLevelItem(0));
        next.click();
        for (int row : {0, 1, 3})
            Find<QTreeWidget>(wizard, "RestoreList")
                .topLevelItem(row)
                ->setCheckState(0, Qt::Checked);
        Save(wizard, "restore-list.png");
        Find<QStackedWidget>(wizard, "Notebook1").setCurrentIndex(ui::TBackupForm::Restore5);
        RestoreProgressView view;
        view.RestoreLokLab = "SIM card";
        view.ToWriteLab = "247 of 250";
        view.WritingLabVisible = true;
        view.RestNameLab = "Posao ured   [+38512345678]";
        view.RestorePosLab = "Saving entry on position no. 3";
        view.RestoreProgBar = 1;
        view.RestPercLab = "1%";
        wizard.RestoreProgressChanged(view);
        Save(wizard, "restore-progress.png");
        // The end of a run the phone partly refused.
        RestoreOutcome outcome;
        outcome.Steps = 250;
        outcome.Failed = 2;
        outcome.NotWritten = {
            {{PhoneMemory::Sim, "Posao ured", "+38512345678", false}, "Text too long"},
            {{PhoneMemory::Phone, "Frizer", "014833222", false}, "Memory full"}};
        wizard.RestoreFinished(outcome);
        Save(wizard, "restore-end.png");
        wizard.hide();
    }

    // A name with characters the phone cannot store, the balloon beside its
    // edit, and an ordinary tooltip below (the main window's hints show it).
    glavna.hide();
    QWidget entry;
    entry.setWindowTitle("Unos u imenik");
    entry.setGeometry(120, 120, 320, 200);
    QLineEdit name(QString::fromUtf8("Ana ~{Ive}"), &entry);
    name.setGeometry(20, 60, 180, 22);
    QLabel tipped("COM 2", &entry);
    tipped.setToolTip("Mobile not connected!\r\nTo connect, double-click here!");
    tipped.setGeometry(20, 170, 60, 20);
    entry.show();
    testing::SettleForPicture(entry);
    const QString dashes = "--------------------------------";
    widgets::TTessaryHintWindow balloon(&entry);
    balloon.ShowHintAt(
        "You entered following\runsupported characters:\r" + dashes + "\r~ { } \r" + dashes,
        nullptr, entry.pos().x() + 51, entry.pos().y() + 100);
    QHelpEvent tip(QEvent::ToolTip, QPoint(10, 10), tipped.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&tipped, &tip);
    QWidget& tooltip = glavna.Hints().Window();
    // The balloon lies inside the window; the tooltip is a window of its own.
    const QRect area =
        entry.frameGeometry().united(tooltip.frameGeometry()).adjusted(-10, -10, 10, 10);
    SaveArea(area, {&entry, &tooltip}, "balloon.png");
    tooltip.hide();
    balloon.hide();
    entry.hide();

    host.SetMainWindow(nullptr);
    host.SetStatusFrm(nullptr);
    host.SetCitamForm(nullptr);
    glavna.hide();
}

// The appointments page after a read of the S45's calendar (its phonebook
// read first, so a phone call shows its name), and the editor open on that
// phone call.
TEST_F(Screenshots, Appointments) {
    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device(
        sched, phonesim::LoadStateFile(std::string(PARLENKO_SOURCE_DIR) + "/tests/data/s45.state"),
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
    glavna.show();
    ASSERT_TRUE(engine.Connect());
    const auto sent = [&](const char* line) {
        return device.Written().find(line) != std::string::npos;
    };
    const auto idle = [&] { return !glavna.Busy() && !citam.isVisible(); };
    ASSERT_TRUE(PumpUntil([&] { return sent("AT+CMGF=0\r") && idle(); }, 12000));
    RefreshPhonebook(EngineInside::Context(engine), PhoneMemory::Sim);
    ASSERT_TRUE(PumpUntil([&] { return sent("AT^SPBS=\"SD\"\r") && idle(); }, 20000));
    glavna.OutBarBtn1Click(5);
    // The page's first visit reads the calendar.
    PodsjetnikPage& page = Find<PodsjetnikPage>(glavna, "PodsjetnikPage");
    ASSERT_TRUE(PumpUntil([&] { return sent("AT^SBNR=\"vcs\",49\r") && idle(); }, 20000));
    page.FocusAppointmentRow("1");
    Save(glavna, "appointments.png");

    page.FocusAppointmentRow("3");
    QTimer::singleShot(0, [&] {
        TAppointmentForm& f = Find<TAppointmentForm>(glavna, "AppointmentForm");
        Save(f, "appointment-editor.png");
        f.reject();
    });
    page.EditAppTBClick();
    // A meeting whose alarm is off: said whole.
    page.AddAppointmentRow(
        {"Kava s Ivom", "Meeting", "Once", "21.03.2005", "10:00:00", "4", 63, "Kava s Ivom"});
    page.FocusAppointmentRow("4");
    Save(glavna, "appointments-off.png");

    // The calendar exchange over a store with three appointments.
    ui::TStoreSession session([&glavna] { return LoadStoreSettings(glavna.OptionsPath()); });
    {
        const exchange::store::StoreSettings stored = LoadStoreSettings(glavna.OptionsPath());
        exchange::store::Application app(stored);
        app.GetNamespace("MAPI").Logon();
        const struct {
            const char* subject;
            const char* categories;
            exchange::store::LocalDateTime start;
            int recurrence;
        } items[] = {{"Sastanak odjela", "Meeting", {2026, 12, 14, 9, 0, 0}, 1},
                     {"+385911234567", "Phone Calls", {2026, 12, 15, 16, 30, 0}, -1},
                     {"Rođendan Ane", "Anniversary", {2027, 3, 8, 8, 0, 0}, 5}};
        const std::filesystem::path calendar =
            std::filesystem::path(stored.Calendars) / stored.CalendarDefault;
        const auto firstSaved = std::filesystem::file_time_type::clock::now();
        std::set<std::filesystem::path> dated;
        for (const auto& i : items) {
            auto a = app.CreateItem(exchange::store::olAppointmentItem).AsAppointmentItem();
            a.SetSubject(i.subject);
            a.SetCategories(i.categories);
            a.SetStart(i.start);
            if (i.recurrence >= 0) a.GetRecurrencePattern().SetRecurrenceType(i.recurrence);
            a.SetReminderSet(i.recurrence != -1);
            a.Save();
            // The store lists items oldest first; saves within one clock tick
            // would fall back to their random names, so each gets its own second.
            for (const auto& e : std::filesystem::directory_iterator(calendar)) {
                if (e.path().extension() != ".ics" || !dated.insert(e.path()).second) continue;
                std::filesystem::last_write_time(e.path(),
                                                 firstSaved + std::chrono::seconds(dated.size()));
            }
        }
        ASSERT_EQ(dated.size(), 3u);
    }
    ui::TOutlookAppForm outlook(&glavna, engine, page, session, &citam);
    glavna.SetOutlookAppForm(&outlook);
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!outlook.isVisible()) return;
        watch.stop();
        Find<QPushButton>(outlook, "OutSelectAllBtn").click();
        Save(outlook, "outlook-calendar.png");
        outlook.reject();
    });
    watch.start();
    glavna.OutlookATBClick();
    glavna.SetOutlookAppForm(nullptr);

    // The contacts exchange over three contacts (one chosen, its mobile
    // number picked) and the phonebook just read, two entries marked; then
    // the folder window with the subfolder "Posao" chosen.
    {
        const auto settings = LoadStoreSettings(home.QDir() + "Parlenko.ini");
        exchange::store::Application app(settings);
        exchange::store::NameSpace ns = app.GetNamespace("MAPI");
        ns.Logon();
        for (const auto& [name, home1, mobile] :
             {std::tuple{"Ana Horvat", "+385 (01) 4567 890", "+385 91 123 4567"},
              std::tuple{"\xC5\xA0ime Kova\xC4\x8D", "", "098 765 432"},
              std::tuple{"Zubar Novak", "(01) 2345-678", ""}}) {
            auto c = app.CreateItem(exchange::store::olContactItem).AsContactItem();
            c.SetFullName(name);
            c.SetHomeTelephoneNumber(home1);
            c.SetMobileTelephoneNumber(mobile);
            c.Save();
        }
        ns.GetDefaultFolder(exchange::store::olFolderContacts).GetFolders().Add("Posao", 10);
        ui::TOutlookContForm contacts(&glavna, engine, session, &citam);
        glavna.show();
        ASSERT_TRUE(contacts.OpenStore());
        contacts.show();
        Pump(100);
        QTreeWidget& contactsList = Find<QTreeWidget>(contacts, "ContactsList");
        contactsList.setCurrentItem(contactsList.topLevelItem(0));
        Find<QRadioButton>(contacts, "MobRB").click();
        QTreeWidget& phonebook = Find<QTreeWidget>(contacts, "PhonebookList");
        phonebook.clearSelection();
        for (int row : {0, 1})
            if (row < phonebook.topLevelItemCount()) phonebook.topLevelItem(row)->setSelected(true);
        Save(contacts, "outlook-contacts.png");
        ui::TOutFoldersForm& folderForm = contacts.OutFoldersForm();
        folderForm.show();
        QTreeWidget& folderTree = Find<QTreeWidget>(folderForm, "OutFoldersTV");
        folderTree.setCurrentItem(folderTree.topLevelItem(0)->child(0));
        Find<QLineEdit>(folderForm, "Edit1").setText("Obitelj");
        Save(folderForm, "outlook-folders.png");
        folderForm.hide();
        contacts.close();
    }

    host.SetMainWindow(nullptr);
    host.SetCitamForm(nullptr);
    glavna.hide();
}

// The SMS page read from the simulated S45 (its phonebook first, as the
// page offers), the compose window with a picture tag in the text, the
// recipient window of a stored message and the new-message notice.
TEST_F(Screenshots, Sms) {
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
    ASSERT_TRUE(PumpUntil([&] { return !engine.GeneralInfo().PrijemLab.empty(); }, 15000));
    ASSERT_TRUE(PumpUntil([&] { return !glavna.Busy(); }, 12000));
    {
        testing::DialogWatcher yes;  // "Read it now?" the phonebook
        glavna.OutBarBtn1Click(3);
        ASSERT_TRUE(PumpUntil([&] { return engine.SmsList().size() == 12; }, 30000));
        ASSERT_TRUE(PumpUntil([&] { return !glavna.Busy() && !citam.isVisible(); }, 10000));
    }
    TSmsPage& page = Find<TSmsPage>(glavna, "SmsPage");
    testing::Find<QTreeWidget>(page, "SMSListIn").setFocus();
    Pump(300);
    Save(glavna, "sms.png");

    TSmsForm& compose = page.ComposeWindow();
    compose.PrepareNew();
    compose.SetRecipient(QString::fromUtf8("Ivan Novak"), "+385950610995");
    compose.SetText(QString::fromUtf8("Sretan rodjendan!\n\"%Cake\" i puno pozdrava"));
    testing::Find<QSpinBox>(compose, "PicturesUD").setValue(2);
    compose.show();
    compose.SetText(compose.Text());
    Save(compose, "compose.png");
    // Letters the phone cannot take: the balloon lies in the compose window;
    // the new-message notice, come in front, covers it as it covers the
    // window.
    compose.SetText(QString::fromUtf8("Vidimo se u 5 ~{ }"));
    NewSmsNotice arrived;
    arrived.OsobaLab = "Ivan";
    arrived.TelefonLab = "+385912345678";
    arrived.DatumLab = "15.03.2005     12:40:05";
    arrived.PorukaMemo = "Stigao sam.";
    TNewSmsForm& over = page.NoticeWindow();
    QTimer::singleShot(300, [&] {
        testing::SettleForPicture(over);
        SaveArea(compose.frameGeometry().united(over.frameGeometry()).adjusted(-10, -10, 10, 10),
                 {&compose, &over}, "compose-notice.png");
        testing::Find<QPushButton>(over, "Button1").click();
    });
    page.ShowNewSmsNotice(arrived);
    compose.reject();

    TSmsMemForm& mem = page.RecipientWindow();
    mem.show();
    auto& names = testing::Find<QComboBox>(mem, "NazivCB");
    names.setCurrentIndex(names.findData("Ivan Novak"));
    testing::Find<QLineEdit>(mem, "TelEdit").setText("+385950610995");
    Save(mem, "smsmem.png");
    mem.reject();

    NewSmsNotice notice;
    notice.OsobaLab = "Ivan";
    notice.TelefonLab = "+385912345678";
    notice.DatumLab = "15.03.2005     12:40:05";
    notice.PorukaMemo =
        "Sti\xC5\xBE"
        "em za 10 minuta.\r\n\xC4\x8C"
        "ekaj me kod ulaza!";
    TNewSmsForm& newSms = page.NoticeWindow();
    QTimer::singleShot(200, [&] {
        Save(newSms, "newsms.png");
        testing::Find<QPushButton>(newSms, "Button1").click();
    });
    page.ShowNewSmsNotice(notice);

    host.SetMainWindow(nullptr);
    host.SetCitamForm(nullptr);
    glavna.hide();
}

}  // namespace
}  // namespace parlenko::ui
