// The appointments page and its editor against the simulated phone: the
// calendar read, the slot of a new entry, the delete, the editor's rules and
// the upload of an entry; and, without a phone, the details, the sorting and
// the vCalendar file.

#include "tests/support/engine_inside.h"
#include "ui/pages/appointments_page.h"

#include "engine/core/busy_state.h"
#include "engine/phonebook/refresh_phonebook.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "engine/text/hex_text.h"
#include "engine/text/vcalendar.h"
#include "exchange/formats/atomic_file.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/appointment_editor_controls.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/appointment_editor.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/main_window/window_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::EditorControls;
using testing::Find;
using testing::Pick;
using testing::PumpUntil;

// The row of slot as the page holds it.
std::optional<AppointmentRow> RowData(const PodsjetnikPage& page, const std::string& slot) {
    for (const AppointmentRow& row : page.AppointmentRows())
        if (row.Position == slot) return row;
    return std::nullopt;
}

// The S45 of tests/data/s45.state, its calendar cut to highestSlot when given.
phonesim::PhoneState State(int highestSlot) {
    phonesim::PhoneState s =
        phonesim::LoadStateFile(std::string(PARLENKO_SOURCE_DIR) + "/tests/data/s45.state");
    if (highestSlot > 0) s.objects["vcs"].highest = highestSlot;
    return s;
}

struct PageRig {
    explicit PageRig(int highestSlot = 0) : device(sched, State(highestSlot)) {
        citam.SetModeSource([this] { return static_cast<int>(engine.Mode()); });
        citam.SetOnClosed([this] { engine.ProgressWindowClosed(); });
        host.SetCitamForm(&citam);
        host.SetStatusFrm(&statusFrm);
        engine.SetView<IObjectsView>(&page);
        page.SetDataDir(home.QDir());
        QObject::connect(&page, &PodsjetnikPage::StatusMessage,
                         [this](const std::string& text) { status = text; });
        page.SetConfirmDeleteSource([] { return false; });
    }
    ~PageRig() {
        engine.SetView<IObjectsView>(nullptr);
        host.SetCitamForm(nullptr);
        host.SetStatusFrm(nullptr);
    }
    bool Sent(const std::string& line) const {
        return device.Written().find(line) != std::string::npos;
    }
    bool Idle() { return !IsBusy(EngineInside::Context(engine)) && !citam.isVisible(); }
    // Connects, reads the phonebook (the SIM card and on) when asked, and
    // the calendar.
    bool ConnectAndRead(bool phonebook = false) {
        if (!engine.Connect()) return false;
        if (!PumpUntil([&] { return Sent("AT+CMGF=0\r") && Idle(); }, 12000)) return false;
        if (phonebook) {
            RefreshPhonebook(EngineInside::Context(engine), PhoneMemory::Sim);
            // The service numbers come last.
            if (!PumpUntil([&] { return Sent("AT^SPBS=\"SD\"\r") && Idle(); }, 30000)) return false;
        }
        page.RefreshAppointments();
        return PumpUntil(
            [&] {
                return Sent("AT^SBNR=\"vcs\"," +
                            std::to_string(engine.Capabilities().AppointmentSlots) + "\r") &&
                       Idle();
            },
            20000);
    }
    QTreeWidget& List() const { return Find<QTreeWidget>(page, "AppointmentsList"); }
    QString Label(const char* name) const { return Find<QLabel>(page, name).text(); }
    QTreeWidgetItem* Row(const QString& slot) const {
        for (int i = 0; i < List().topLevelItemCount(); ++i)
            if (List().topLevelItem(i)->text(kAppPosition) == slot) return List().topLevelItem(i);
        return nullptr;
    }
    // Runs the editor's command; act sees the open editor and closes it.
    void WithEditor(const std::function<void()>& command,
                    const std::function<void(EditorControls&)>& act) {
        QTimer::singleShot(0, [&] {
            EditorControls f(Find<TAppointmentForm>(mainWindow, "AppointmentForm"));
            if (f.form.isVisible()) act(f);
            if (f.form.isVisible()) f.form.reject();
        });
        command();
    }

    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device;
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TCitamForm citam;
    TStatusFrm statusFrm;
    QWidget mainWindow;
    PodsjetnikPage page{engine, &mainWindow};
    std::string status;
};

