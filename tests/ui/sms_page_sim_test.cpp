// The SMS page and its windows against the simulated S45 (tests/data/s45.state)
// in-process: what the panel and buttons show for the messages read, which
// message a delete, an edit or a send acts on when another arrives meanwhile,
// the compose window's counting and checks, and the new-message notice.

#include "components/widgets/elided_label.h"
#include "components/widgets/tessary_hint.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/phonesim/pdu.h"
#include "tests/support/phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/call_forms.h"
#include "ui/dialogs/call_windows.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/new_sms_form.h"
#include "ui/dialogs/sms_form.h"
#include "ui/dialogs/sms_mem_form.h"
#include "ui/dialogs/upis_imenik.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/phonebook_page.h"
#include "ui/pages/sms_page.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

constexpr char kSelectSim[] = "AT+CPMS=\"SM\",\"SM\",\"SM\"\r";
constexpr char kSelectMe[] = "AT+CPMS=\"ME\",\"ME\",\"ME\"\r";

// Runs act once, from the event loop, as soon as window is shown (inside
// the modal loop that shows it).
class WhenShown {
public:
    WhenShown(QWidget& window, std::function<void()> act) : window_(window), act_(std::move(act)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!window_.isVisible() || done_) return;
            done_ = true;
            timer_.stop();
            act_();
        });
        timer_.start();
    }
    bool Done() const { return done_; }

private:
    QWidget& window_;
    std::function<void()> act_;
    QTimer timer_;
    bool done_ = false;
};

struct SmsRig : testing::MainWindowRig {
    SmsRig() {
        glavna->LoadOptions();
        page = &Find<TSmsPage>(*glavna, "SmsPage");
    }
    std::string Since(std::size_t from) const { return Written().substr(from); }
    bool Connect() {
        glavna->show();
        glavna->activateWindow();
        if (!QTest::qWaitForWindowActive(glavna.get())) return false;
        return WaitConnected() && Idle();
    }
    // The SMS page shown and both memories read (12 messages).
    bool ReadSms() {
        // "Read it now?" (the phonebook): no, the messages are read without it.
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        glavna->OutBarBtn1Click(3);
        return PumpUntil([&] { return engine.SmsList().size() == 12; }, 30000) && Idle();
    }
    phonesim::Phone& Phone() { return device.Phone(); }
    std::int64_t Now() const { return sched.NowMs(); }
    // The page's lists, panel labels and actions (the SMS menu's too), and its windows.
    QTreeWidget& List(SmsFolder folder) {
        return Find<QTreeWidget>(*page, folder == SmsFolder::Incoming ? "SMSListIn" : "SMSListOut");
    }
    QString Text(const char* label) { return Find<QLabel>(*page, label).text(); }
    QAction& Action(const char* name) { return Find<QAction>(*glavna, name); }
    TSmsForm& Compose() { return page->ComposeWindow(); }
    TSmsMemForm& RecipientForm() { return page->RecipientWindow(); }
    TNewSmsForm& Notice() { return page->NoticeWindow(); }
    QTreeWidgetItem* Row(SmsFolder folder, const QString& location, const QString& position) {
        QTreeWidget* list = &List(folder);
        const int pos = folder == SmsFolder::Incoming ? sms_in::kPosition : sms_out::kPosition;
        const int loc = folder == SmsFolder::Incoming ? sms_in::kLocation : sms_out::kLocation;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(pos) == position &&
                list->topLevelItem(i)->text(loc) == location)
                return list->topLevelItem(i);
        return nullptr;
    }
    // Selects a row as a click does, its list having the focus.
    void Select(SmsFolder folder, QTreeWidgetItem* row) {
        QTreeWidget* list = &List(folder);
        // The windows shown meanwhile (progress, messages) took the activation.
        glavna->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(glavna.get()));
        list->setFocus();
        testing::Pump(20);
        list->setCurrentItem(row);
    }
    // A new message from sender arrives; the notice it opens is closed.
    void Arrive(const std::string& sender, const std::string& text) {
        phonesim::DeliverMessage m;
        m.smsc = "+385910401";
        m.sender = sender;
        m.text = text;
        m.timestamp = "05/03/16,09:00:00";
        const auto before = engine.SmsList().size();
        // The notice's modal loop runs inside the wait below: it is closed from there.
        WhenShown close(Notice(), [this] { Find<QPushButton>(Notice(), "Button1").click(); });
        // Into the SIM card: the phone memory's free places stay as they are.
        Phone().ReceiveSms(Now(), phonesim::BuildDeliverPdu(m), "SM");
        ASSERT_TRUE(PumpUntil([&] { return close.Done() && !Notice().isVisible(); }, 10000));
        EXPECT_EQ(engine.SmsList().size(), before + 1);
    }

    TSmsPage* page = nullptr;
};

