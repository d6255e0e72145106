// What a user may click: for each page and each kind of row it shows (none;
// a received, a sent and a stored message; a SIM card, a mobile-memory and
// a service entry; a row of each call list; an appointment), every tool
// button, page button and menu item of the main window is enabled exactly
// as the page decides from the row shown, and stays so through a phone
// exchange (the main window is busy meanwhile) and through one the phone
// refuses. The main window against the simulated S45, in-process.

#include "engine/session/phone_engine.h"
#include "tests/support/phonesim/pdu.h"
#include "tests/support/phonesim/phone.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/pages/sms_page.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::Pump;
using testing::PumpUntil;

using States = std::map<std::string, bool>;

// The main-menu items each page's leaving switches off.
const std::initializer_list<const char*> kPhonebookMenu = {
    "Izmjenipodatke2",   "Izbrisiosobu2",    "Promjenilokaciju2", "Pozoviosobu2",
    "PosaljiSMSporuku2", "kaoBusinessCard1", "uOutlookContacts1"};
const std::initializer_list<const char*> kSmsMenu = {
    "Izmjenisadrzajporuke1", "Izbrisiporuku1",    "Posaljiporuku1",        "Dodajosobuuimenik1",
    "Pozoviosobu3",          "Odgovorinaporuku2", "Izmjenisadrzajporuke2", "Izbrisiporuku2",
    "Dodajosobuuimenik2",    "Pozoviosobu4"};
const std::initializer_list<const char*> kAppointmentsMenu = {
    "Izmjenipodatkepodsjetnika1", "Izbrisipodsjetnik2", "kaovCalendar1", "uOutlookCalendar1"};

struct StatesRig : testing::MainWindowRig {
    explicit StatesRig(testing::MainWindowRigOptions options = {})
        : MainWindowRig(std::move(options)) {
        glavna->LoadOptions();
        // Whether the window has been busy since the last look.
        busyWatch.setInterval(1);
        QObject::connect(&busyWatch, &QTimer::timeout, [this] { busySeen |= glavna->Busy(); });
        busyWatch.start();
    }
    ~StatesRig() { CloseMainWindow(); }

    bool Connect() {
        glavna->show();
        glavna->activateWindow();
        return QTest::qWaitForWindowActive(glavna.get()) && WaitConnected() && Idle();
    }
    // The page of the left bar's button tag, its first read done (boxes answered No).
    bool Open(int tag) {
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        glavna->OutBarBtn1Click(tag);
        Pump(200);
        return Idle();
    }

    // Every named command of the main window: its actions (tool buttons and
    // menu items) and the buttons of its pages.
    States Now() const {
        States s;
        for (const QAction* a : glavna->findChildren<QAction*>())
            if (!a->objectName().isEmpty()) s[a->objectName().toStdString()] = a->isEnabled();
        for (const QAbstractButton* b : glavna->findChildren<QAbstractButton*>()) {
            if (b->objectName().isEmpty() || qobject_cast<const QRadioButton*>(b) != nullptr ||
                qobject_cast<const QCheckBox*>(b) != nullptr || b->window() != glavna.get())
                continue;
            s[b->objectName().toStdString()] = b->isEnabled();
        }
        return s;
    }
    bool Enabled(const char* name) const {
        const States s = Now();
        const auto it = s.find(name);
        if (it == s.end()) throw std::runtime_error(std::string("no command ") + name);
        return it->second;
    }

    // An exchange the user did not start (the general information, read
    // again): the window is busy while the phone answers.
    bool Exchange() {
        busySeen = false;
        engine.RefreshGeneralInfo();
        return Settle();
    }
    // The same refused: the phone answers its first command with "ERROR".
    bool RefusedExchange() {
        phonesim::CommandFault refuse;
        refuse.command = "AT+CGMI";
        refuse.result = "ERROR";
        device.Phone().AddFault(refuse);
        busySeen = false;
        DialogWatcher ok;
        engine.RefreshGeneralInfo();
        return Settle();
    }
    // Busy seen, then idle for a while.
    bool Settle() {
        if (!PumpUntil([&] { return busySeen; }, 5000)) return false;
        if (!Idle()) return false;
        Pump(300);
        return !glavna->Busy();
    }

