// The call lists page and the call windows against the simulated S45: the
// read fills the three lists, the buttons follow the selection, a call is
// dialled, talked (tones) and ended from either side, an incoming call is
// answered or rejected (also while a message box is open), the two balance
// codes open the balance window, the lists are saved as CSV and the dialled
// calls are deleted.

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/controls/list_sort.h"
#include "ui/dialogs/call_forms.h"
#include "ui/dialogs/call_windows.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/dialogs/upis_imenik.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/calls_page.h"
#include "ui/pages/phonebook_page.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

// Steps a user takes while modal windows run their own loops: each step
// waits for its condition, then acts; checked every few milliseconds in
// whatever loop is running.
class Script {
public:
    Script() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Run(); });
        timer_.start();
    }
    Script& When(std::function<bool()> ready, std::function<void()> act) {
        steps_.push_back({std::move(ready), std::move(act)});
        return *this;
    }
    bool Done() const { return steps_.empty(); }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };
    void Run() {
        if (running_ || steps_.empty() || !steps_.front().ready()) return;
        running_ = true;  // an action may open a window whose loop runs us again
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step.act();
        running_ = false;
    }
    std::deque<Step> steps_;
    bool running_ = false;
    QTimer timer_;
};

struct CallsRig : testing::MainWindowRig {
    CallsRig() {
        status.SetEnabledSource([] { return true; });
        host.SetStatusFrm(&status);
        glavna->LoadOptions();
        page = &Find<TCallsPage>(*glavna, "PoziviPage");
        calls = &glavna->CallWindows();
    }
    ~CallsRig() { CloseMainWindow(); }  // before the status window goes
    std::string WrittenSince(std::size_t from) const { return Written().substr(from); }
    // Connected, idle, the call lists read.
    bool ShowCalls() {
        glavna->show();
        if (!WaitConnected() || !Idle()) return false;
        return ReadCalls();
    }
    // The page's button: the read runs under the progress window, which
    // closes after the missed calls.
    bool ReadCalls() {
        glavna->OutBarBtn1Click(4);
        return PumpUntil([&] { return citam.isVisible(); }, 10000) && Idle();
    }
    // The row with number of the page's list, selected.
    void Select(const char* list, const QString& number) {
        QTreeWidget& rows = Find<QTreeWidget>(*page, list);
        rows.clearSelection();
        for (int i = 0; i < rows.topLevelItemCount(); ++i)
            if (rows.topLevelItem(i)->text(1) == number) rows.topLevelItem(i)->setSelected(true);
    }
    bool SettledBusy() {
        testing::Pump(150);
        return PumpUntil([&] { return !glavna->Busy(); }, 5000);
    }
    std::int64_t Now() const { return sched.NowMs(); }

    TStatusFrm status;
    TCallsPage* page = nullptr;
    TCallWindows* calls = nullptr;
};

const QString kUnknown = QStringLiteral("+385913337777");