TEST(SmsPageSim, PanelAndButtonsFollowTheMessageShown) {
    SmsRig rig;
    // Before a message is shown the panel's captions are the page's own,
    // whole with a little room to spare (fonts differ from desktop to desktop).
    for (const char* caption : {"Label16", "Label17", "Label18", "Label12", "Label22", "Label11"}) {
        auto& label = Find<widgets::TElidedLabel>(*rig.page, caption);
        EXPECT_FALSE(label.Elided()) << label.text().toStdString();
        EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()) + 2,
                  label.contentsRect().width())
            << label.text().toStdString();
    }
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.ReadSms());
    TSmsPage& p = *rig.page;

    // Inbox newest first; the counts of both lists.
    ASSERT_EQ(rig.List(SmsFolder::Incoming).topLevelItemCount(), 8);
    QStringList order;
    for (int i = 0; i < rig.List(SmsFolder::Incoming).topLevelItemCount(); ++i)
        order << rig.List(SmsFolder::Incoming).topLevelItem(i)->text(sms_in::kDate) + " " +
                     rig.List(SmsFolder::Incoming).topLevelItem(i)->text(sms_in::kTime);
    QStringList sorted = order;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        auto key = [](const QString& s) {
            return s.mid(6, 4) + s.mid(3, 2) + s.left(2) + s.mid(10);
        };
        return key(a) > key(b);
    });
    EXPECT_EQ(order, sorted);
    AListSMS early, late, odd;
    early.Date = "01.03.2005";
    early.Time = "07:30:00";
    late.Date = "15.03.2005";
    late.Time = "08:45:30";
    odd.Date = "32.13.2005";
    EXPECT_EQ(TSmsPage::SMSListInCompare(late, early), -1);
    EXPECT_EQ(TSmsPage::SMSListInCompare(early, late), 1);
    EXPECT_EQ(TSmsPage::SMSListInCompare(early, early), 0);
    EXPECT_EQ(TSmsPage::SMSListInCompare(odd, early), 1);  // last
    EXPECT_EQ(TSmsPage::SMSListInCompare(early, odd), -1);
    EXPECT_EQ(rig.Text("CountSmsInLab"), "(8/2 new)");
    EXPECT_EQ(rig.Text("CountSmsOutLab"), "(4/2 new)");

    // An alphanumeric sender: no reply, no phonebook entry; edit, delete, dial.
    QTreeWidgetItem* vip = rig.Row(SmsFolder::Incoming, "SIM card", "02");
    ASSERT_NE(vip, nullptr);
    rig.Select(SmsFolder::Incoming, vip);
    EXPECT_EQ(rig.Text("Label25"), "VIPnet");
    EXPECT_EQ(rig.Text("Label16"), "Sender:");
    EXPECT_FALSE(rig.Action("ReplySmsTB").isEnabled());
    EXPECT_FALSE(rig.Action("AddPhoneSmsInTB").isEnabled());
    EXPECT_FALSE(rig.Action("Odgovorinaporuku2").isEnabled());
    EXPECT_TRUE(rig.Action("IzmjenaSmsInTB").isEnabled());
    EXPECT_TRUE(rig.Action("BrisanjeSmsInTB").isEnabled());
    EXPECT_TRUE(rig.Action("DialPhoneSmsInTB").isEnabled());
    EXPECT_EQ(rig.Text("Label21"), "02");
    EXPECT_EQ(rig.Text("Label27"), "SIM card");
    // The position has its own row under the memory, caption and value shown.
    for (QLabel* l : {&Find<QLabel>(p, "Label11"), &Find<QLabel>(p, "Label21")}) {
        EXPECT_TRUE(l->isVisibleTo(&p)) << l->objectName().toStdString();
        EXPECT_GT(l->y(), Find<QLabel>(p, "Label27").y()) << l->objectName().toStdString();
    }

    // A sender with a number can be answered and added.
    rig.Select(SmsFolder::Incoming, rig.Row(SmsFolder::Incoming, "Mobile memory", "07"));
    EXPECT_TRUE(rig.Action("ReplySmsTB").isEnabled());
    EXPECT_TRUE(rig.Action("AddPhoneSmsInTB").isEnabled());
    EXPECT_EQ(rig.Text("Label25"), "+385915550000");

    // A stored message has no centre of its own: the phone's is shown.
    rig.Select(SmsFolder::Outgoing, rig.Row(SmsFolder::Outgoing, "Mobile memory", "04"));
    EXPECT_EQ(rig.Text("Label16"), "Receiver:");
    EXPECT_EQ(rig.Text("Label18"), "Validity:");
    EXPECT_EQ(rig.Text("Label23"), QString::fromStdString(rig.engine.Settings().SmscLab));
    EXPECT_FALSE(rig.Text("Label23").isEmpty());
    EXPECT_TRUE(rig.Action("SlanjeSmsOutTB").isEnabled());
    // Leaving the inbox disabled its commands.
    EXPECT_FALSE(rig.Action("IzmjenaSmsInTB").isEnabled());
    // The inbox has the focus again as the window becomes active again
    // (another window had it meanwhile): its commands are back, with its
    // menu's, and the outbox's are off.
    QFocusEvent activated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&rig.List(SmsFolder::Incoming), &activated);
    EXPECT_TRUE(rig.Action("IzmjenaSmsInTB").isEnabled());
    EXPECT_TRUE(rig.Action("Izmjenisadrzajporuke2").isEnabled());
    EXPECT_FALSE(rig.Action("SlanjeSmsOutTB").isEnabled());
    rig.Select(SmsFolder::Outgoing, rig.Row(SmsFolder::Outgoing, "Mobile memory", "04"));
    EXPECT_EQ(rig.Text("Label28"),
              "Message length:  " +
                  QString::number(Find<QPlainTextEdit>(p, "SMSMemo").toPlainText().size()));
}