    QWidget& Page(const char* name) { return Find<QWidget>(*glavna, name); }
    QTreeWidget& List(const char* page, const char* name) {
        return Find<QTreeWidget>(Page(page), name);
    }
    // The first row whose column holds text (nullptr when none).
    static QTreeWidgetItem* RowWith(QTreeWidget& list, int column, const QString& text) {
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            if (list.topLevelItem(i)->text(column) == text) return list.topLevelItem(i);
        return nullptr;
    }
    // Selects row as a click does, its list having the focus (nullptr: the
    // list has the focus and no row is selected).
    void Select(QTreeWidget& list, QTreeWidgetItem* row) {
        glavna->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(glavna.get()));
        list.setFocus();
        Pump(20);
        if (row == nullptr) {
            list.clearSelection();
            list.setCurrentItem(nullptr);
        } else {
            list.setCurrentItem(row);
            row->setSelected(true);
        }
        Pump(20);
    }

    QTimer busyWatch;
    bool busySeen = false;
};

// expected holds the page's decision for some commands; the other commands
// are only required to keep their states. The states are checked as they
// are, after an exchange and after a refused one.
void CheckThroughExchanges(StatesRig& rig, const States& expected, const std::string& kind) {
    const auto check = [&](const char* when) {
        const States now = rig.Now();
        for (const auto& [name, enabled] : expected) {
            const auto it = now.find(name);
            EXPECT_TRUE(it != now.end()) << "no command " << name;
            if (it != now.end()) {
                EXPECT_EQ(it->second, enabled) << kind << ", " << when << ": " << name;
            }
        }
        return now;
    };
    const States before = check("shown");
    ASSERT_TRUE(rig.Exchange()) << kind;
    const States after = check("after an exchange");
    for (const auto& [name, enabled] : before)
        EXPECT_EQ(after.at(name), enabled) << kind << ", after an exchange: " << name;
    ASSERT_TRUE(rig.RefusedExchange()) << kind;
    const States refused = check("after a refused exchange");
    for (const auto& [name, enabled] : before)
        EXPECT_EQ(refused.at(name), enabled) << kind << ", after a refused exchange: " << name;
}

void Set(States& s, std::initializer_list<const char*> names, bool enabled) {
    for (const char* n : names) s[n] = enabled;
}

// The phonebook page: every command on an entry follows the selection,
// whatever memory the entry is of (the service numbers refuse when used).
TEST(EnabledStates, PhonebookPage) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(2));
    QTreeWidget& list = rig.List("ImenikPage", "ImenikList");
    ASSERT_GT(list.topLevelItemCount(), 0);
    const bool contacts = rig.Enabled("OutlookCTB");
    const struct {
        const char* kind;
        const char* memory;  // none: no row selected
    } kinds[] = {{"no entry", nullptr},
                 {"a SIM card entry", "SIM card"},
                 {"a mobile-memory entry", "Mobile memory"},
                 {"a service number", "Service numbers"}};
    for (const auto& k : kinds) {
        QTreeWidgetItem* row = nullptr;
        if (k.memory != nullptr) {
            row = StatesRig::RowWith(list, 2, QString::fromLatin1(k.memory));
            ASSERT_NE(row, nullptr) << k.kind;
        }
        rig.Select(list, row);
        const bool sel = row != nullptr;
        States e;
        Set(e, {"IzmjenaImeTB",
                "BrisanjeImeTB",
                "PrebaciImeTB",
                "PozoviBrojTB",
                "NewSmsIme1TB",
                "NewSmsIme2TB",
                "BackupTB",
                "Izmjenapodataka1",
                "Izbrisiosobu1",
                "Promjenilokaciju1",
                "Pozoviosobu1",
                "PosaljiSMSporuku1",
                "SnimikaoBusinessCard1",
                "Izmjenipodatke2",
                "Izbrisiosobu2",
                "Promjenilokaciju2",
                "Pozoviosobu2",
                "PosaljiSMSporuku2",
                "kaoBusinessCard1",
                "Pohranaipovratpodataka1"},
            sel);
        Set(e, {"SnimiuOutlookContacts1", "uOutlookContacts1"}, sel && contacts);
        Set(e, {"UpisImeTB", "AllNumTB", "ExpImeTB", "OsvjeziTB", "Upisnoveosobe1"}, true);
        Set(e, {"RazmjenapodatakaOutlookContacts1"}, contacts);
        Set(e, kSmsMenu, false);
        Set(e, kAppointmentsMenu, false);
        Set(e, {"Uspostavivezu1"}, false);
        Set(e, {"Prekinivezu1", "Iskljucimobitel1", "Snimilokacijumreze1"}, true);
        CheckThroughExchanges(rig, e, k.kind);
    }
}

