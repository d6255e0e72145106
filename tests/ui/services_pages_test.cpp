// The diverts, barrings and locks sub-pages and their dialogs against the
// simulated S45 of tests/data/s45.state: the checks fill the pages, the
// dialogs send the changes the user chose, and the codes that a SIM or the
// network would refuse, or that would break the command line, are never
// sent.

#include "engine/serial/serial_port_driver.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "tests/support/engine_inside.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/barring_form.h"
#include "ui/dialogs/change_lock_form.h"
#include "ui/dialogs/change_pin_form.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/divert_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"
#include "ui/pages/services_pages.h"

#include "components/widgets/tessary_hint.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::Pump;
using testing::PumpUntil;

struct Rig {
    Rig() {
        {
            QSettings s(home.QDir() + "Parlenko.ini", QSettings::IniFormat);
            s.beginGroup("Options");
            s.setValue("Auto Connect", 1);
        }
        TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                         home.QDir() + "Logos"};
        glavna = std::make_unique<TGlavna>(engine, folders, home.QDir() + "Parlenko.ini");
        host.SetMainWindow(glavna.get());
        status.SetEnabledSource([] { return true; });
        glavna->SetStatusFrm(&status);
        host.SetStatusFrm(&status);
        citam.SetModeSource([this] { return glavna->Mode(); });
        citam.SetOnClosed([this] { engine.ProgressWindowClosed(); });
        host.SetCitamForm(&citam);
        glavna->LoadOptions();
    }
    ~Rig() {
        host.SetMainWindow(nullptr);
        host.SetStatusFrm(nullptr);
        host.SetCitamForm(nullptr);
        glavna->hide();
        glavna.reset();
    }
    // Connected, on the advanced page, the connect chain done.
    bool ShowConnected() {
        glavna->show();
        if (!PumpUntil([&] { return Written().find("AT+CSQ\r") != std::string::npos; }, 15000))
            return false;
        if (!Idle()) return false;
        glavna->OutBarBtn1Click(6);
        return true;
    }
    bool Idle() {
        Pump(300);
        return PumpUntil([&] { return !glavna->Busy() && !citam.isVisible(); }, 15000);
    }
    const std::string& Written() const { return device.Written(); }
    void Mark() { mark = Written().size(); }
    std::string Since() const { return Written().substr(mark); }
    // The status notice shows text (the change's re-query answered).
    bool Status(const char* text) {
        const QLabel& shown = Find<QLabel>(status, "PorukaLab");
        return PumpUntil([&] { return status.isVisible() && shown.text() == text; }, 10000);
    }
    TDivertPage& Diverts() { return Find<TDivertPage>(*glavna, "DivertPage"); }
    TBarringPage& Barrings() { return Find<TBarringPage>(*glavna, "BarringPage"); }
    TLocksPage& Locks() { return Find<TLocksPage>(*glavna, "LocksPage"); }
    int SubPage() { return Find<QStackedWidget>(*glavna, "Notebook2").currentIndex(); }
    phonesim::PhoneState& Phone() { return device.Phone().State(); }

    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device{
        sched, ::phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state")};
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TStatusFrm status{nullptr};
    TCitamForm citam;
    std::unique_ptr<TGlavna> glavna;
    std::size_t mark = 0;
};

// Runs act once the modal dialog that the next call opens is shown.
void OnceShown(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }

// Runs act once dialog is the modal window on the screen (a dialog shown
// again after a message box).
void WhenModal(QWidget& dialog, std::function<void()> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, &dialog, act = std::move(act)] {
        if (QApplication::activeModalWidget() != &dialog) return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start();
}

// The pictures of a page's indicators kind1PB .. kind<count>PB.
std::vector<int> Tags(const QWidget& page, const char* kind, int count) {
    std::vector<int> out;
    for (int n = 1; n <= count; ++n) {
        const std::string name = kind + std::to_string(n) + "PB";
        out.push_back(Find<TIndicatorBox>(page, name.c_str()).Tag());
    }
    return out;
}