// The inbox is in its order after every message read, whatever came
// before: newest first, of equal dates the one read later first, and dates
// that do not convert (month 13) last, likewise the one read later first.
TEST(SmsPageSim, TheInboxKeepsItsOrderOnAMixedInbox) {
    SmsRig rig;
    struct Stored {
        const char* memory;
        int index;
        const char* timestamp;  // yy/MM/dd,hh:mm:ss
        const char* text;
    };
    // Read in this order: the SIM card's positions first, then the phone's.
    const Stored messages[] = {
        {"SM", 1, "05/03/10,12:00:00", "A"}, {"SM", 2, "05/03/12,08:00:00", "B"},
        {"SM", 3, "05/03/10,12:00:00", "C"}, {"SM", 4, "05/13/10,12:00:00", "D"},
        {"SM", 5, "05/03/11,09:30:00", "E"}, {"ME", 1, "05/13/01,00:00:00", "F"},
        {"ME", 2, "05/03/09,00:00:00", "G"}, {"ME", 3, "05/03/12,08:00:00", "H"},
        {"ME", 4, "05/03/13,23:59:59", "I"},
    };
    auto& memories = rig.Phone().State().smsMemories;
    memories["SM"].messages.clear();
    memories["ME"].messages.clear();
    for (const Stored& m : messages) {
        phonesim::DeliverMessage d;
        d.smsc = "+385910401";
        d.sender = "+385911234567";
        d.timestamp = m.timestamp;
        d.text = m.text;
        memories[m.memory].messages[m.index] = {1, phonesim::BuildDeliverPdu(d)};
    }
    ASSERT_TRUE(rig.Connect());
    DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
    rig.glavna->OutBarBtn1Click(3);
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.SmsList().size() == 9; }, 30000) && rig.Idle());

    QTreeWidget& inbox = rig.List(SmsFolder::Incoming);
    QString order;
    for (int i = 0; i < inbox.topLevelItemCount(); ++i)
        order += inbox.topLevelItem(i)->text(sms_in::kText);
    EXPECT_EQ(order.toStdString(), "IHBECAGFD");
}