TEST(AppointmentsPageSim, ReadShowsEverySlotsEntryWithNamesPicturesAndTheMemoryUse) {
    PageRig rig;
    ASSERT_TRUE(rig.ConnectAndRead(true)) << rig.device.Written();
    std::string asked;
    for (std::size_t at = rig.device.Written().find("AT^SBNR=\"vcs\","); at != std::string::npos;
         at = rig.device.Written().find("AT^SBNR=\"vcs\",", at + 1))
        asked +=
            rig.device.Written().substr(at + 14, rig.device.Written().find('\r', at) - at - 14) +
            " ";
    std::string expected;
    for (int i = 1; i <= 49; ++i) expected += std::to_string(i) + " ";
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(rig.engine.Appointments().size(), 3u);
    ASSERT_EQ(rig.List().topLevelItemCount(), 3);
    ASSERT_NE(rig.Row("3"), nullptr);
    EXPECT_EQ(rig.Row("3")->text(kAppCaption), "Ivan Novak");
    ASSERT_TRUE(RowData(rig.page, "1").has_value());
    EXPECT_EQ(RowData(rig.page, "1")->Image, 62);
    EXPECT_EQ(rig.Label("AppCapLab"), "49");
    EXPECT_EQ(rig.Label("AppCntLab"), "3");
    EXPECT_EQ(rig.Label("AppFreeLab"), "46");
    // The first row is selected and shown.
    EXPECT_EQ(rig.Label("AppPosLab"), rig.List().topLevelItem(0)->text(kAppPosition));
    EXPECT_TRUE(Find<QToolButton>(rig.page, "EditAppTB").isEnabled());
    EXPECT_FALSE(Find<QToolButton>(rig.page, "OutlookATB").isEnabled());
}

// The phone reads its slots in the order Z to A: the first click on the
// text column must still sort, A before Z; the date column's first click
// shows the latest first.
TEST(AppointmentsPageSim, EachColumnsFirstClickSortsItsOwnWay) {
    PageRig rig;
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    const auto captions = [&] {
        QStringList texts;
        for (int i = 0; i < rig.List().topLevelItemCount(); ++i)
            texts << rig.List().topLevelItem(i)->text(kAppCaption).left(8);
        return texts;
    };
    // Without the phonebook the phone call shows its number.
    ASSERT_EQ(captions(), (QStringList{"Sastanak", "Rodjenda", "+3859506"}));
    rig.page.ColumnClick(kAppCaption);
    EXPECT_EQ(captions(), (QStringList{"+3859506", "Rodjenda", "Sastanak"}));
    rig.page.ColumnClick(kAppDate);  // 02.04., 18.03., 16.03.2005
    EXPECT_EQ(captions(), (QStringList{"Rodjenda", "+3859506", "Sastanak"}));
}

TEST(AppointmentsPageSim, AFullCalendarRefusesANewEntryUntilADeleteFreesItsSlot) {
    PageRig rig(3);
    ASSERT_TRUE(rig.engine.Connect());
    ASSERT_TRUE(PumpUntil([&] { return rig.Sent("AT+CMGF=0\r") && rig.Idle(); }, 12000));
    DialogWatcher watcher;
    // Before the read: no row, so the Delete key sends nothing.
    QTest::keyClick(&rig.List(), Qt::Key_Delete);
    EXPECT_FALSE(rig.Sent("AT^SBNW")) << rig.device.Written();
    rig.page.NewAppTBClick();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "First, you must read appointments from mobile!");

    rig.page.RefreshAppointments();
    ASSERT_TRUE(PumpUntil([&] { return rig.Sent("AT^SBNR=\"vcs\",3\r") && rig.Idle(); }, 20000));
    ASSERT_EQ(rig.List().topLevelItemCount(), 3);
    // A pre-fill that the full memory refuses does not reach a later entry.
    AppointmentFields stale;
    stale.Text = "Stale";
    rig.page.NewAppointmentFromStore(stale);
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_EQ(watcher.Seen()[1].caption, "Memory full");
    EXPECT_EQ(watcher.Seen()[1].text, "Appointments memory is full!");

    rig.page.FocusAppointmentRow("2");
    rig.page.DeleteAppTBClick();
    ASSERT_TRUE(PumpUntil([&] { return rig.Row("2") == nullptr; }, 5000));
    EXPECT_TRUE(rig.Sent("AT^SBNW=\"vcs\",2,0\r"));
    EXPECT_EQ(rig.Label("AppCntLab"), "2");

    std::optional<int> slot;
    QString text;
    rig.WithEditor([&] { rig.page.NewAppTBClick(); },
                   [&](EditorControls& f) {
                       slot = f.form.AppointmentLocation();
                       text = f.text.text();
                   });
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(text, "");
}