TEST(ServicesPagesSim, DivertCheckFillsThePageAndTheDialogChangesADivert) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TDivertPage& page = rig.Diverts();
    QPushButton& change = Find<QPushButton>(page, "DivertBtn");
    EXPECT_FALSE(change.isEnabled());
    rig.glavna->TabBarBtn1Click(10);
    EXPECT_EQ(rig.SubPage(), 0);
    rig.Mark();
    Find<QPushButton>(page, "DivertCheckBtn").click();
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CCFC=0,2\rAT+CCFC=1,2\rAT+CCFC=2,2\rAT+CCFC=3,2\r");
    EXPECT_EQ(Tags(page, "Divert", 12), (std::vector<int>{0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Find<QLabel>(page, "Divert4Lab").text(), "+385981234567");
    EXPECT_EQ(Find<QLabel>(page, "Divert7Lab").text(), "+385981234567");
    EXPECT_EQ(Find<QLabel>(page, "Divert1Lab").text(), "");
    EXPECT_EQ(Find<QLabel>(page, "DivertSek1Lab").text(), "25");
    EXPECT_EQ(Find<QLabel>(page, "DivertSek2Lab").text(), "");
    EXPECT_TRUE(change.isEnabled());

    TDivertForm& f = *page.DivertForm();
    QComboBox& reason = Find<QComboBox>(f, "ReasonCB");
    QComboBox& callClass = Find<QComboBox>(f, "ClassCB");
    QLineEdit& number = Find<QLineEdit>(f, "TelEdit");
    QLineEdit& time = Find<QLineEdit>(f, "TimeEdit");
    const QSpinBox& timeUpDown = Find<QSpinBox>(f, "TimeUpDown");
    QPushButton& activate = Find<QPushButton>(f, "ActivateBtn");
    const QPushButton& deactivate = Find<QPushButton>(f, "DeactivateBtn");
    bool alwaysBlank = false, timeOffForAlways = false, noReplyFilled = false;
    bool balloonOnLetter = false, blockedOnLetter = false, freedWhenValid = false;
    OnceShown([&] {
        // Opens on "Uvijek" and voice: no divert, so no number and no time.
        alwaysBlank = reason.currentIndex() == 0 && callClass.currentIndex() == 0 &&
                      number.text().isEmpty() && !activate.isEnabled() && !deactivate.isEnabled();
        timeOffForAlways = !time.isEnabled() && !timeUpDown.isEnabled();
        reason.setCurrentIndex(2);
        noReplyFilled = number.text() == "+385981234567" && time.text() == "25" &&
                        time.isEnabled() && timeUpDown.isEnabled() && activate.isEnabled();
        number.setText("+3859812a");
        balloonOnLetter = f.Balloon() != nullptr && f.Balloon()->isVisible() &&
                          f.Balloon()->Caption().endsWith(
                              "   Other:  '+', '*' i '#'\r--------------------------------");
        blockedOnLetter = !activate.isEnabled() && !deactivate.isEnabled();
        number.setText("+385981234567");
        freedWhenValid = f.Balloon() == nullptr && activate.isEnabled();
        rig.Mark();
        activate.click();
    });
    change.click();
    EXPECT_TRUE(alwaysBlank);
    EXPECT_TRUE(timeOffForAlways);
    EXPECT_TRUE(noReplyFilled);
    EXPECT_TRUE(balloonOnLetter);
    EXPECT_TRUE(blockedOnLetter);
    EXPECT_TRUE(freedWhenValid);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(rig.Since(), "AT+CCFC=2,3,\"+385981234567\",,1,,,25\r");
    EXPECT_TRUE(rig.Status("Divert succesfully activated!"));

    // Fax for no reply: the page knows no time, so the field is empty.
    bool faxBlank = false;
    OnceShown([&] {
        reason.setCurrentIndex(2);
        callClass.setCurrentIndex(2);
        faxBlank = number.text().isEmpty() && time.text().isEmpty();
        Find<QPushButton>(f, "CloseBtn").click();
    });
    change.click();
    EXPECT_TRUE(faxBlank);
}

TEST(ServicesPagesSim, DivertDialogNamesAndNumbersOfThePhonebook) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    // Entries as a phonebook read leaves them.
    EngineInside::State(rig.engine).Phonebook.PhonebookList = {
        {"Ivan Novak", "+385950610995", "SIM card", "003"},
        {"Petra Horvat", "0957129311", "SIM card", "006"},
        {"Nikola B.!", "+38513688069", "SIM card", "010"},
    };
    TDivertForm& f = *rig.Diverts().DivertForm();
    QComboBox& name = Find<QComboBox>(f, "NazivCB");
    QLineEdit& number = Find<QLineEdit>(f, "TelEdit");
    int names = 0;
    QString vipShown, numberOfName, nameOfNumber;
    int unknownSelection = 0;
    OnceShown([&] {
        names = name.count();
        vipShown = name.itemText(name.findData("Nikola B.!"));
        name.setCurrentIndex(name.findData("Ivan Novak"));
        f.NazivCBChange();
        numberOfName = number.text();
        f.activateWindow();
        number.setFocus();
        QCoreApplication::processEvents();
        number.setText("0957129311");
        nameOfNumber = name.currentText();
        number.setText("0957");
        unknownSelection = name.currentIndex();
        Find<QPushButton>(f, "CloseBtn").click();
    });
    rig.Diverts().DivertBtnClick();
    EXPECT_EQ(names, 3);
    EXPECT_EQ(vipShown, "Nikola B.");
    EXPECT_EQ(numberOfName, "+385950610995");
    EXPECT_EQ(nameOfNumber, "Petra Horvat");
    EXPECT_EQ(unknownSelection, -1);
}