TEST(SmsPageSim, DeleteActsOnTheMessageShownWhenStarted) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    TSmsPage& p = *rig.page;

    // Nothing shown: the Delete key sends nothing and leaves nothing behind.
    std::size_t from = rig.Written().size();
    rig.List(SmsFolder::Incoming).setFocus();
    QKeyEvent del(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&rig.List(SmsFolder::Incoming), &del);
    testing::Pump(200);
    EXPECT_EQ(rig.Written().size(), from);
    ASSERT_TRUE(rig.ReadSms());
    EXPECT_EQ(rig.List(SmsFolder::Incoming).topLevelItemCount(), 8);

    // The confirmation names the list; a message arriving while it is open
    // takes over the panel, and the one shown first is deleted.
    rig.Select(SmsFolder::Incoming, rig.Row(SmsFolder::Incoming, "SIM card", "05"));
    const QString shownNumber = rig.Text("Label25");
    from = rig.Written().size();
    {
        DialogWatcher watcher([&](TMessageDialog& d) {
            rig.Arrive("+385917777777", "Jos jedna");
            EXPECT_EQ(rig.Text("Label25"), "+385917777777");
            DialogWatcher::Press(d, "Yes");
        });
        p.BrisanjeSmsInTBClick();
        ASSERT_TRUE(PumpUntil([&] { return rig.Since(from).find("AT+CMGD=") != std::string::npos; },
                              10000));
        ASSERT_TRUE(rig.Idle());
        ASSERT_EQ(watcher.Seen().size(), 1u);
        EXPECT_EQ(watcher.Seen()[0].caption, "Delete message");
        EXPECT_TRUE(watcher.Seen()[0].text.startsWith("Sender:  "))
            << watcher.Seen()[0].text.toStdString();
        EXPECT_TRUE(watcher.Seen()[0].text.contains(shownNumber));
    }
    const std::string sent = rig.Since(from);
    const auto select = sent.rfind(kSelectSim);
    ASSERT_NE(select, std::string::npos) << sent;
    EXPECT_NE(sent.find("AT+CMGD=05\r", select), std::string::npos) << sent;
    EXPECT_EQ(rig.Phone().State().smsMemories["SM"].messages.count(5), 0u);
    EXPECT_TRUE(PumpUntil([&] { return !rig.Row(SmsFolder::Incoming, "SIM card", "05"); }, 5000));

    // In the outbox the confirmation speaks of the receiver.
    rig.Select(SmsFolder::Outgoing, rig.List(SmsFolder::Outgoing).topLevelItem(0));
    DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
    from = rig.Written().size();
    p.BrisanjeSmsInTBClick();
    ASSERT_TRUE(PumpUntil([&] { return no.Seen().size() == 1; }, 3000));
    EXPECT_TRUE(no.Seen()[0].text.startsWith("Receiver:  "));
    testing::Pump(100);
    EXPECT_EQ(rig.Written().size(), from);
}

TEST(SmsPageSim, AnEditReplacesTheMessageShownWhenOpened) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.ReadSms());
    TSmsPage& p = *rig.page;
    TSmsForm& f = rig.Compose();

    // Closed by the title bar: nothing reaches the phone.
    rig.Select(SmsFolder::Outgoing, rig.Row(SmsFolder::Outgoing, "Mobile memory", "04"));
    std::size_t from = rig.Written().size();
    {
        WhenShown closeIt(f, [&] { f.reject(); });
        p.IzmjenaSmsInTBClick();
    }
    testing::Pump(100);
    EXPECT_EQ(rig.Written().size(), from);

    // A message arrives while the edit is open: the edited one is replaced.
    rig.Select(SmsFolder::Outgoing, rig.Row(SmsFolder::Outgoing, "Mobile memory", "04"));
    from = rig.Written().size();
    WhenShown edit(f, [&] {
        EXPECT_EQ(f.windowTitle(), "Edit message . . .");
        EXPECT_EQ(f.Text(), "Termin am Montag passt. Schöne Grüße");
        rig.Arrive("+385918888888", "Usput");
        f.SetText("Termin am Dienstag");
        Find<QPushButton>(f, "SaveBtn").click();
    });
    p.IzmjenaSmsInTBClick();
    ASSERT_TRUE(edit.Done());
    ASSERT_TRUE(
        PumpUntil([&] { return rig.Since(from).find("AT+CMGD=") != std::string::npos; }, 10000));
    ASSERT_TRUE(rig.Idle());
    const std::string sent = rig.Since(from);
    const auto store = sent.find("AT+CMGW=");
    ASSERT_NE(store, std::string::npos) << sent;
    EXPECT_NE(sent.rfind(kSelectMe, store), std::string::npos) << sent;
    EXPECT_GT(sent.find("AT+CMGD=04\r"), store) << sent;
    auto& me = rig.Phone().State().smsMemories["ME"].messages;
    EXPECT_EQ(me.count(4), 0u);
    ASSERT_EQ(me.count(3), 1u);
    EXPECT_EQ(phonesim::DecodePdu(me[3].pdu)->text, "Termin am Dienstag");
    ASSERT_NE(rig.Row(SmsFolder::Outgoing, "Mobile memory", "03"), nullptr);
    EXPECT_TRUE(
        PumpUntil([&] { return !rig.Row(SmsFolder::Outgoing, "Mobile memory", "04"); }, 5000));
}