TEST(AppointmentsPageSim, ANewMemoGoesIntoTheFreeSlotInTwoPacketsAndItsRowAppears) {
    PageRig rig;
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    const std::size_t from = rig.device.Written().size();
    rig.WithEditor([&] { rig.page.NewAppTBClick(); },
                   [&](EditorControls& f) {
                       EXPECT_EQ(f.form.windowTitle(), "New appointment . . .");
                       EXPECT_EQ(f.form.AppointmentLocation(), 4);
                       EXPECT_FALSE(f.save.isEnabled());
                       QTest::keyClicks(&f.text, "ABCDEFGHIJKLMNOPQR");  // 16 are typed
                       f.repeat.setCurrentIndex(3);
                       f.date.setDate(QDate(2030, 5, 17));
                       f.time.setTime(QTime(18, 30, 0));
                       f.alarm.setChecked(true);
                       EXPECT_EQ(f.activation.text(), "Monthly\n\n17.\n\n18:30:00");
                       ASSERT_TRUE(f.save.isEnabled());
                       f.save.click();
                   });
    ASSERT_TRUE(PumpUntil([&] { return rig.Row("4") != nullptr && rig.Idle(); }, 10000))
        << rig.device.Written().substr(from);
    const std::string sent = rig.device.Written().substr(from);
    const auto first = sent.find("AT^SBNW=\"vcs\",4,1,2\r");
    const auto second = sent.find("AT^SBNW=\"vcs\",4,2,2\r");
    ASSERT_NE(first, std::string::npos) << sent;
    ASSERT_NE(second, std::string::npos) << sent;
    // Each packet follows its command, closed by Ctrl-Z.
    const auto packet = [&](std::size_t command) {
        const auto start = sent.find('\r', command) + 1;
        return sent.substr(start, sent.find('\x1a', start) - start);
    };
    EXPECT_EQ(packet(first).size(), 352u);
    EXPECT_EQ(packet(second).size(), 28u);
    const auto texts =
        ParseVCalendar(BytesToHex(rig.device.Phone().State().objects.at("vcs").objects.at(4)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(*texts, (VCalendarTexts{"ABCDEFGHIJKLMNOP", "Memo", "17.05.2030", "18:30:00",
                                      "Active", "Monthly"}));
    EXPECT_EQ(rig.Row("4")->text(kAppCaption), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(rig.Label("AppPosLab"), "4");
    EXPECT_EQ(Find<QLabel>(rig.statusFrm, "PorukaLab").text(),
              "Appointment succesfully saved in mobile!");
}

TEST(AppointmentsPageSim, EditingAPhoneCallKeepsTheNumberReadFromThePhone) {
    PageRig rig;
    // Two entries share the name shown for the call; the first has another number.
    EngineInside::State(rig.engine).Phonebook.PhonebookList = {
        {"Ivan Novak", "+385911111111", "SIM card", "099"},
        {"Ivan Novak", "+385950610995", "SIM card", "003"}};
    ASSERT_TRUE(rig.ConnectAndRead()) << rig.device.Written();
    ASSERT_NE(rig.Row("3"), nullptr);
    EXPECT_EQ(rig.Row("3")->text(kAppCaption), "Ivan Novak");
    rig.page.FocusAppointmentRow("3");
    QString number;
    int page = -1;
    QString name;
    rig.WithEditor([&] { rig.page.EditAppTBClick(); },
                   [&](EditorControls& f) {
                       number = f.number.text();
                       page = f.pages.currentIndex();
                       name = f.names.currentText();
                       f.time.setTime(QTime(15, 0, 0));
                       EXPECT_FALSE(f.form.NewAppointment());
                       EXPECT_EQ(f.form.AppointmentLocation(), 3);
                       f.save.click();
                   });
    EXPECT_EQ(number, "+385950610995");
    EXPECT_EQ(page, 1);
    EXPECT_EQ(name, "Ivan Novak");
    // The new time reaches the phone with the same number, in the same row.
    ASSERT_TRUE(PumpUntil(
        [&] { return rig.Row("3") != nullptr && rig.Row("3")->text(kAppTime) == "15:00:00"; },
        10000))
        << rig.device.Written();
    const auto texts =
        ParseVCalendar(BytesToHex(rig.device.Phone().State().objects.at("vcs").objects.at(3)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->Description, "+385950610995");
    EXPECT_EQ(texts->Time, "15:00:00");
    EXPECT_EQ(rig.List().topLevelItemCount(), 3);
    EXPECT_EQ(rig.Row("3")->text(kAppCaption), "Ivan Novak");
}

// --- the editor on its own --------------------------------------------------------

struct EditorRig {
    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device{sched};
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TAppointmentForm form{engine, nullptr};
    EditorControls f{form};
    void SetNow(const QDateTime& now) {
        form.SetClock([now] { return now; });
    }
};

TEST(AppointmentEditor, AOneTimeAlarmNeedsAMomentAheadAndWeeklyPicksTheDayFromToday) {
    EditorRig r;
    EditorControls& f = r.f;
    // Wednesday, 9 December 2026.
    const QDateTime now(QDate(2026, 12, 9), QTime(10, 0, 0));
    r.SetNow(now);
    f.repeat.setCurrentIndex(0);
    f.date.setDate(now.date());
    f.time.setTime(now.time().addSecs(60));
    f.alarm.setChecked(true);
    EXPECT_TRUE(f.alarm.isEnabled());
    EXPECT_TRUE(f.activation.isEnabled());
    f.time.setTime(now.time().addSecs(-60));
    EXPECT_FALSE(f.alarm.isEnabled());
    EXPECT_FALSE(f.alarm.isChecked());
    EXPECT_FALSE(f.activation.isEnabled());
    EXPECT_EQ(f.activation.text(), "Once\n\n09.12.2026\n\n09:59:00");

    f.date.setDate(QDate(1990, 3, 1));
    EXPECT_EQ(f.date.date(), QDate(1997, 1, 1));

    f.repeat.setCurrentIndex(2);
    EXPECT_FALSE(f.date.isEnabled());
    EXPECT_TRUE(f.day.isEnabled());
    Pick(f.day, 2);  // "Srijeda"
    EXPECT_EQ(f.date.date(), now.date());
    r.SetNow(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)));  // a Thursday
    Pick(f.day, 2);
    EXPECT_EQ(f.date.date(), QDate(2026, 12, 16));
    EXPECT_TRUE(f.activation.text().startsWith("Weekly\n\nSrijeda\n\n"));

    // An entry opened on a Monday names Monday, whatever the list held before.
    f.day.setCurrentIndex(4);
    {
        const QSignalBlocker block(f.date);
        f.date.setDate(QDate(2003, 6, 2));
    }
    r.form.show();
    EXPECT_TRUE(f.activation.text().startsWith(QString::fromUtf8("Weekly\n\nPonedjeljak")))
        << f.activation.text().toStdString();
    r.form.reject();
}

TEST(AppointmentEditor, NamesShowWithoutTheVipMarkAndANameFillsItsNumber) {
    EditorRig r;
    EditorControls& f = r.f;
    EngineInside::State(r.engine).Phonebook.PhonebookList = {
        {"Marko", "+38591222", "SIM card", "001"}, {"ana!", "+38591111", "SIM card", "002"}};
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = r.form.isVisible();
        [&] {
            ASSERT_EQ(f.names.count(), 2);
            EXPECT_EQ(f.names.itemText(0), "ana");
            EXPECT_EQ(f.names.itemData(0).toString(), "ana!");
            EXPECT_EQ(f.names.currentIndex(), -1);
            Pick(f.names, 0);
            EXPECT_EQ(f.number.text(), "+38591111");
            // A number set while the number edit is not being typed in leaves the name alone.
            f.number.setText("+38591222");
            EXPECT_EQ(f.names.currentIndex(), 0);
            // The category change empties both fields.
            Pick(f.category, 1);
            EXPECT_EQ(f.number.text(), "");
            EXPECT_EQ(f.names.currentIndex(), -1);
            EXPECT_EQ(f.pages.currentIndex(), 1);
        }();
        r.form.reject();
    });
    r.form.OpenNew(1);
    EXPECT_TRUE(opened);
}