TEST(ServicesPagesSim, BarringDialogSendsTheChosenBarringClassAndFourDigitPassword) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TBarringPage& page = rig.Barrings();
    TBarringForm& f = *page.BarringForm();
    QLineEdit& password = Find<QLineEdit>(f, "PswdEdit");
    QPushButton& activate = Find<QPushButton>(f, "ActivateBtn");
    QPushButton& deactivate = Find<QPushButton>(f, "DeactivateBtn");
    rig.Mark();
    OnceShown([&] {
        EXPECT_EQ(Find<QRadioButton>(f, "RadioButton1").text(), " Svih odlaznih");
        EXPECT_TRUE(Find<QRadioButton>(f, "RadioButton1").isChecked());
        EXPECT_TRUE(Find<QRadioButton>(f, "RadioButton6").isChecked());
        EXPECT_EQ(password.echoMode(), QLineEdit::Password);
        password.setText("0000");
        activate.click();
    });
    page.BarringBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"AO\",1,0000,1\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Barring succesfully activated!"));
    EXPECT_EQ(Find<TIndicatorBox>(page, "Bar1PB").Tag(), 1);
    EXPECT_EQ(rig.Phone().locks.at("AO"), 1);
    ASSERT_TRUE(rig.Idle());

    // Data and fax carry their classes; the barring chosen stays chosen.
    for (const auto& [radio, cls] : {std::pair{"RadioButton7", 2}, std::pair{"RadioButton8", 4}}) {
        rig.Mark();
        OnceShown([&, radio = radio] {
            EXPECT_TRUE(password.text().isEmpty()) << "emptied on every showing";
            Find<QRadioButton>(f, radio).click();
            password.setText("0000");
            deactivate.click();
        });
        page.BarringBtnClick();
        EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"AO\",0,0000," + std::to_string(cls) + "\r", 0), 0u)
            << rig.Since();
        ASSERT_TRUE(rig.Idle());
    }

    // Codes the network or the command line would not take: nothing goes.
    rig.Mark();
    std::vector<bool> enabled;
    OnceShown([&] {
        for (const char* code : {"000", "0a00", "00;1"}) {
            password.setText(code);
            enabled.push_back(activate.isEnabled() || deactivate.isEnabled());
        }
        password.setText("00000");
        enabled.push_back(password.text() != "0000");
        Find<QPushButton>(f, "Button3").click();
    });
    page.BarringBtnClick();
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false}));
    Pump(300);
    EXPECT_EQ(rig.Since(), "");
}

TEST(ServicesPagesSim, LocksTabChecksTheLocksAndTheDialogUnlocksTheSim) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TLocksPage& page = rig.Locks();
    rig.Mark();
    rig.glavna->TabBarBtn1Click(30);
    EXPECT_EQ(rig.SubPage(), 2);
    ASSERT_TRUE(
        PumpUntil([&] { return rig.Since().find("\"FD\",2\r") != std::string::npos; }, 10000));
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(Tags(page, "Lock", 4), (std::vector<int>{0, 0, 1, 0}));

    TChangeLockForm& f = *page.ChangeLockForm();
    QLineEdit& pin = Find<QLineEdit>(f, "PinEdit");
    QPushButton& lock = Find<QPushButton>(f, "Button1");
    QPushButton& unlock = Find<QPushButton>(f, "Button2");
    DialogWatcher watcher;
    // A wrong PIN: the phone's reason, and nothing is sent again.
    rig.Mark();
    OnceShown([&] {
        EXPECT_FALSE(pin.isEnabled()) << "the keypad needs no code";
        EXPECT_TRUE(lock.isEnabled());
        Find<QRadioButton>(f, "RadioButton3").click();
        EXPECT_EQ(Find<QLabel>(f, "PinTypeLab").text(), "Enter PIN:");
        EXPECT_FALSE(unlock.isEnabled());
        pin.setText("9999");
        unlock.click();
    });
    page.LockBtnClick();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 10000));
    EXPECT_EQ(watcher.Seen()[0].text,
              "Error occurred communicating with mobile!\n\nReason:  Incorrect password  (16)");
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CLCK=\"SC\",0,9999\r");

    rig.Mark();
    OnceShown([&] {
        EXPECT_TRUE(Find<QRadioButton>(f, "RadioButton3").isChecked())
            << "the lock chosen stays chosen";
        EXPECT_TRUE(pin.text().isEmpty());
        for (const char* code : {"123", "12a4", "12,4"}) {
            pin.setText(code);
            EXPECT_FALSE(unlock.isEnabled()) << code;
        }
        pin.setText("1234");
        unlock.click();
    });
    page.LockBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"SC\",0,1234\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Lock succesfully deactivated!"));
    EXPECT_EQ(Find<TIndicatorBox>(page, "Lock3PB").Tag(), 0);
    ASSERT_TRUE(rig.Idle());

    // The keypad lock takes no code.
    rig.Mark();
    OnceShown([&] {
        Find<QRadioButton>(f, "RadioButton1").click();
        EXPECT_FALSE(pin.isEnabled());
        lock.click();
    });
    page.LockBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"CS\",1\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Lock succesfully activated!"));
    EXPECT_EQ(Find<TIndicatorBox>(page, "Lock1PB").Tag(), 1);
}