TEST(SmsPageSim, AStoredMessageWithoutNumberAsksForOne) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.ReadSms());
    TSmsPage& p = *rig.page;
    TSmsForm& f = rig.Compose();

    // Stored with no number: Save only.
    WhenShown store(f, [&] {
        f.SetText("Bez broja");
        EXPECT_TRUE(Find<QPushButton>(f, "SaveBtn").isEnabled());
        EXPECT_FALSE(Find<QPushButton>(f, "SendBtn").isEnabled());
        Find<QPushButton>(f, "SaveBtn").click();
    });
    p.Novaporuka1Click();
    ASSERT_TRUE(PumpUntil([&] { return rig.Row(SmsFolder::Outgoing, "SIM card", "04"); }, 10000));
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Text("Label21"), "04");  // the stored one is shown
    EXPECT_TRUE(rig.Text("Label25").isEmpty());

    std::size_t from = rig.Written().size();
    DialogWatcher yes;  // "Send SMS message?"
    WhenShown number(rig.RecipientForm(), [&] {
        EXPECT_FALSE(Find<QPushButton>(rig.RecipientForm(), "SendBtn").isEnabled());
        Find<QLineEdit>(rig.RecipientForm(), "TelEdit").setText("+385911112222");
        Find<QPushButton>(rig.RecipientForm(), "SendBtn").click();
    });
    p.SlanjeSmsOutTBClick();
    ASSERT_TRUE(
        PumpUntil([&] { return rig.Since(from).find("AT+CMSS=") != std::string::npos; }, 10000));
    ASSERT_TRUE(rig.Idle());
    EXPECT_NE(rig.Since(from).find("AT+CMSS=04,+385911112222\r"), std::string::npos)
        << rig.Since(from);
    ASSERT_EQ(yes.Seen().size(), 1u);
    EXPECT_EQ(yes.Seen()[0].caption, "Send message");
}

TEST(SmsPageSim, ComposeCountsChecksAndSends) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    TSmsPage& p = *rig.page;
    TSmsForm& f = rig.Compose();
    std::size_t from = 0;
    WhenShown compose(f, [&] {
        EXPECT_EQ(f.windowTitle(), "New message . . .");
        // A character the phone cannot store: listed, both buttons off.
        Find<QLineEdit>(f, "TelEdit").setText("+385911234567");
        f.SetText(QString::fromUtf8("Vidimo se u Čakovcu"));
        ASSERT_NE(f.Hint(), nullptr);
        EXPECT_TRUE(f.Hint()->Caption().contains(QString::fromUtf8("Č ")));
        EXPECT_FALSE(Find<QPushButton>(f, "SendBtn").isEnabled());
        EXPECT_FALSE(Find<QPushButton>(f, "SaveBtn").isEnabled());
        f.SetText("Vidimo se u Cakovcu");
        EXPECT_EQ(f.Hint(), nullptr);
        EXPECT_TRUE(Find<QPushButton>(f, "SendBtn").isEnabled());

        // The limit: typing or pasting past it keeps what fits.
        f.SetText(QString(150, 'a'));
        Find<QPlainTextEdit>(f, "PorukaMemo").moveCursor(QTextCursor::End);
        Find<QPlainTextEdit>(f, "PorukaMemo").insertPlainText(QString(20, 'b'));
        EXPECT_EQ(f.Text(), QString(150, 'a') + QString(10, 'b'));
        EXPECT_EQ(Find<QLabel>(f, "PreLab").text(), "0");
        // The euro counts two.
        f.SetText(QString(150, 'a') + QString(QChar(0x20AC)));
        EXPECT_EQ(Find<QLabel>(f, "UpisLab").text(), "152");
        // So does every character of the phone's extension table.
        f.SetText(QString(150, 'a') + "{");
        EXPECT_EQ(Find<QLabel>(f, "UpisLab").text(), "152");
        f.SetText(QString(150, 'a') + QString(QChar(0x20AC)));
        EXPECT_EQ(f.Left(), 8);
        Find<QSpinBox>(f, "PicturesUD").setValue(1);  // "Headache": 11 characters
        EXPECT_FALSE(Find<QPushButton>(f, "AddPicBtn").isEnabled());
        Find<QSpinBox>(f, "PicturesUD").setValue(9);  // "No": 5
        EXPECT_TRUE(Find<QPushButton>(f, "AddPicBtn").isEnabled());
        Find<QPlainTextEdit>(f, "PorukaMemo").moveCursor(QTextCursor::Start);
        Find<QPushButton>(f, "AddPicBtn").click();
        EXPECT_TRUE(f.Text().startsWith("\"%No\"aaa"));
        // Flash: 69 at most, cut at once.
        f.SetText(QString(100, 'c'));
        Find<QCheckBox>(f, "FlashCheck").setChecked(true);
        EXPECT_EQ(f.Text(), QString(69, 'c'));
        EXPECT_EQ(Find<QLabel>(f, "MaxLab").text(), "69");
        Find<QCheckBox>(f, "FlashCheck").setChecked(false);

        // A text put there whole stays whole; over the limit nothing may go.
        f.SetText(QString(170, 'd'));
        EXPECT_EQ(f.Text().size(), 170);
        EXPECT_EQ(Find<QLabel>(f, "PreLab").text(), "-10");
        EXPECT_FALSE(Find<QPushButton>(f, "SendBtn").isEnabled());
        EXPECT_FALSE(Find<QPushButton>(f, "SaveBtn").isEnabled());
        // A number the encoder refuses is told, and nothing is sent.
        f.SetText("Bok");
        Find<QLineEdit>(f, "TelEdit").setText("+385+91");
        ASSERT_TRUE(Find<QPushButton>(f, "SendBtn").isEnabled());
        const std::size_t before = rig.Written().size();
        {
            DialogWatcher ok;
            Find<QPushButton>(f, "SendBtn").click();
            ASSERT_EQ(ok.Seen().size(), 1u);
            EXPECT_EQ(ok.Seen()[0].caption, "Error");
        }
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(rig.Written().size(), before);

        Find<QLineEdit>(f, "TelEdit").setText("+385911234567");
        // The phone's own letters go as they are.
        f.SetText(QString::fromUtf8("Stižem u 8.\nPozdrav"));
        EXPECT_FALSE(Find<QPushButton>(f, "SendBtn").isEnabled());
        f.SetText(QString::fromUtf8("Café {Ø Δ €} u 8.\nPozdrav"));
        EXPECT_EQ(f.Hint(), nullptr);
        from = rig.Written().size();
        Find<QPushButton>(f, "SendBtn").click();
    });
    p.Novaporuka1Click();
    ASSERT_TRUE(compose.Done());
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Text().isEmpty());  // emptied on close
    ASSERT_TRUE(PumpUntil([&] { return !rig.Phone().State().sentPdus.empty(); }, 10000));
    const auto decoded = phonesim::DecodePdu(rig.Phone().State().sentPdus.back());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->address, "+385911234567");
    EXPECT_EQ(decoded->text, "Café {Ø Δ €} u 8.\nPozdrav");
    EXPECT_NE(rig.Since(from).find("AT+CMGS="), std::string::npos);
}