TEST(CallsSimTest, ReadFillsTheListsAndTheButtonsFollowTheSelection) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls()) << rig.Written();
    TCallsPage& p = *rig.page;
    QTreeWidget& dialled = Find<QTreeWidget>(p, "CallsOutList");
    QTreeWidget& received = Find<QTreeWidget>(p, "CallsInList");
    const QTreeWidget& missed = Find<QTreeWidget>(p, "CallsMissList");
    const QPushButton& add = Find<QPushButton>(p, "SB5");
    const QPushButton& call = Find<QPushButton>(p, "SB6");
    EXPECT_EQ(dialled.topLevelItemCount(), 8);
    EXPECT_EQ(received.topLevelItemCount(), 6);
    EXPECT_EQ(missed.topLevelItemCount(), 3);
    for (const char* capacity : {"Calls2Lab", "Calls4Lab", "Calls6Lab"})
        EXPECT_EQ(Find<QLabel>(p, capacity).text(), "10") << capacity;
    EXPECT_EQ(Find<QLabel>(p, "Calls1Lab").text(), "8");
    EXPECT_EQ(Find<QLabel>(p, "Calls3Lab").text(), "6");
    EXPECT_EQ(Find<QLabel>(p, "Calls5Lab").text(), "3");
    EXPECT_EQ(dialled.columnWidth(0), 155);
    EXPECT_EQ(dialled.columnWidth(1), 120);

    // SB4 .. SB6 of the received calls: the unnamed number may be added
    // only while selected; a named row never.
    rig.Select("CallsInList", kUnknown);
    EXPECT_TRUE(add.isEnabled());
    EXPECT_TRUE(call.isEnabled());
    EXPECT_TRUE(Find<QPushButton>(p, "SB4").isEnabled());
    rig.Select("CallsInList", "+385983199779");
    ASSERT_EQ(received.selectedItems().size(), 1);
    EXPECT_EQ(received.selectedItems().front()->text(0), "Boris Horvat");
    EXPECT_FALSE(add.isEnabled());
    EXPECT_TRUE(call.isEnabled());
    received.clearSelection();
    EXPECT_FALSE(add.isEnabled());
    EXPECT_FALSE(call.isEnabled());

    // A header click sorts with the phonebook list's shared sort: the name
    // column again reverses it.
    SharedListSort() = {};
    emit received.header()->sectionClicked(0);
    EXPECT_EQ(received.topLevelItem(0)->text(0), "Dario Maric");
    emit received.header()->sectionClicked(0);
    EXPECT_EQ(received.topLevelItem(5)->text(0), "Dario Maric");

    // A read again starts from empty lists: the same rows, not twice as many.
    ASSERT_TRUE(rig.ReadCalls());
    EXPECT_EQ(missed.topLevelItemCount(), 3);
    EXPECT_EQ(dialled.topLevelItemCount(), 8);
}

TEST(CallsSimTest, DialTalkWithTonesAndHangUpFromEitherSide) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls()) << rig.Written();
    TCallsPage& p = *rig.page;
    TTalkingToForm& talk = *rig.calls->TalkingToForm();
    TDialForm& dial = *rig.calls->DialForm();
    QPushButton& dialButton = Find<QPushButton>(dial, "DialBtn");
    const QLabel& party = Find<QLabel>(talk, "TelefonLab");
    QSpinBox& duration = Find<QSpinBox>(talk, "DurationUD");
    QLineEdit& tones = Find<QLineEdit>(talk, "DtmfStrEdit");
    QPushButton& send = Find<QPushButton>(talk, "SendStrBtn");
    QPushButton& hangUp = Find<QPushButton>(talk, "HangUpBtn");
    rig.Select("CallsInList", kUnknown);
    const std::size_t from = rig.Written().size();

    QString shownNumber;
    bool quoteSendable = true;
    bool blankSendable = true;
    std::size_t beforeRefused = 0;
    std::size_t afterRefused = 0;
    Script s;
    s.When([&] { return dial.isVisible(); },
           [&] {
               EXPECT_EQ(Find<QLineEdit>(dial, "TelEdit").text(), kUnknown);
               Find<QCheckBox>(dial, "BlockNumberCheck").setChecked(true);
               dialButton.click();
           })
        .When([&] { return talk.isVisible(); },
              [&] {
                  shownNumber = party.text();
                  EXPECT_EQ(duration.value(), 1);
                  duration.setValue(3);
                  talk.findChild<QPushButton*>("btnToneA")->click();
              })
        .When([&] { return rig.WrittenSince(from).find("AT+VTS=A,3\r") != std::string::npos; },
              [&] {})
        .When([&] { return !rig.glavna->Busy(); },
              [&] {
                  tones.setText("12a#");
                  send.click();
              })
        .When([&] { return rig.WrittenSince(from).find("AT+VTS=\"12A#\"\r") != std::string::npos; },
              [&] {})
        .When([&] { return !rig.glavna->Busy(); },
              [&] {
                  beforeRefused = rig.Written().size();
                  tones.setText("12\";+CFUN=0");
                  quoteSendable = send.isEnabled();
                  send.click();
                  tones.setText("1 2");
                  blankSendable = send.isEnabled();
                  send.click();
                  afterRefused = rig.Written().size();
                  hangUp.click();
              });
    Find<QPushButton>(p, "SB6").click();
    ASSERT_TRUE(PumpUntil([&] { return s.Done() && !talk.isVisible(); }, 20000))
        << rig.WrittenSince(from);
    EXPECT_NE(rig.WrittenSince(from).find("ATD#31#+385913337777;\r"), std::string::npos);
    EXPECT_EQ(shownNumber, kUnknown);
    EXPECT_FALSE(quoteSendable);
    EXPECT_FALSE(blankSendable);
    EXPECT_EQ(beforeRefused, afterRefused);
    EXPECT_NE(rig.WrittenSince(afterRefused).find("AT+CHUP\r"), std::string::npos);
    EXPECT_TRUE(party.text().isEmpty());
    ASSERT_TRUE(
        PumpUntil([&] { return rig.device.Phone().Call() == phonesim::CallState::Idle; }, 5000));
    ASSERT_TRUE(rig.SettledBusy());

    // The other side hangs up: the window closes and says so.
    Script remote;
    remote.When([&] { return dial.isVisible(); }, [&] { dialButton.click(); })
        .When([&] { return talk.isVisible(); },
              [&] { rig.device.Phone().RemoteHangup(rig.Now()); });
    rig.calls->DialSequence("Petra", "+385954538935");
    ASSERT_TRUE(PumpUntil([&] { return remote.Done() && !talk.isVisible(); }, 20000));
    EXPECT_EQ(Find<QLabel>(rig.status, "PorukaLab").text(), "Disconnected!");
}