TEST(AppointmentEditor, TextAndNumberAreCheckedAndALongTextFromThePhoneStaysWhole) {
    EditorRig r;
    EditorControls& f = r.f;
    r.form.show();
    EXPECT_FALSE(f.save.isEnabled());
    f.text.setText(QString::fromUtf8("Sastanak š"));
    EXPECT_FALSE(f.save.isEnabled());
    ASSERT_NE(r.form.HintWindow(), nullptr);
    EXPECT_TRUE(r.form.HintWindow()->Caption().contains(QString::fromUtf8("š ")));
    f.text.setText("Sastanak");
    EXPECT_EQ(r.form.HintWindow(), nullptr);
    EXPECT_TRUE(f.save.isEnabled());
    const QString forty(40, 'x');
    f.text.setText(forty);
    EXPECT_EQ(f.text.text(), forty);
    // It can be shortened, not lengthened, by typing.
    f.text.setFocus();
    f.text.end(false);
    QTest::keyClick(&f.text, Qt::Key_Backspace);
    EXPECT_EQ(f.text.text().size(), 39);
    QTest::keyClicks(&f.text, "y");
    EXPECT_EQ(f.text.text().size(), 39);
    f.text.clear();
    f.number.setText("+385 91");
    EXPECT_FALSE(f.save.isEnabled());
    ASSERT_NE(r.form.HintWindow(), nullptr);
    EXPECT_TRUE(r.form.HintWindow()->Caption().startsWith("Invalid phone number!"));
    f.number.setText("+38591");
    EXPECT_TRUE(f.save.isEnabled());
    r.form.reject();
}