TEST(SmsPageSim, ComposeKeepsTheTextUntilThePhoneTakesTheMessage) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    TSmsPage& p = *rig.page;
    TSmsForm& f = rig.Compose();
    phonesim::CommandFault refused;
    refused.command = "AT+CMGS=";
    refused.result = "+CMS ERROR: 500";
    rig.Phone().AddFault(refused);
    bool keptAfterRefusal = false;
    WhenShown compose(f, [&] {
        Find<QLineEdit>(f, "TelEdit").setText("+385911234567");
        f.SetText("Vidimo se");
        {
            DialogWatcher ok;
            Find<QPushButton>(f, "SendBtn").click();
            EXPECT_FALSE(
                Find<QPushButton>(f, "SendBtn").isEnabled());  // while the phone works on it
            ASSERT_TRUE(PumpUntil([&] { return !ok.Seen().empty(); }, 10000));
            EXPECT_EQ(ok.Seen()[0].caption, "Error");
        }
        ASSERT_TRUE(PumpUntil([&] { return !f.Waiting(); }, 5000));
        keptAfterRefusal =
            f.isVisible() && f.Text() == "Vidimo se" && Find<QPushButton>(f, "SendBtn").isEnabled();
        Find<QPushButton>(f, "SendBtn").click();  // the phone takes it now
    });
    p.Novaporuka1Click();
    ASSERT_TRUE(compose.Done());
    EXPECT_TRUE(keptAfterRefusal);
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(rig.Phone().State().sentPdus.size(), 1u);
}