TEST(CallsSimTest, AddToPhonebookAndDialDialogTakesOnlyNumbersAndLooksUpNames) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls());
    QPushButton& add = Find<QPushButton>(*rig.page, "SB5");
    rig.Select("CallsInList", kUnknown);
    QString entryNumber;
    Find<TImenikPage>(*rig.glavna, "ImenikPage").SetDialogRunner([&](QWidget& w) {
        entryNumber = static_cast<TUpisImenik&>(w).Number();
        return int(QDialog::Rejected);
    });
    // Adding a number before the phonebook was read is refused.
    {
        DialogWatcher watcher;
        add.click();
        ASSERT_EQ(watcher.Seen().size(), 1u);
        EXPECT_EQ(watcher.Seen()[0].caption, "Save person to phonebook");
        EXPECT_TRUE(entryNumber.isEmpty());
    }
    // The phonebook names the numbers typed.
    rig.glavna->OutBarBtn1Click(2);
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.PhonebookLoaded(); }, 20000));
    ASSERT_TRUE(rig.Idle());
    // Once read, the add button opens the new entry with the number.
    ASSERT_TRUE(rig.ReadCalls());
    rig.Select("CallsInList", kUnknown);
    add.click();
    EXPECT_EQ(entryNumber, kUnknown);
    TDialForm& dial = *rig.calls->DialForm();
    QLineEdit& number = Find<QLineEdit>(dial, "TelEdit");
    const QPushButton& dialButton = Find<QPushButton>(dial, "DialBtn");
    const std::size_t from = rig.Written().size();
    std::vector<bool> dialable;
    QString vipName;
    Script s;
    s.When([&] { return dial.isVisible(); },
           [&] {
               for (const char* text :
                    {"091 393", "12;+CPWD", "VIPnet", "  ", "*101#", " 0913933001 "}) {
                   number.setText(text);
                   dialable.push_back(dialButton.isEnabled());
               }
               dial.activateWindow();
               number.setFocus();
               number.clear();
               QTest::keyClicks(&number, "+38513688069");
               vipName = Find<QLabel>(dial, "OsobaLab").text();
               dial.close();
           });
    rig.calls->DialSequence({}, {});
    ASSERT_TRUE(PumpUntil([&] { return s.Done() && !dial.isVisible(); }, 5000));
    EXPECT_EQ(dialable, (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(vipName, "Nikola B.");
    rig.Idle();
    EXPECT_EQ(rig.WrittenSince(from), "");
}

TEST(CallsSimTest, IncomingCallAnsweredRejectedAndClickableOverAMessageBox) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls());
    TNewCallForm& notice = *rig.calls->NewCallForm();
    TTalkingToForm& talk = *rig.calls->TalkingToForm();
    const QLabel& caller = Find<QLabel>(notice, "TelefonLab");
    const QTimer& closeTimer = Find<QTimer>(notice, "CloseTimer");
    QPushButton& answerButton = Find<QPushButton>(notice, "Button1");
    QPushButton& reject = Find<QPushButton>(notice, "Button2");
    const QLabel& party = Find<QLabel>(talk, "TelefonLab");
    QPushButton& hangUp = Find<QPushButton>(talk, "HangUpBtn");

    // Answered: the call window shows the caller.
    std::size_t from = rig.Written().size();
    rig.device.Phone().IncomingCall(rig.Now(), kUnknown.toStdString());
    ASSERT_TRUE(PumpUntil([&] { return notice.isVisible() && !caller.text().isEmpty(); }, 10000));
    EXPECT_EQ(caller.text(), kUnknown);
    EXPECT_TRUE(closeTimer.isActive());
    EXPECT_EQ(closeTimer.interval(), 10000);
    QString talking;
    Script answer;
    answer.When([&] { return talk.isVisible(); },
                [&] {
                    talking = party.text();
                    hangUp.click();
                });
    answerButton.click();
    ASSERT_TRUE(PumpUntil([&] { return answer.Done() && !talk.isVisible(); }, 10000));
    EXPECT_NE(rig.WrittenSince(from).find("ATA\r"), std::string::npos);
    EXPECT_EQ(talking, kUnknown);
    ASSERT_TRUE(
        PumpUntil([&] { return rig.device.Phone().Call() == phonesim::CallState::Idle; }, 5000));
    ASSERT_TRUE(rig.SettledBusy());

    // Rejected.
    from = rig.Written().size();
    rig.device.Phone().IncomingCall(rig.Now(), kUnknown.toStdString());
    ASSERT_TRUE(PumpUntil([&] { return notice.isVisible(); }, 10000));
    reject.click();
    EXPECT_FALSE(notice.isVisible());
    ASSERT_TRUE(PumpUntil(
        [&] { return rig.WrittenSince(from).find("AT+CHUP\r") != std::string::npos; }, 5000));
    ASSERT_TRUE(
        PumpUntil([&] { return rig.device.Phone().Call() == phonesim::CallState::Idle; }, 5000));
    ASSERT_TRUE(rig.SettledBusy());

    // A call while a message box waits: a real click on the notice's reject
    // button gets through.
    from = rig.Written().size();
    bool blocked = true;
    Script overBox;
    overBox
        .When([&] { return QApplication::activeModalWidget() != nullptr; },
              [&] { rig.device.Phone().IncomingCall(rig.Now(), kUnknown.toStdString()); })
        .When([&] { return notice.isVisible() && !caller.text().isEmpty(); },
              [&] {
                  testing::Pump(100);
                  QWindow* window = notice.windowHandle();
                  const QPoint at = reject.mapTo(&notice, reject.rect().center());
                  QTest::mouseClick(window, Qt::LeftButton, {}, at);
                  blocked = notice.isVisible();
              })
        .When([&] { return true; }, [&] { QApplication::activeModalWidget()->close(); });
    ShowMessageDialog(rig.glavna.get(), QStringLiteral("Information"), QStringLiteral("Wait"),
                      DialogKind::Information, DialogButtons::Ok);
    ASSERT_TRUE(PumpUntil([&] { return overBox.Done(); }, 10000));
    EXPECT_FALSE(blocked);
    EXPECT_NE(rig.WrittenSince(from).find("AT+CHUP\r"), std::string::npos);
}

