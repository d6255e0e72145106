// The calendar exchange window against the simulated phone and a store in a
// temporary folder: store appointments into the editor and onto the phone,
// phone appointments into the store, the page's single save, the failures,
// and the repeating events khal makes.

#include "tests/support/engine_inside.h"
#include "ui/exchange/outlook_app_form.h"

#include "engine/core/busy_state.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/store/outlook_store.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/appointment_editor_controls.h"
#include "tests/ui/store_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/appointment_editor.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/exchange/store_session.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/appointments_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace parlenko::ui {
namespace {

using testing::Find;

using ui::testing::DialogWatcher;
using ui::testing::EditorControls;
using ui::testing::Find;
using ui::testing::PumpUntil;
namespace st = exchange::store;

struct CalendarRig {
    CalendarRig()
        : settings{ui::testing::StoreIn(home.Dir())},
          device(sched, phonesim::LoadStateFile(std::string(PARLENKO_SOURCE_DIR) +
                                                "/tests/data/s45.state")) {
        citam.SetModeSource([this] { return static_cast<int>(engine.Mode()); });
        citam.SetOnClosed([this] { engine.ProgressWindowClosed(); });
        host.SetCitamForm(&citam);
        host.SetStatusFrm(&statusFrm);
        engine.SetView<IObjectsView>(&page);
        QObject::connect(&page, &ui::PodsjetnikPage::StatusMessage,
                         [this](const std::string& text) { status = text; });
        page.SetCalendarExchange(&form);
    }
    ~CalendarRig() {
        engine.SetView<IObjectsView>(nullptr);
        host.SetCitamForm(nullptr);
        host.SetStatusFrm(nullptr);
    }
    bool Sent(const std::string& line) const {
        return device.Written().find(line) != std::string::npos;
    }
    bool Idle() { return !IsBusy(EngineInside::Context(engine)) && !citam.isVisible(); }
    bool ConnectAndRead() {
        if (!engine.Connect()) return false;
        if (!PumpUntil([&] { return Sent("AT+CMGF=0\r") && Idle(); }, 12000)) return false;
        const std::size_t from = device.Written().size();
        page.RefreshAppointments();
        const std::string last =
            "AT^SBNR=\"vcs\"," + std::to_string(engine.Capabilities().AppointmentSlots) + "\r";
        return PumpUntil(
            [&] { return device.Written().find(last, from) != std::string::npos && Idle(); },
            20000);
    }
    // An appointment written into the store's default calendar.
    void AddToStore(const std::string& subject, const std::string& categories,
                    st::LocalDateTime start, int recurrence = -1, bool reminder = false) {
        st::Application store(settings);
        store.GetNamespace("MAPI").Logon();
        st::AppointmentItem a = store.CreateItem(st::olAppointmentItem).AsAppointmentItem();
        a.SetSubject(subject);
        a.SetCategories(categories);
        a.SetStart(start);
        if (recurrence >= 0) a.GetRecurrencePattern().SetRecurrenceType(recurrence);
        a.SetReminderSet(reminder);
        a.Save();
    }
    // The store's calendar read into the upper list, the page's rows into the lower.
    void ReadWithoutShowing() { ASSERT_TRUE(form.OpenStore()); }
    template <class Control>
    Control& In(const char* name) const {
        return Find<Control>(form, name);
    }
    QTreeWidget& OutList() const { return In<QTreeWidget>("OutAppointList"); }
    QTreeWidget& MobList() const { return In<QTreeWidget>("MobAppointList"); }
    QString Label(const char* name) const { return In<QLabel>(name).text(); }
    QTreeWidgetItem* OutRow(const QString& caption) const {
        for (int i = 0; i < OutList().topLevelItemCount(); ++i)
            if (OutList().topLevelItem(i)->text(0) == caption) return OutList().topLevelItem(i);
        return nullptr;
    }
    void Choose(const QString& caption) {
        QTreeWidgetItem* row = OutRow(caption);
        ASSERT_NE(row, nullptr) << caption.toStdString();
        OutList().setCurrentItem(row);
        row->setSelected(true);
    }
    ui::TAppointmentForm& Editor() {
        return Find<ui::TAppointmentForm>(mainWindow, "AppointmentForm");
    }
    // Clicks SaveBtn; act sees the editor it opens (and may save), once it
    // shows (a question may come first).
    void SaveIntoEditor(const std::function<void(EditorControls&)>& act) {
        bool seen = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            EditorControls f(Editor());
            if (seen || !f.form.isVisible()) return;
            seen = true;
            act(f);
            if (f.form.isVisible()) f.form.reject();
        });
        poll.start();
        In<QPushButton>("SaveBtn").click();
        editorOpened = seen;
    }
    // The files of the store's default calendar.
    QStringList CalendarFiles() const {
        QDir dir(QString::fromStdString(settings.Calendars + "/default"));
        QStringList texts;
        for (const QString& name : dir.entryList({"*.ics"}, QDir::Files)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly)) texts << QString::fromUtf8(f.readAll());
        }
        return texts;
    }

    struct AppFirst {
        AppFirst() { ui::testing::App(); }
    } app;
    ui::testing::TempHome home;
    st::StoreSettings settings;
    ui::QtScheduler sched;
    parlenko::testing::SimSerialDevice device;
    TSerialPortDriver port{device, sched};
    ui::TWindowHost host;
    PhoneEngine engine{port, sched, host};
    ui::TCitamForm citam;
    ui::TStatusFrm statusFrm;
    QWidget mainWindow;
    ui::PodsjetnikPage page{engine, &mainWindow};
    TStoreSession session{[this] { return settings; }};
    TOutlookAppForm form{&mainWindow, engine, page, session, &citam};
    std::string status;
    bool editorOpened = false;
};