TEST(SmsPageSim, NoticeShowsTheNewMessageAndReplies) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    TSmsPage& p = *rig.page;
    TNewSmsForm& n = rig.Notice();
    phonesim::DeliverMessage m;
    m.smsc = "+385910401";
    m.sender = "+385950610995";
    m.text = "Javi se!";
    m.timestamp = "05/03/16,09:15:00";
    bool replied = false;
    WhenShown notice(n, [&] {
        EXPECT_EQ(Find<QLabel>(n, "TelefonLab").text(), "+385950610995");
        EXPECT_EQ(Find<QLabel>(n, "DatumLab").text(), "16.03.2005     09:15:00");
        EXPECT_EQ(Find<QPlainTextEdit>(n, "PorukaMemo").toPlainText(), "Javi se!");
        EXPECT_TRUE(Find<QTimer>(n, "CloseTimer").isActive());
        EXPECT_TRUE(rig.engine.NewSmsPending());
        WhenShown reply(rig.Compose(), [&] {
            replied = true;
            EXPECT_EQ(rig.Compose().windowTitle(), "Reply to message . . .");
            EXPECT_EQ(Find<QLineEdit>(rig.Compose(), "TelEdit").text(), "+385950610995");
            EXPECT_FALSE(Find<QLineEdit>(rig.Compose(), "TelEdit").isEnabled());
            EXPECT_FALSE(Find<QComboBox>(rig.Compose(), "NazivCB").isEnabled());
            rig.Compose().reject();
        });
        Find<QPushButton>(n, "Button2").click();
    });
    rig.Phone().ReceiveSms(rig.Now(), phonesim::BuildDeliverPdu(m));
    ASSERT_TRUE(PumpUntil([&] { return notice.Done() && !n.isVisible(); }, 10000));
    EXPECT_TRUE(replied);
    EXPECT_FALSE(rig.engine.NewSmsPending());

    // While the compose window is open the notice offers no reply.
    WhenShown composing(rig.Compose(), [&] {
        WhenShown inner(n, [&] {
            EXPECT_FALSE(Find<QPushButton>(n, "Button2").isEnabled());
            Find<QPushButton>(n, "Button1").click();
        });
        m.text = "Jesi tu?";
        rig.Phone().ReceiveSms(rig.Now(), phonesim::BuildDeliverPdu(m));
        EXPECT_TRUE(PumpUntil([&] { return inner.Done() && !n.isVisible(); }, 10000));
        rig.Compose().reject();
    });
    p.Novaporuka1Click();
    ASSERT_TRUE(composing.Done());

    // "Zatvori" clears the indicator too.
    m.text = "Jos nesto";
    WhenShown close(n, [&] { Find<QPushButton>(n, "Button1").click(); });
    rig.Phone().ReceiveSms(rig.Now(), phonesim::BuildDeliverPdu(m));
    ASSERT_TRUE(PumpUntil([&] { return close.Done() && !n.isVisible(); }, 10000));
    EXPECT_FALSE(rig.engine.NewSmsPending());
}

// UCS2 messages keep every letter: in the notice, on the page and in a
// quick answer, where the compose window lists what the phone cannot send.
TEST(SmsPageSim, Ucs2MessagesKeepEveryLetter) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    TSmsPage& p = *rig.page;
    TNewSmsForm& n = rig.Notice();
    const QString croatian = QString::fromUtf8("Ćao Đuro, čćžšđ");
    const QString cyrillic = QString::fromUtf8("Привет, Ђорђе!");
    QStringList noticed;
    int minute = 10;
    for (const QString& text : {croatian, cyrillic}) {
        phonesim::DeliverMessage m;
        m.smsc = "+385910401";
        m.sender = "+385950610995";
        m.text = text.toStdString();
        m.ucs2 = true;
        m.timestamp = "05/03/16,09:" + std::to_string(++minute) + ":00";
        WhenShown notice(n, [&] {
            noticed << Find<QPlainTextEdit>(n, "PorukaMemo").toPlainText();
            Find<QPushButton>(n, "Button1").click();
        });
        rig.Phone().ReceiveSms(rig.Now(), phonesim::BuildDeliverPdu(m), "SM");
        ASSERT_TRUE(PumpUntil([&] { return notice.Done() && !n.isVisible(); }, 10000));
    }
    EXPECT_EQ(noticed, (QStringList{croatian, cyrillic}));

    ASSERT_TRUE(rig.Idle());
    QTreeWidgetItem* row = nullptr;
    QStringList texts;
    for (int i = 0; i < rig.List(SmsFolder::Incoming).topLevelItemCount(); ++i) {
        texts << rig.List(SmsFolder::Incoming).topLevelItem(i)->text(sms_in::kText);
        if (texts.back() == croatian) row = rig.List(SmsFolder::Incoming).topLevelItem(i);
    }
    EXPECT_TRUE(texts.contains(cyrillic));
    ASSERT_NE(row, nullptr) << texts.join('|').toStdString();
    rig.Select(SmsFolder::Incoming, row);
    EXPECT_EQ(Find<QPlainTextEdit>(p, "SMSMemo").toPlainText(), croatian);

    TSmsForm& f = rig.Compose();
    WhenShown answer(f, [&] {
        EXPECT_EQ(f.Text(), croatian + "\nAnswer is YES!");
        ASSERT_NE(f.Hint(), nullptr);
        EXPECT_TRUE(f.Hint()->Caption().contains(QString::fromUtf8("Ć Đ č ć ž š đ ")))
            << f.Hint()->Caption().toStdString();
        EXPECT_FALSE(Find<QPushButton>(f, "SendBtn").isEnabled());
        f.reject();
    });
    p.OdgovorjeDA1Click(1);
    EXPECT_TRUE(answer.Done());
}