// The SMS page: the panel's message decides. A received one can be
// answered when its sender is a number, and its sender added when it has
// no name; a stored one (sent or not) can be sent, edited and dialled. The
// other list's commands are off.
struct SmsExpectation {
    const char* kind;
    SmsFolder folder;
    const char* location;
    const char* position;
};

States SmsStates(StatesRig& rig, const SmsExpectation* shown) {
    States e;
    const std::initializer_list<const char*> in = {"IzmjenaSmsInTB",   "BrisanjeSmsInTB",
                                                   "DialPhoneSmsInTB", "Izmjenisadrzajporuke2",
                                                   "Izbrisiporuku2",   "Pozoviosobu4"};
    const std::initializer_list<const char*> out = {
        "IzmjenaSmsOutTB",       "BrisanjeSmsOutTB", "SlanjeSmsOutTB", "DialPhoneSmsOutTB",
        "Izmjenisadrzajporuke1", "Izbrisiporuku1",   "Posaljiporuku1", "Pozoviosobu3"};
    const bool received = shown != nullptr && shown->folder == SmsFolder::Incoming;
    const bool stored = shown != nullptr && shown->folder == SmsFolder::Outgoing;
    QWidget& page = rig.Page("SmsPage");
    const QString number = Find<QLabel>(page, "Label25").text();
    const bool named = !Find<QLabel>(page, "Label24").text().isEmpty();
    const bool answerable = received && PhoneEngine::IsValidNumber(number.toStdString());
    Set(e, in, received);
    Set(e, {"ReplySmsTB", "Odgovorinaporuku2"}, answerable);
    Set(e, {"AddPhoneSmsInTB", "Dodajosobuuimenik2"}, answerable && !named);
    Set(e, out, stored);
    Set(e, {"AddPhoneSmsOutTB", "Dodajosobuuimenik1"}, stored && !named);
    Set(e,
        {"NovaSmsTB", "Novaporuka2", "OsvjeziSmsInTB", "OsvjeziSmsOutTB", "Osvjezipodatke2",
         "Novaporuka1", "Odgovorinaporuku1"},
        true);
    Set(e, kPhonebookMenu, false);
    Set(e, kAppointmentsMenu, false);
    return e;
}

