// The diverts, barrings and locks sub-pages and their dialogs against the
// simulated S45 of tests/data/s45.state: the checks fill the pages, the
// dialogs send the changes the user chose, and the codes that a SIM or the
// network would refuse, or that would break the command line, are never
// sent.

#include "engine/serial/serial_port_driver.h"
#include "tests/support/engine_inside.h"
#include "engine/session/engine_state.h"
#include "engine/session/phone_engine.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/citam_form.h"
#include "ui/dialogs/barring_form.h"
#include "ui/dialogs/change_lock_form.h"
#include "ui/dialogs/change_pin_form.h"
#include "ui/dialogs/divert_form.h"
#include "ui/glavna.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"
#include "ui/pages/services_pages.h"
#include "ui/qt_scheduler.h"
#include "ui/status_frm.h"
#include "ui/window_host.h"

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
        return PumpUntil([&] { return glavna->isEnabled() && !citam.isVisible(); }, 15000);
    }
    const std::string& Written() const { return device.Written(); }
    void Mark() { mark = Written().size(); }
    std::string Since() const { return Written().substr(mark); }
    // The status notice shows text (the change's re-query answered).
    bool Status(const char* text) {
        return PumpUntil([&] { return status.isVisible() && status.PorukaLab->text() == text; },
                         10000);
    }
    TServicesPages& Pages() { return *glavna->ServicesPages; }
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

std::vector<int> Tags(const auto& boxes) {
    std::vector<int> out;
    for (const TIndicatorBox* b : boxes) out.push_back(b->Tag());
    return out;
}

TEST(ServicesPagesSim, DivertCheckFillsThePageAndTheDialogChangesADivert) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TDivertPage& page = *rig.Pages().Diverts;
    EXPECT_FALSE(page.DivertBtn->isEnabled());
    rig.glavna->TabBarBtn1Click(10);
    EXPECT_EQ(rig.glavna->Notebook2->currentIndex(), 0);
    rig.Mark();
    page.DivertCheckBtn->click();
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CCFC=0,2\rAT+CCFC=1,2\rAT+CCFC=2,2\rAT+CCFC=3,2\r");
    EXPECT_EQ(Tags(page.DivertPB), (std::vector<int>{0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(page.DivertLab[3]->text(), "+385981234567");
    EXPECT_EQ(page.DivertLab[6]->text(), "+385981234567");
    EXPECT_EQ(page.DivertLab[0]->text(), "");
    EXPECT_EQ(page.DivertSekLab[0]->text(), "25");
    EXPECT_EQ(page.DivertSekLab[1]->text(), "");
    EXPECT_TRUE(page.DivertBtn->isEnabled());

    TDivertForm& f = *page.DivertForm();
    bool alwaysBlank = false, timeOffForAlways = false, noReplyFilled = false;
    bool balloonOnLetter = false, blockedOnLetter = false, freedWhenValid = false;
    OnceShown([&] {
        // Opens on "Uvijek" and voice: no divert, so no number and no time.
        alwaysBlank = f.ReasonCB->currentIndex() == 0 && f.ClassCB->currentIndex() == 0 &&
                      f.TelEdit->text().isEmpty() && !f.ActivateBtn->isEnabled() &&
                      !f.DeactivateBtn->isEnabled();
        timeOffForAlways = !f.TimeEdit->isEnabled() && !f.TimeUpDown->isEnabled();
        f.ReasonCB->setCurrentIndex(2);
        noReplyFilled = f.TelEdit->text() == "+385981234567" && f.TimeEdit->text() == "25" &&
                        f.TimeEdit->isEnabled() && f.TimeUpDown->isEnabled() &&
                        f.ActivateBtn->isEnabled();
        f.TelEdit->setText("+3859812a");
        balloonOnLetter = f.Balloon() != nullptr && f.Balloon()->isVisible() &&
                          f.Balloon()->Caption().endsWith(
                              "   Other:  '+', '*' i '#'\r--------------------------------");
        blockedOnLetter = !f.ActivateBtn->isEnabled() && !f.DeactivateBtn->isEnabled();
        f.TelEdit->setText("+385981234567");
        freedWhenValid = f.Balloon() == nullptr && f.ActivateBtn->isEnabled();
        rig.Mark();
        f.ActivateBtn->click();
    });
    page.DivertBtn->click();
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
        f.ReasonCB->setCurrentIndex(2);
        f.ClassCB->setCurrentIndex(2);
        faxBlank = f.TelEdit->text().isEmpty() && f.TimeEdit->text().isEmpty();
        f.CloseBtn->click();
    });
    page.DivertBtn->click();
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
    TDivertForm& f = *rig.Pages().Diverts->DivertForm();
    int names = 0;
    QString vipShown, numberOfName, nameOfNumber;
    int unknownSelection = 0;
    OnceShown([&] {
        names = f.NazivCB->count();
        vipShown = f.NazivCB->itemText(f.NazivCB->findData("Nikola B.!"));
        f.NazivCB->setCurrentIndex(f.NazivCB->findData("Ivan Novak"));
        f.NazivCBChange();
        numberOfName = f.TelEdit->text();
        f.activateWindow();
        f.TelEdit->setFocus();
        QCoreApplication::processEvents();
        f.TelEdit->setText("0957129311");
        nameOfNumber = f.NazivCB->currentText();
        f.TelEdit->setText("0957");
        unknownSelection = f.NazivCB->currentIndex();
        f.CloseBtn->click();
    });
    rig.Pages().Diverts->DivertBtnClick();
    EXPECT_EQ(names, 3);
    EXPECT_EQ(vipShown, "Nikola B.");
    EXPECT_EQ(numberOfName, "+385950610995");
    EXPECT_EQ(nameOfNumber, "Petra Horvat");
    EXPECT_EQ(unknownSelection, -1);
}