TEST(SmsPageSim, DialAndAddTakeThePanelsNumber) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.ReadSms());
    TSmsPage& p = *rig.page;
    rig.Select(SmsFolder::Incoming, rig.Row(SmsFolder::Incoming, "Mobile memory", "07"));
    // The one dial sequence: the dial dialog with the panel's number.
    TDialForm& dial = *rig.glavna->CallWindows().DialForm();
    WhenShown check(dial, [&] {
        EXPECT_EQ(Find<QLineEdit>(dial, "TelEdit").text(), "+385915550000");
        dial.reject();
    });
    std::size_t from = rig.Written().size();
    p.DialPhoneSmsInTBClick();
    EXPECT_TRUE(check.Done());
    testing::Pump(100);
    EXPECT_EQ(rig.Since(from).find("ATD"), std::string::npos);
    // The phonebook was not read: adding the sender is refused.
    DialogWatcher ok;
    p.AddPhoneSmsInTBClick();
    ASSERT_EQ(ok.Seen().size(), 1u);
    EXPECT_EQ(ok.Seen()[0].caption, "Save person to phonebook");
    EXPECT_EQ(ok.Seen()[0].text, "First, you must refresh mobile phonebook!");
}

TEST(SmsPageSim, PhonebookButtonsComposeToTheEntryAndAddOpensTheEntryDialog) {
    SmsRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.glavna->OutBarBtn1Click(2);
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.PhonebookLoaded(); }, 30000));
    ASSERT_TRUE(rig.Idle());
    TImenikPage& book = Find<TImenikPage>(*rig.glavna, "ImenikPage");
    QTreeWidgetItem* vip = nullptr;
    auto& entries = Find<QTreeWidget>(book, "ImenikList");
    for (int i = 0; i < entries.topLevelItemCount() && !vip; ++i)
        if (entries.topLevelItem(i)->text(1) == "0983273823") vip = entries.topLevelItem(i);
    ASSERT_NE(vip, nullptr);
    entries.setCurrentItem(vip);
    TSmsForm& f = rig.Compose();
    // To the entry: its number, and its name (a VIP entry's) chosen.
    WhenShown to(f, [&] {
        EXPECT_EQ(f.windowTitle(), "New message . . .");
        EXPECT_EQ(Find<QLineEdit>(f, "TelEdit").text(), "0983273823");
        EXPECT_EQ(Find<QComboBox>(f, "NazivCB").currentData().toString(), "Ivan Pavic!");
        EXPECT_EQ(Find<QComboBox>(f, "NazivCB").currentText(), "Ivan Pavic");
        EXPECT_TRUE(f.Text().isEmpty());
        f.reject();
    });
    Find<QAction>(book, "NewSmsIme1TB").trigger();
    ASSERT_TRUE(to.Done());
    // With the entry's data: the text, no recipient.
    WhenShown data(f, [&] {
        EXPECT_EQ(f.Text(), "Ivan Pavic\n0983273823");
        EXPECT_TRUE(Find<QLineEdit>(f, "TelEdit").text().isEmpty());
        f.reject();
    });
    Find<QAction>(book, "NewSmsIme2TB").trigger();
    ASSERT_TRUE(data.Done());

    // A sender the phonebook does not know: the entry dialog with the number.
    ASSERT_TRUE(rig.ReadSms());
    rig.Select(SmsFolder::Incoming, rig.Row(SmsFolder::Incoming, "Mobile memory", "07"));
    ASSERT_TRUE(rig.Action("AddPhoneSmsInTB").isEnabled());
    TUpisImenik& entry = book.UpisImenik();
    WhenShown add(entry, [&] {
        EXPECT_EQ(entry.Number(), "+385915550000");
        entry.reject();
    });
    rig.Action("AddPhoneSmsInTB").trigger();
    ASSERT_TRUE(add.Done());
}

}  // namespace
}  // namespace parlenko::ui