TEST(ServicesPagesSim, ThreeWrongPinsBlockThePin) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TLocksPage& page = rig.Locks();
    TChangeLockForm& f = *page.ChangeLockForm();
    DialogWatcher watcher;
    for (const char* code : {"9999", "9999", "9999", "1234"}) {
        OnceShown([&] {
            Find<QRadioButton>(f, "RadioButton3").click();
            Find<QLineEdit>(f, "PinEdit").setText(code);
            Find<QPushButton>(f, "Button2").click();
        });
        const std::size_t seen = watcher.Seen().size();
        page.LockBtnClick();
        ASSERT_TRUE(PumpUntil([&] { return watcher.Seen().size() > seen; }, 10000)) << code;
        ASSERT_TRUE(rig.Idle());
    }
    EXPECT_EQ(watcher.Seen().back().text,
              "Error occurred communicating with mobile!\n\nReason:  Sim puk required  (12)");
    EXPECT_EQ(rig.Phone().locks.at("SC"), 1);
}

TEST(ServicesPagesSim, SecurityCodeChangeSendsEqualNewCodesOnly) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TLocksPage& page = rig.Locks();
    TChangePinForm& f = *page.ChangePinForm();
    QLineEdit& oldCode = Find<QLineEdit>(f, "OldPinEdit");
    QLineEdit& newCode = Find<QLineEdit>(f, "New1PinEdit");
    QLineEdit& repeated = Find<QLineEdit>(f, "New2PinEdit");
    QPushButton& ok = Find<QPushButton>(f, "Button1");
    EXPECT_EQ(Find<QLabel>(f, "PinTypeLab").text(), "Osobni tajni broj  (PIN)");

    // Different new codes: "Try again?" answered Yes shows the dialog again,
    // empty; answered No, nothing is sent.
    std::vector<const char*> answers = {"Yes", "No"};
    DialogWatcher watcher([&](TMessageDialog& d) {
        DialogWatcher::Press(d, answers.front());
        answers.erase(answers.begin());
    });
    auto differentCodes = [&] {
        oldCode.setText("1234");
        newCode.setText("4321");
        repeated.setText("4322");
        ok.click();
    };
    bool emptyAgain = false;
    rig.Mark();
    OnceShown([&] {
        differentCodes();
        WhenModal(f, [&] {
            emptyAgain = oldCode.text().isEmpty() && newCode.text().isEmpty() &&
                         repeated.text().isEmpty() && !ok.isEnabled();
            differentCodes();
        });
    });
    page.Button3Click();
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_EQ(watcher.Seen()[0].caption, "Codes are different");
    EXPECT_TRUE(emptyAgain);
    Pump(300);
    EXPECT_EQ(rig.Since(), "");

    // Codes a SIM would refuse keep "U redu" off.
    OnceShown([&] {
        EXPECT_TRUE(oldCode.text().isEmpty()) << "emptied on every showing";
        newCode.setText("4321");
        repeated.setText("4321");
        for (const char* code : {"123", "12a4", ""}) {
            oldCode.setText(code);
            EXPECT_FALSE(ok.isEnabled()) << code;
        }
        oldCode.setText("1234");
        EXPECT_TRUE(ok.isEnabled());
        ok.click();
    });
    page.Button3Click();
    EXPECT_EQ(rig.Since(), "AT+CPWD=\"SC\",1234,4321\r");
    EXPECT_TRUE(rig.Status("Security code succesfully changed!"));
    EXPECT_EQ(rig.Phone().passwords.at("SC"), "4321");

    // A barring password takes four digits at most.
    Find<QRadioButton>(page, "Psw4RB").click();
    EXPECT_EQ(page.SecurityCodeKind(), 4);
    EXPECT_EQ(Find<QLabel>(f, "PinTypeLab").text(), "Zabrana svih odlaznih poziva");
    int longest = 0;
    OnceShown([&] {
        oldCode.setText("123456");
        longest = static_cast<int>(oldCode.text().size());
        Find<QPushButton>(f, "Button2").click();
    });
    page.Button3Click();
    EXPECT_EQ(longest, 4);
}

}  // namespace
}  // namespace parlenko::ui