TEST(ServicesPagesSim, BarringDialogSendsTheChosenBarringClassAndFourDigitPassword) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TBarringPage& page = *rig.Pages().Barrings;
    TBarringForm& f = *page.BarringForm();
    rig.Mark();
    OnceShown([&] {
        EXPECT_EQ(f.RadioButton[0]->text(), " Svih odlaznih");
        EXPECT_TRUE(f.RadioButton[0]->isChecked());
        EXPECT_TRUE(f.RadioButton[5]->isChecked());
        EXPECT_EQ(f.PswdEdit->echoMode(), QLineEdit::Password);
        f.PswdEdit->setText("0000");
        f.ActivateBtn->click();
    });
    page.BarringBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"AO\",1,0000,1\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Barring succesfully activated!"));
    EXPECT_EQ(page.BarPB[0]->Tag(), 1);
    EXPECT_EQ(rig.Phone().locks.at("AO"), 1);
    ASSERT_TRUE(rig.Idle());

    // Data and fax carry their classes; the barring chosen stays chosen.
    for (const auto& [radio, cls] : {std::pair{6, 2}, std::pair{7, 4}}) {
        rig.Mark();
        OnceShown([&, radio = radio] {
            EXPECT_TRUE(f.PswdEdit->text().isEmpty()) << "emptied on every showing";
            f.RadioButton[static_cast<std::size_t>(radio)]->click();
            f.PswdEdit->setText("0000");
            f.DeactivateBtn->click();
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
            f.PswdEdit->setText(code);
            enabled.push_back(f.ActivateBtn->isEnabled() || f.DeactivateBtn->isEnabled());
        }
        f.PswdEdit->setText("00000");
        enabled.push_back(f.PswdEdit->text() != "0000");
        f.Button3->click();
    });
    page.BarringBtnClick();
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false}));
    Pump(300);
    EXPECT_EQ(rig.Since(), "");
}