TEST(EnabledStates, SmsPage) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(3));
    ASSERT_EQ(rig.engine.SmsList().size(), 12u);
    QWidget& page = rig.Page("SmsPage");
    const SmsExpectation kinds[] = {
        {"a received message of a named sender", SmsFolder::Incoming, "SIM card", "01"},
        {"a received message of a sender with letters", SmsFolder::Incoming, "SIM card", "02"},
        {"a received message of an unknown number", SmsFolder::Incoming, "Mobile memory", "01"},
        {"a sent message", SmsFolder::Outgoing, "SIM card", "08"},
        {"a stored message", SmsFolder::Outgoing, "Mobile memory", "04"},
    };
    for (const SmsExpectation& k : kinds) {
        const bool in = k.folder == SmsFolder::Incoming;
        QTreeWidget& list = Find<QTreeWidget>(page, in ? "SMSListIn" : "SMSListOut");
        QTreeWidgetItem* row = nullptr;
        for (int i = 0; i < list.topLevelItemCount() && row == nullptr; ++i) {
            QTreeWidgetItem* r = list.topLevelItem(i);
            if (r->text(in ? sms_in::kLocation : sms_out::kLocation) == k.location &&
                r->text(in ? sms_in::kPosition : sms_out::kPosition) == k.position)
                row = r;
        }
        ASSERT_NE(row, nullptr) << k.kind;
        rig.Select(list, row);
        ASSERT_EQ(Find<QLabel>(page, "Label21").text(), k.position) << k.kind;
        CheckThroughExchanges(rig, SmsStates(rig, &k), k.kind);
    }

    // The page's own exchange: a stored message sent, and refused.
    const SmsExpectation& stored = kinds[4];
    const States e = SmsStates(rig, &stored);
    ASSERT_TRUE(rig.Enabled("SlanjeSmsOutTB"));
    for (bool refused : {false, true}) {
        if (refused) {
            phonesim::CommandFault refuse;
            refuse.command = "AT+CMSS";
            refuse.result = "+CMS ERROR: 500";
            rig.device.Phone().AddFault(refuse);
        }
        const auto mark = rig.Written().size();
        rig.busySeen = false;
        DialogWatcher yes;  // "Send SMS message?", then the refusal
        Find<QAction>(*rig.glavna, "SlanjeSmsOutTB").trigger();
        ASSERT_TRUE(PumpUntil(
            [&] { return rig.Written().find("AT+CMSS=", mark) != std::string::npos; }, 5000))
            << rig.Written().substr(mark);
        ASSERT_TRUE(rig.Settle());
        for (const auto& [name, enabled] : e)
            EXPECT_EQ(rig.Enabled(name.c_str()), enabled)
                << (refused ? "refused send: " : "send: ") << name;
    }
}

// Without messages: nothing to answer, edit, delete, send, add or dial.
TEST(EnabledStates, SmsPageWithoutMessages) {
    StatesRig rig({.adjustState = [](phonesim::PhoneState& st) {
        for (auto& [id, memory] : st.smsMemories) memory.messages.clear();
    }});
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(3));
    ASSERT_TRUE(rig.engine.SmsList().empty());
    QTreeWidget& inbox = Find<QTreeWidget>(rig.Page("SmsPage"), "SMSListIn");
    rig.Select(inbox, nullptr);
    CheckThroughExchanges(rig, SmsStates(rig, nullptr), "no message");
}

// The call lists: each list's first button while it has rows, its add
// button for a selected row without a name, its call button for a
// selected row.
TEST(EnabledStates, CallListsPage) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(4));
    QWidget& page = rig.Page("PoziviPage");
    const struct {
        const char* list;
        const char* buttons[3];
    } lists[] = {{"CallsOutList", {"SB1", "SB2", "SB3"}},
                 {"CallsInList", {"SB4", "SB5", "SB6"}},
                 {"CallsMissList", {"SB7", "SB8", "SB9"}}};
    for (const auto& chosen : lists) {
        for (const auto& l : lists) Find<QTreeWidget>(page, l.list).clearSelection();
        QTreeWidget& list = Find<QTreeWidget>(page, chosen.list);
        ASSERT_GT(list.topLevelItemCount(), 0) << chosen.list;
        // A row without a name where there is one: the add button is on.
        QTreeWidgetItem* row = StatesRig::RowWith(list, 0, QString());
        if (row == nullptr) row = list.topLevelItem(0);
        rig.Select(list, row);
        States e;
        for (const auto& l : lists) {
            QTreeWidget& each = Find<QTreeWidget>(page, l.list);
            const bool filled = each.topLevelItemCount() > 0;
            const bool selected = &each == &list;
            e[l.buttons[0]] = filled;
            e[l.buttons[1]] = filled && selected && row->text(0).isEmpty();
            e[l.buttons[2]] = filled && selected;
        }
        Set(e, kPhonebookMenu, false);
        Set(e, kSmsMenu, false);
        Set(e, kAppointmentsMenu, false);
        CheckThroughExchanges(rig, e, std::string("a row of ") + chosen.list);
    }
}