// The balloon of an invalid text goes with the editor, however it closes.
TEST(AppointmentEditor, TheBalloonGoesWhenTheEditorCloses) {
    EditorRig r;
    for (const bool byTitleBar : {false, true}) {
        r.form.show();
        r.f.text.setText(QString::fromUtf8("Sastanak š"));
        ASSERT_NE(r.form.HintWindow(), nullptr);
        if (byTitleBar) r.form.close();
        else r.form.reject();
        EXPECT_EQ(r.form.HintWindow(), nullptr) << (byTitleBar ? "title bar" : "Odustani");
        r.f.text.clear();
    }
}

// --- the page without a phone ------------------------------------------------------

struct OfflineRig {
    OfflineRig() {
        page.SetDataDir(home.QDir());
        QObject::connect(&page, &PodsjetnikPage::StatusMessage,
                         [this](const std::string& text) { status = text; });
        // Thursday, 1 June 2028.
        page.SetClock([] { return QDateTime(QDate(2028, 6, 1), QTime(12, 0, 0)); });
        const AppointmentRow rows[] = {
            {"zebra", "Memo", "Once", "05.01.2004", "08:00:00", "1", 61, "zebra"},
            {"Apple", "Meeting", "Weekly", "02.06.2003", "09:15:00", "2", 62, "Apple"},
            {"mango", "Anniversary", "Annualy", "17.05.2002", "18:30:00", "3", 58, "mango"},
        };
        for (const auto& row : rows) page.AddAppointmentRow(row);
    }
    QStringList Column(int column) const {
        QStringList out;
        const QTreeWidget& list = Find<QTreeWidget>(page, "AppointmentsList");
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            out << list.topLevelItem(i)->text(column);
        return out;
    }
    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device{sched};
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    PodsjetnikPage page{engine, nullptr};
    std::string status;
};

TEST(AppointmentsPage, DetailsOfAWeeklyEntryAndItsNextActivation) {
    OfflineRig r;
    const auto label = [&](const char* name) -> QLabel& { return Find<QLabel>(r.page, name); };
    r.page.FocusAppointmentRow("2");
    EXPECT_EQ(label("AppNameLab").text(), "Apple");
    EXPECT_EQ(label("AppPerLab").text(), "Weekly   [ Monday ]");
    EXPECT_EQ(label("AppDateLab").text(), "02.06.2003   09:15:00");
    EXPECT_EQ(label("AppActDateLab").text(), "05.06.2028");
    EXPECT_EQ(label("AppActDayLab").text(), "Monday");
    EXPECT_EQ(label("AppActLab").text(), "Appointment activated!");
    EXPECT_TRUE(label("AppActDayLab").isEnabled());
    EXPECT_EQ(r.page.AppActPBTag(), 62);
    r.page.FocusAppointmentRow("1");
    EXPECT_EQ(label("AppActLab").text(), "Appointment deactivated!");
    EXPECT_FALSE(label("AppActDateLab").isEnabled());
    // Shown whole: the lines it needs fit in the label.
    QLabel& act = label("AppActLab");
    const QRect needed =
        act.fontMetrics().boundingRect(act.contentsRect(), Qt::TextWordWrap, act.text());
    EXPECT_LE(needed.width(), act.contentsRect().width());
    EXPECT_LE(needed.height(), act.contentsRect().height());
}