TEST(OutlookAppFormSim, StoreAppointmentsFillTheEditorAndReachThePhone) {
    CalendarRig rig;
    rig.AddToStore("+385911234567", "Phone Calls", {2030, 3, 4, 9, 30, 0});
    rig.AddToStore("Nazovi servis", "phone call", {2030, 3, 5, 10, 0, 0});
    rig.AddToStore("Ručak s Đurom i Šimom", "Business, Meeting", {2030, 3, 6, 7, 15, 0},
                   st::olRecursDaily, true);
    rig.AddToStore("Godisnjica", "Anniversary", {2030, 4, 1, 8, 0, 0}, st::olRecursYearNth);
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    rig.ReadWithoutShowing();

    EXPECT_EQ(rig.citam.windowTitle(), "Reading appointments from the calendar . . .");
    EXPECT_EQ(Find<QLabel>(rig.citam, "LokacijaLab").text(), "Calendar folder");
    EXPECT_EQ(Find<QLabel>(rig.citam, "UpisanoLab").text(), "4");
    EXPECT_EQ(Find<QLabel>(rig.citam, "PozicijaLab").text(),
              "Reading appointment from position no. 4");
    EXPECT_EQ(rig.engine.Mode(), ActivityMode::OutlookCalendar);
    ASSERT_EQ(rig.OutList().topLevelItemCount(), 4);
    // The first row is chosen at once; the lower list copies the page.
    EXPECT_TRUE(rig.In<QPushButton>("SaveBtn").isEnabled());
    EXPECT_EQ(rig.MobList().topLevelItemCount(), rig.page.AppointmentCount());

    rig.Choose("Godisnjica");
    EXPECT_EQ(rig.Label("OutRecLab"), "Annualy");
    EXPECT_EQ(rig.Label("OutDateLab"), "01.04.2030");
    EXPECT_EQ(rig.Label("OutActLab"), "Not active");

    rig.Choose("+385911234567");
    rig.SaveIntoEditor([](EditorControls& f) {
        EXPECT_EQ(f.pages.currentIndex(), 1);
        EXPECT_EQ(f.category.currentIndex(), 1);
        EXPECT_EQ(f.number.text(), "+385911234567");
        EXPECT_EQ(f.date.date(), QDate(2030, 3, 4));
        EXPECT_EQ(f.time.time(), QTime(9, 30, 0));
    });
    EXPECT_TRUE(rig.editorOpened);

    rig.Choose("Nazovi servis");
    rig.SaveIntoEditor([](EditorControls& f) {
        EXPECT_EQ(f.pages.currentIndex(), 1);
        EXPECT_EQ(f.number.text(), "");
        EXPECT_EQ(f.text.text(), "");
    });

    // Several categories are a memo; the text is cut to 16; a daily series is
    // item 1. The phone cannot keep the letters with diacritics of those 16:
    // the user is asked first, and No opens nothing.
    rig.Choose("Ručak s Đurom i Šimom");
    {
        DialogWatcher no([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        rig.SaveIntoEditor([](EditorControls&) {});
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Unsupported characters");
        EXPECT_TRUE(no.Seen()[0].text.contains(
            QString::fromUtf8("   Ručak s Đurom i Šimom   ( č Đ )   ->   Rucak s Durom i \n")))
            << no.Seen()[0].text.toStdString();
        EXPECT_FALSE(rig.editorOpened);
    }
    // Yes: their plain letters reach the phone.
    auto yes = std::make_unique<DialogWatcher>(
        [](ui::TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    const std::size_t from = rig.device.Written().size();
    rig.SaveIntoEditor([](EditorControls& f) {
        EXPECT_EQ(f.form.windowTitle(), "New appointment . . .");
        EXPECT_EQ(f.category.currentIndex(), 0);
        EXPECT_EQ(f.pages.currentIndex(), 0);
        EXPECT_EQ(f.text.text(), "Rucak s Durom i ");
        EXPECT_EQ(f.repeat.currentIndex(), 1);
        EXPECT_TRUE(f.alarm.isChecked());
        EXPECT_EQ(f.form.AppointmentLocation(), 4);
        ASSERT_TRUE(f.save.isEnabled());
        f.save.click();
    });
    EXPECT_EQ(yes->Seen().size(), 1u);
    yes.reset();
    ASSERT_TRUE(PumpUntil(
        [&] {
            return rig.device.Written().find("AT^SBNW=\"vcs\",4,1,", from) != std::string::npos &&
                   rig.Idle() && rig.page.AppointmentCount() == 4;
        },
        10000))
        << rig.device.Written().substr(from);
    EXPECT_EQ(Find<QLabel>(rig.statusFrm, "PorukaLab").text(),
              "Appointment succesfully saved in mobile!");
    EXPECT_NE(rig.device.Phone().State().objects["vcs"].objects[4].find(
                  "\r\nDESCRIPTION:Rucak s Durom i \r\n"),
              std::string::npos);
}

// A phone call's title is the name of its number: the number goes into the
// store too, and comes back into the editor from there.
TEST(OutlookAppFormSim, APhoneCallKeepsItsNumberInTheStore) {
    CalendarRig rig;
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    rig.page.AddAppointmentRow({"Servis @ auta", "Phone call", "Once", "07.07.2030", "08:00:00",
                                "9", 64, "+385919990000"});
    rig.ReadWithoutShowing();
    QTreeWidgetItem* call = nullptr;
    for (int i = 0; i < rig.MobList().topLevelItemCount(); ++i)
        if (rig.MobList().topLevelItem(i)->text(0) == "Servis @ auta")
            call = rig.MobList().topLevelItem(i);
    ASSERT_NE(call, nullptr);
    rig.MobList().clearSelection();
    rig.MobList().setCurrentItem(call);
    call->setSelected(true);
    {
        DialogWatcher saved;
        rig.In<QPushButton>("OutSaveBtn").click();
        ASSERT_EQ(saved.Seen().size(), 1u);
    }
    const QStringList files = rig.CalendarFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].contains("SUMMARY:Servis @ auta")) << files[0].toStdString();
    EXPECT_TRUE(files[0].contains("DESCRIPTION:+385919990000")) << files[0].toStdString();

    rig.Choose("Servis @ auta");
    rig.SaveIntoEditor([](EditorControls& f) {
        EXPECT_EQ(f.pages.currentIndex(), 1);
        EXPECT_EQ(f.number.text(), "+385919990000");
    });
    EXPECT_TRUE(rig.editorOpened);
}

TEST(OutlookAppFormSim, APrefillRefusedWhileThePortIsClosedDoesNotReachTheNextNewEntry) {
    CalendarRig rig;
    rig.AddToStore("Stari termin", "Meeting", {2031, 1, 2, 3, 4, 5}, st::olRecursWeekly);
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    rig.ReadWithoutShowing();
    rig.engine.Disconnect();
    rig.Choose("Stari termin");
    rig.SaveIntoEditor([](EditorControls&) {});
    EXPECT_FALSE(rig.editorOpened);

    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    const QDateTime now(QDate(2027, 6, 1), QTime(12, 0, 0));
    rig.page.SetClock([now] { return now; });
    QDate date;
    QString text;
    QTimer::singleShot(0, [&] {
        EditorControls f(rig.Editor());
        date = f.date.date();
        text = f.text.text();
        f.form.reject();
    });
    rig.page.NewAppTBClick();
    EXPECT_EQ(date, now.date());
    EXPECT_EQ(text, "");
}

TEST(OutlookAppForm, PhoneAppointmentsGoIntoTheStoreWithTheirCategoryRuleAndAlarm) {
    CalendarRig rig;
    rig.page.AddAppointmentRow(
        {"Sastanak", "Meeting", "Weekly", "02.06.2003", "10:30:00", "1", 62, "Sastanak"});
    rig.page.AddAppointmentRow(
        {"Biljeska", "Memo", "Once", "03.06.2003", "11:00:00", "2", 61, "Biljeska"});
    rig.ReadWithoutShowing();
    ASSERT_EQ(rig.OutList().topLevelItemCount(), 0);
    ASSERT_EQ(rig.MobList().topLevelItemCount(), 2);
    EXPECT_EQ(rig.Label("AppointSelLab"), "1 of 2");
    EXPECT_EQ(rig.Label("MobDateLab"), "02.06.2003   10:30:00");
    rig.In<QPushButton>("OutSelectAllBtn").click();
    EXPECT_EQ(rig.Label("AppointSelLab"), "2 of 2");
    DialogWatcher watcher;
    rig.In<QPushButton>("OutSaveBtn").click();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Information");
    EXPECT_EQ(watcher.Seen()[0].text, "Appointment(s) succesfully saved in the calendar folder!");
    // The store's list follows the write.
    ASSERT_EQ(rig.OutList().topLevelItemCount(), 2);
    EXPECT_NE(rig.OutRow("Biljeska"), nullptr);

    const QStringList files = rig.CalendarFiles();
    ASSERT_EQ(files.size(), 2);
    for (const QString& f : files) {
        if (f.contains("SUMMARY:Sastanak")) {
            EXPECT_TRUE(f.contains("CATEGORIES:Meeting")) << f.toStdString();
            EXPECT_TRUE(f.contains("RRULE:FREQ=WEEKLY")) << f.toStdString();
            EXPECT_TRUE(f.contains("DTSTART:20030602T103000")) << f.toStdString();
            EXPECT_TRUE(f.contains("BEGIN:VALARM")) << f.toStdString();
        } else {
            EXPECT_TRUE(f.contains("SUMMARY:Biljeska")) << f.toStdString();
            EXPECT_TRUE(f.contains("CATEGORIES:Miscellaneous")) << f.toStdString();
            EXPECT_FALSE(f.contains("RRULE")) << f.toStdString();
            EXPECT_FALSE(f.contains("VALARM")) << f.toStdString();
        }
    }
    // The page's single save, and a store that cannot be reached.
    rig.page.FocusAppointmentRow("1");
    EXPECT_TRUE(Find<QToolButton>(rig.page, "OutlookATB").isEnabled());
    EXPECT_TRUE(Find<QAction>(rig.page, "SnimiuOutlookCalendar1").isEnabled());
    rig.page.Izmjenipodatke1Click(4);
    EXPECT_EQ(rig.status, "Appointment succesfully saved in the calendar folder!");
    EXPECT_EQ(rig.CalendarFiles().size(), 3);
    // A calendar gone while the window holds it: the read says so and ends.
    QDir(QString::fromStdString(rig.settings.Calendars)).removeRecursively();
    rig.In<QPushButton>("RefreshBtn").click();
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_EQ(watcher.Seen()[1].caption, "Error");
    EXPECT_EQ(rig.OutList().topLevelItemCount(), 0);
    EXPECT_FALSE(rig.citam.isVisible());
    std::ofstream(rig.settings.Calendars + "-file") << "x";
    rig.settings.Calendars += "-file";
    rig.status.clear();
    rig.page.Izmjenipodatke1Click(4);
    rig.form.Open();
    ASSERT_EQ(watcher.Seen().size(), 4u);
    for (std::size_t i : {2u, 3u}) {
        EXPECT_EQ(watcher.Seen()[i].caption, "Calendar folder");
        EXPECT_EQ(watcher.Seen()[i].text,
                  "Error occurred while trying to initialize the calendar folder!");
    }
    EXPECT_EQ(rig.status, "");
    EXPECT_FALSE(rig.form.isVisible());
}

// khal's repeating events, as the window lists them.
TEST(OutlookAppForm, RepeatingEventsMadeByKhalShowTheirRepetition) {
    if (std::system("command -v khal >/dev/null 2>&1") != 0) GTEST_SKIP() << "khal is missing";
    CalendarRig rig;
    rig.session.LogonNameSpace();  // makes the default collection
    const std::string config = rig.home.Dir() + "khal.conf";
    std::ofstream(config) << "[calendars]\n[[home]]\npath = " << rig.settings.Calendars
                          << "/default\n[locale]\ntimeformat = %H:%M\ndateformat = %d.%m.%Y\n"
                             "longdateformat = %d.%m.%Y\ndatetimeformat = %d.%m.%Y %H:%M\n"
                             "longdatetimeformat = %d.%m.%Y %H:%M\n[sqlite]\npath = "
                          << rig.home.Dir() << "khal.db\n";
    for (const char* repeat : {"daily", "weekly", "monthly", "yearly"}) {
        const std::string command = "khal -c '" + config + "' new -a home -r " + repeat +
                                    " 21.12.2026 10:00 1h 'khal " + repeat + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    QStringList shown;
    // The window once it is up (the read lets events run before that).
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!rig.form.isVisible()) return;
        watch.stop();
        const QTreeWidget& list = rig.OutList();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            shown << list.topLevelItem(i)->text(0) + "=" + list.topLevelItem(i)->text(2);
        rig.form.reject();
    });
    watch.start();
    rig.form.Open();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"khal daily=Daily", "khal monthly=Monthly", "khal weekly=Weekly",
                                  "khal yearly=Annualy"}));
}

}  // namespace
}  // namespace parlenko::ui