TEST(CallsSimTest, BalanceCodesOpenTheBalanceWindow) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls());
    TKreditForm& kredit = *rig.calls->KreditForm();
    for (const auto& [code, caption] :
         {std::pair{"*101#", "VIPme saldo"}, std::pair{"*100#", "SIMPA kredit"}}) {
        QString title;
        QString saldo;
        Script s;
        s.When([&] { return rig.calls->DialForm()->isVisible(); },
               [&] { Find<QPushButton>(*rig.calls->DialForm(), "DialBtn").click(); })
            .When([&] { return kredit.isVisible(); },
                  [&] {
                      title = kredit.windowTitle();
                      saldo = Find<QLabel>(kredit, "SaldoLab").text();
                      Find<QPushButton>(kredit, "Button1").click();
                  });
        rig.calls->DialSequence({}, code);
        ASSERT_TRUE(PumpUntil([&] { return s.Done(); }, 10000)) << code;
        EXPECT_EQ(title, caption);
        EXPECT_EQ(saldo, "45,20 kn");
        ASSERT_TRUE(rig.SettledBusy());
    }
}

TEST(CallsSimTest, CallsSavedAsCsvAndDialledCallsDeleted) {
    CallsRig rig;
    ASSERT_TRUE(rig.ShowCalls());
    TCallsPage& p = *rig.page;
    QPushButton& deleteButton = Find<QPushButton>(p, "SB1");
    const QTreeWidget& dialled = Find<QTreeWidget>(p, "CallsOutList");
    const QString exportDir = rig.home.QDir() + "Export";
    ASSERT_FALSE(QDir(exportDir).exists());
    // Typed without an extension: the CSV one is added; an existing file is
    // replaced without a question.
    QString chosen = exportDir + "/received";
    QString title;
    QString folder;
    p.FileChoice().SetSaveDialog([&](QWidget*, const TFileChoice::SaveQuestion& q) {
        title = q.Title;
        folder = q.Folder;
        EXPECT_EQ(q.Filter, "Comma Separated Values (*.csv)");
        EXPECT_EQ(q.FileName, "");
        return chosen;
    });
    for (int round = 0; round < 2; ++round) {
        DialogWatcher watcher;
        Find<QPushButton>(p, "SB4").click();
        EXPECT_TRUE(watcher.Seen().empty());
    }
    EXPECT_EQ(title, "Save received calls to . . .");
    EXPECT_EQ(folder, exportDir);
    EXPECT_EQ(QDir(exportDir).entryList(QDir::Files), QStringList{"received.csv"});
    QFile file(chosen + ".csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.startsWith("NO;NAME;PHONE;LOCATION\r\r\n"));
    EXPECT_TRUE(csv.contains("\n1;Boris Horvat;'+385983199779;Received calls\r\n2;;'0913933001;"))
        << csv.toStdString();
    EXPECT_EQ(csv.count("\r\n"), 7);

    // A file under a regular file cannot be made: the error box, no file.
    QFile plain(rig.home.QDir() + "plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    chosen = rig.home.QDir() + "plain/missed.csv";
    {
        DialogWatcher watcher;
        Find<QPushButton>(p, "SB7").click();
        ASSERT_EQ(watcher.Seen().size(), 1u);
        EXPECT_EQ(watcher.Seen()[0].caption, "Error");
        EXPECT_EQ(title, "Save missed calls to . . .");
    }

    // Delete the dialled calls: No sends nothing; Yes empties the list.
    std::size_t from = rig.Written().size();
    {
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        deleteButton.click();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Delete dialled calls");
    }
    rig.SettledBusy();
    EXPECT_EQ(rig.WrittenSince(from), "");
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        deleteButton.click();
    }
    ASSERT_TRUE(PumpUntil([&] { return dialled.topLevelItemCount() == 0; }, 5000));
    EXPECT_NE(rig.WrittenSince(from).find("AT^SDLD\r"), std::string::npos);
    EXPECT_FALSE(deleteButton.isEnabled());
    EXPECT_EQ(Find<QLabel>(p, "Calls1Lab").text(), "0");
}

}  // namespace
}  // namespace parlenko::ui