// The appointments page: edit, delete and the saves follow the current row.
TEST(EnabledStates, AppointmentsPage) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(5));
    QTreeWidget& list = rig.List("PodsjetnikPage", "AppointmentsList");
    ASSERT_GT(list.topLevelItemCount(), 0);
    const bool calendar = rig.Enabled("OutlookATB");
    for (bool selected : {false, true}) {
        rig.Select(list, selected ? list.topLevelItem(0) : nullptr);
        States e;
        Set(e,
            {"EditAppTB", "DeleteAppTB", "Izmjenipodatke1", "Izbrisipodsjetnik1",
             "SnimikaovCalendar1", "Izmjenipodatkepodsjetnika1", "Izbrisipodsjetnik2",
             "kaovCalendar1"},
            selected);
        Set(e, {"SnimiuOutlookCalendar1", "uOutlookCalendar1"}, selected && calendar);
        Set(e, {"NewAppTB", "RefreshAppTB"}, true);
        Set(e, kPhonebookMenu, false);
        Set(e, kSmsMenu, false);
        CheckThroughExchanges(rig, e, selected ? "an appointment" : "no appointment");
    }
}

// A page not shown keeps its main-menu items off, whatever happens to its
// lists meanwhile: a message arriving while the phonebook is shown fills
// the SMS lists, and the phone's message selects a row of the hidden page.
TEST(EnabledStates, ItemsOfAHiddenPageStayOff) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Open(3));  // the messages read
    ASSERT_TRUE(rig.Open(2));  // then the phonebook shown, an entry selected
    QTreeWidget& list = rig.List("ImenikPage", "ImenikList");
    rig.Select(list, list.topLevelItem(0));
    phonesim::DeliverMessage m;
    m.smsc = "+385910401";
    m.sender = "+385911234567";
    m.text = "Stigao sam.";
    m.timestamp = "05/03/16,09:00:00";
    const auto before = rig.engine.SmsList().size();
    // The new-message notice, closed as it shows.
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "NewSmsForm" && w->isVisible())
                Find<QPushButton>(*w, "Button1").click();
    });
    closer.start();
    rig.device.Phone().ReceiveSms(rig.sched.NowMs(), phonesim::BuildDeliverPdu(m), "SM");
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.SmsList().size() == before + 1; }, 10000));
    ASSERT_TRUE(rig.Settle());
    States e;
    Set(e, kSmsMenu, false);
    Set(e, kAppointmentsMenu, false);
    Set(e,
        {"Izmjenipodatke2", "Izbrisiosobu2", "Promjenilokaciju2", "Pozoviosobu2",
         "PosaljiSMSporuku2", "kaoBusinessCard1"},
        true);
    for (const auto& [name, enabled] : e) EXPECT_EQ(rig.Enabled(name.c_str()), enabled) << name;
}

// Leaving a page switches off each of its main-menu items on a row, on or
// off as they were (the pages shown without a phone).
TEST(EnabledStates, LeavingAPageSwitchesItsRowItemsOff) {
    StatesRig rig({.autoConnect = false});
    rig.glavna->show();
    const std::pair<int, std::initializer_list<const char*>> pages[] = {
        {2, kPhonebookMenu}, {3, kSmsMenu}, {5, kAppointmentsMenu}};
    for (const auto& [tag, items] : pages) {
        ASSERT_TRUE(rig.Open(tag));
        for (const char* item : items) Find<QAction>(*rig.glavna, item).setEnabled(true);
        ASSERT_TRUE(rig.Open(1));  // the general page
        for (const char* item : items)
            EXPECT_FALSE(rig.Enabled(item)) << "page " << tag << ": " << item;
    }
}

// The general page and the advanced page: every page's items on rows are off.
TEST(EnabledStates, GeneralAndAdvancedPages) {
    StatesRig rig;
    ASSERT_TRUE(rig.Connect());
    for (int tag : {1, 6}) {
        ASSERT_TRUE(rig.Open(tag));
        States e;
        Set(e, kPhonebookMenu, false);
        Set(e, kSmsMenu, false);
        Set(e, kAppointmentsMenu, false);
        CheckThroughExchanges(rig, e, tag == 1 ? "the general page" : "the advanced page");
    }
}

}  // namespace
}  // namespace parlenko::ui