// A text longer than its label is cut where the label ends and shown whole
// as the label's hint; a text that fits has none.
TEST(AppointmentsPage, CutDetailsShowTheirWholeTextAsHint) {
    OfflineRig r;
    const QString text = "Sastanak s Markom i Anom u uredu";
    r.page.AddAppointmentRow({text.toStdString(), "Meeting", "Once", "16.03.2005", "09:00:00", "4",
                              63, text.toStdString()});
    r.page.FocusAppointmentRow("4");
    QLabel& name = Find<QLabel>(r.page, "AppNameLab");
    const auto hint = [](QLabel& l) {
        l.grab();  // painted as on the screen
        return l.toolTip();
    };
    EXPECT_EQ(name.text(), text);
    EXPECT_EQ(hint(name), text);
    r.page.FocusAppointmentRow("2");
    EXPECT_EQ(hint(name), "");
}

TEST(AppointmentsPage, TheDateColumnPutsTheLatestFirstAndTheTextColumnAToZ) {
    OfflineRig r;
    r.page.ColumnClick(kAppDate);
    EXPECT_EQ(r.Column(kAppCaption), (QStringList{"zebra", "Apple", "mango"}));
    r.page.ColumnClick(kAppCaption);
    EXPECT_EQ(r.Column(kAppCaption), (QStringList{"Apple", "mango", "zebra"}));
    r.page.ColumnClick(kAppCaption);
    EXPECT_EQ(r.Column(kAppCaption), (QStringList{"zebra", "mango", "Apple"}));
}

TEST(AppointmentsPage, AVCalendarFileTakesItsExtensionAndHoldsTheFileForm) {
    OfflineRig r;
    r.page.FocusAppointmentRow("3");
    std::vector<TFileChoice::SaveQuestion> asked;
    std::string answer;
    r.page.FileChoice().SetSaveDialog([&](QWidget*, const TFileChoice::SaveQuestion& q) {
        asked.push_back(q);
        return QString::fromStdString(answer);
    });
    VCalendarEntry entry;
    entry.Category = AppointmentCategory::Anniversary;
    entry.Repeat = AppointmentRepeat::Yearly;
    entry.Text = "mango";
    entry.Alarm = true;
    entry.Date = std::chrono::year_month_day{std::chrono::year(2002), std::chrono::May,
                                             std::chrono::day(17)};
    entry.Time = std::chrono::hours(18) + std::chrono::minutes(30);
    const std::string expected = BuildVCalendar(entry, VCalendarForm::File) + "\r\n";

    answer = (r.home.QDir() + "a").toStdString();
    r.page.Izmjenipodatke1Click(3);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Title, "Save as \"vCalendar\" to . . .");
    EXPECT_EQ(asked[0].FileName, "mango");
    EXPECT_EQ(asked[0].Filter, "vCalendar (*.vcs)");
    EXPECT_EQ(asked[0].Folder, r.home.QDir() + "Export");
    EXPECT_TRUE(QDir(asked[0].Folder).exists());
    EXPECT_EQ(exchange::ReadFileBytes(answer + ".vcs"), expected);
    EXPECT_EQ(r.status, "Appointment succesfully saved as \"vCalendar\"!");

    answer = (r.home.QDir() + "B.VCS").toStdString();
    r.page.Izmjenipodatke1Click(3);
    EXPECT_EQ(exchange::ReadFileBytes(answer), expected);
    EXPECT_FALSE(exchange::ReadFileBytes(answer + ".vcs").has_value());

    // A file that cannot be written is reported, not announced.
    r.status.clear();
    QDir(r.home.QDir()).mkpath("taken.vcs");
    answer = (r.home.QDir() + "taken.vcs").toStdString();
    {
        DialogWatcher watcher;
        r.page.Izmjenipodatke1Click(3);
        ASSERT_EQ(watcher.Seen().size(), 1u);
        EXPECT_EQ(watcher.Seen()[0].caption, "Error");
    }
    EXPECT_EQ(r.status, "");

    // Cancelled: nothing written, nothing said.
    r.status.clear();
    answer.clear();
    r.page.Izmjenipodatke1Click(3);
    EXPECT_EQ(r.status, "");
}

}  // namespace
}  // namespace parlenko::ui