TEST(ServicesPagesSim, LocksTabChecksTheLocksAndTheDialogUnlocksTheSim) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TLocksPage& page = *rig.Pages().Locks;
    rig.Mark();
    rig.glavna->TabBarBtn1Click(30);
    EXPECT_EQ(rig.glavna->Notebook2->currentIndex(), 2);
    ASSERT_TRUE(
        PumpUntil([&] { return rig.Since().find("\"FD\",2\r") != std::string::npos; }, 10000));
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(Tags(page.LockPB), (std::vector<int>{0, 0, 1, 0}));

    TChangeLockForm& f = *page.ChangeLockForm();
    DialogWatcher watcher;
    // A wrong PIN: the phone's reason, and nothing is sent again.
    rig.Mark();
    OnceShown([&] {
        EXPECT_FALSE(f.PinEdit->isEnabled()) << "the keypad needs no code";
        EXPECT_TRUE(f.Button1->isEnabled());
        f.RadioButton[2]->click();
        EXPECT_EQ(f.PinTypeLab->text(), "Enter PIN:");
        EXPECT_FALSE(f.Button2->isEnabled());
        f.PinEdit->setText("9999");
        f.Button2->click();
    });
    page.LockBtnClick();
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }, 10000));
    EXPECT_EQ(watcher.Seen()[0].text,
              "Error occurred communicating with mobile!\n\nReason:  Incorrect password  (16)");
    ASSERT_TRUE(rig.Idle());
    EXPECT_EQ(rig.Since(), "AT+CLCK=\"SC\",0,9999\r");

    rig.Mark();
    OnceShown([&] {
        EXPECT_TRUE(f.RadioButton[2]->isChecked()) << "the lock chosen stays chosen";
        EXPECT_TRUE(f.PinEdit->text().isEmpty());
        for (const char* code : {"123", "12a4", "12,4"}) {
            f.PinEdit->setText(code);
            EXPECT_FALSE(f.Button2->isEnabled()) << code;
        }
        f.PinEdit->setText("1234");
        f.Button2->click();
    });
    page.LockBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"SC\",0,1234\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Lock succesfully deactivated!"));
    EXPECT_EQ(page.LockPB[2]->Tag(), 0);
    ASSERT_TRUE(rig.Idle());

    // The keypad lock takes no code.
    rig.Mark();
    OnceShown([&] {
        f.RadioButton[0]->click();
        EXPECT_FALSE(f.PinEdit->isEnabled());
        f.Button1->click();
    });
    page.LockBtnClick();
    EXPECT_EQ(rig.Since().rfind("AT+CLCK=\"CS\",1\r", 0), 0u) << rig.Since();
    EXPECT_TRUE(rig.Status("Lock succesfully activated!"));
    EXPECT_EQ(page.LockPB[0]->Tag(), 1);
}

TEST(ServicesPagesSim, ThreeWrongPinsBlockThePin) {
    Rig rig;
    ASSERT_TRUE(rig.ShowConnected()) << rig.Written();
    TLocksPage& page = *rig.Pages().Locks;
    TChangeLockForm& f = *page.ChangeLockForm();
    DialogWatcher watcher;
    for (const char* code : {"9999", "9999", "9999", "1234"}) {
        OnceShown([&] {
            f.RadioButton[2]->click();
            f.PinEdit->setText(code);
            f.Button2->click();
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
    TLocksPage& page = *rig.Pages().Locks;
    TChangePinForm& f = *page.ChangePinForm();
    EXPECT_EQ(f.PinTypeLab->text(), "Osobni tajni broj  (PIN)");

    // Different new codes: "Try again?" answered Yes shows the dialog again,
    // empty; answered No, nothing is sent.
    std::vector<const char*> answers = {"Yes", "No"};
    DialogWatcher watcher([&](TMessageDialog& d) {
        DialogWatcher::Press(d, answers.front());
        answers.erase(answers.begin());
    });
    auto differentCodes = [&] {
        f.OldPinEdit->setText("1234");
        f.New1PinEdit->setText("4321");
        f.New2PinEdit->setText("4322");
        f.Button1->click();
    };
    bool emptyAgain = false;
    rig.Mark();
    OnceShown([&] {
        differentCodes();
        WhenModal(f, [&] {
            emptyAgain = f.OldPinEdit->text().isEmpty() && f.New1PinEdit->text().isEmpty() &&
                         f.New2PinEdit->text().isEmpty() && !f.Button1->isEnabled();
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
        EXPECT_TRUE(f.OldPinEdit->text().isEmpty()) << "emptied on every showing";
        f.New1PinEdit->setText("4321");
        f.New2PinEdit->setText("4321");
        for (const char* code : {"123", "12a4", ""}) {
            f.OldPinEdit->setText(code);
            EXPECT_FALSE(f.Button1->isEnabled()) << code;
        }
        f.OldPinEdit->setText("1234");
        EXPECT_TRUE(f.Button1->isEnabled());
        f.Button1->click();
    });
    page.Button3Click();
    EXPECT_EQ(rig.Since(), "AT+CPWD=\"SC\",1234,4321\r");
    EXPECT_TRUE(rig.Status("Security code succesfully changed!"));
    EXPECT_EQ(rig.Phone().passwords.at("SC"), "4321");

    // A barring password takes four digits at most.
    page.PswRB[3]->click();
    EXPECT_EQ(page.SecurityCodeKind, 4);
    EXPECT_EQ(f.PinTypeLab->text(), "Zabrana svih odlaznih poziva");
    int longest = 0;
    OnceShown([&] {
        f.OldPinEdit->setText("123456");
        longest = static_cast<int>(f.OldPinEdit->text().size());
        f.Button2->click();
    });
    page.Button3Click();
    EXPECT_EQ(longest, 4);
}

}  // namespace
}  // namespace parlenko::ui
