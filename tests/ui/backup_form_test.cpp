// The backup and restore wizard with the simulated phone behind the port,
// headless: a backup after a re-read, an overwrite restore, the space check
// of the restore type page in both modes, and the overwrite question.

#include "ui/exchange/backup_form.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/backup_files.h"
#include "exchange/formats/phonebook_file.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/base/text_codec.h"
#include "ui/main_window/window_host.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace parlenko::ui {
namespace {

using ui::testing::DialogWatcher;
using ui::testing::Find;
using ui::testing::PumpUntil;

// SIM card of 5 positions (entries at 1, 2, 5), mobile memory of 3.
phonesim::PhoneState SmallPhone() {
    auto st = phonesim::MakeDefaultState();
    st.phonebooks["SM"].capacity = 5;
    st.phonebooks["ME"].capacity = 3;
    return st;
}

struct WizardRig {
    WizardRig() {
        port.Connect();
        form.show();
    }
    ~WizardRig() { form.hide(); }
    // A control of the wizard by its name.
    template <class Control>
    Control& In(const char* name) const {
        return Find<Control>(form, name);
    }
    int Page() const { return In<QStackedWidget>("Notebook1").currentIndex(); }
    void Next() { In<QPushButton>("NextBtn").click(); }
    bool ReadPhonebook() {
        engine.RefreshPhonebook();
        return PumpUntil([&] { return engine.PhonebookReadComplete(); }, 10000);
    }
    std::map<int, phonesim::PhonebookEntry>& Book(const std::string& m) {
        return device.Phone().State().phonebooks[m].entries;
    }
    // A backup file listed in "BackupPaths.bup".
    std::string PutBackup(const std::vector<exchange::PhonebookFileEntry>& entries) {
        const std::string path = home.Dir() + "old.pbb";
        EXPECT_TRUE(exchange::WritePhonebookRecordsFile(path, entries).ok());
        EXPECT_TRUE(exchange::AddBackupPath(home.Dir(), path).ok());
        return path;
    }
    // Adds a fault the phone plays for command.
    void Fault(const std::string& command, std::optional<std::string> result) {
        phonesim::CommandFault f;
        f.command = command;
        f.result = std::move(result);
        f.noAnswer = !f.result;
        device.Phone().AddFault(f);
    }
    // Runs the restore chosen up to the restore type page: to the last page.
    bool RunRestore() {
        Next();
        Next();
        return PumpUntil([&] { return Page() == TBackupForm::BackupEnd; }, 20000);
    }
    // Next on the confirmation page: the boxes it showed (each answered).
    std::vector<ui::testing::SeenDialog> ConfirmBackup() {
        EXPECT_EQ(Page(), TBackupForm::Backup3);
        DialogWatcher boxes;
        Next();
        return boxes.Seen();
    }
    // From the start page to the restore type page with every row checked.
    void ToRestoreType() {
        ASSERT_TRUE(In<QRadioButton>("RestoreRB").isEnabled());
        In<QRadioButton>("RestoreRB").setChecked(true);
        Next();
        ASSERT_EQ(Page(), TBackupForm::Restore1);
        QTreeWidget& backups = In<QTreeWidget>("BackupList");
        ASSERT_EQ(backups.topLevelItemCount(), 1);
        backups.setCurrentItem(backups.topLevelItem(0));
        ASSERT_TRUE(In<QPushButton>("NextBtn").isEnabled());
        Next();
        ASSERT_EQ(Page(), TBackupForm::Restore2);
        EXPECT_FALSE(In<QPushButton>("NextBtn").isEnabled());
        In<QCheckBox>("SelectionCB").click();
        ASSERT_TRUE(In<QPushButton>("NextBtn").isEnabled());
        Next();
        ASSERT_EQ(Page(), TBackupForm::Restore3);
    }
    // After a read, a backup of entries and the wizard opened again (the
    // restore is offered now): on to the restore's confirmation page, every
    // row chosen, entries written over those in the phone.
    void ToRestoreConfirmation(const std::vector<exchange::PhonebookFileEntry>& entries) {
        ASSERT_TRUE(ReadPhonebook());
        PutBackup(entries);
        form.hide();
        form.show();
        ToRestoreType();
        Next();
        ASSERT_EQ(Page(), TBackupForm::Restore4);
    }
    // The restore run goes to its end and the last page tells a success.
    void WaitForRestoreSuccess() {
        ASSERT_TRUE(PumpUntil([&] { return Page() == TBackupForm::BackupEnd; }, 15000));
        EXPECT_EQ(In<QLabel>("SuccessLab").text(),
                  "Your phonebook entries from previous backup are succesfully saved in your "
                  "mobile.");
    }

    struct AppFirst {
        AppFirst() { ui::testing::App(); }
    } app;
    ui::testing::TempHome home;
    ui::QtScheduler sched;
    parlenko::testing::SimSerialDevice device{sched, SmallPhone()};
    TSerialPortDriver port{device, sched};
    ui::TWindowHost host;
    PhoneEngine engine{port, sched, host};
    TBackupForm form{nullptr, engine, home.QDir()};
    // The main window sets the wizard as the engine's backup view.
    struct Viewed {
        PhoneEngine& engine;
        Viewed(PhoneEngine& e, IBackupView* view) : engine(e) { engine.SetView<IBackupView>(view); }
        ~Viewed() { engine.SetView<IBackupView>(nullptr); }
    } viewed{engine, &form};
};

TEST(BackupForm, BackupAfterAReReadHoldsTheThreeMemoriesRecords) {
    WizardRig rig;
    EXPECT_FALSE(rig.In<QRadioButton>("RestoreRB").isEnabled());  // no read yet
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Backup1);
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Backup2);
    EXPECT_TRUE(rig.In<QLineEdit>("Edit2").text().startsWith("Backup_"));
    rig.In<QLineEdit>("Edit2").setText("b1");
    rig.In<QCheckBox>("RefreshCB").setChecked(true);
    ASSERT_TRUE(rig.In<QPushButton>("NextBtn").isEnabled());  // connected
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Backup3);
    EXPECT_EQ(rig.In<QPushButton>("NextBtn").text(), "Backup");
    rig.Next();
    EXPECT_EQ(rig.Page(), TBackupForm::Backup4);
    ASSERT_TRUE(PumpUntil([&] { return rig.Page() == TBackupForm::BackupEnd; }, 10000));
    EXPECT_EQ(rig.In<QLabel>("SuccessLab").text(),
              "Your phonebook entries from mobile are successfully saved on your hard disc.");
    EXPECT_TRUE(rig.In<QRadioButton>("RestoreRB").isEnabled());

    std::vector<exchange::PhonebookFileEntry> expected;
    for (const auto& e : rig.engine.PhonebookList())
        if (e.Location != "Service numbers")
            expected.push_back({e.Name, e.Phone, e.Location, e.Position});
    EXPECT_EQ(expected.size(), 5u);
    const std::string path = rig.home.Dir() + "Backup/b1.pbb";
    EXPECT_EQ(exchange::ReadFileBytes(path), exchange::EncodePhonebookRecords(expected));
    EXPECT_EQ(exchange::LoadBackupPaths(rig.home.Dir()), std::vector<std::string>{path});
}

// Every letter the phone holds comes back byte for byte: read into the list
// and "Phonebook.dat", backed up, restored over an emptied SIM card.
TEST(BackupForm, RoundTripGivesThePhoneTheSameCodes) {
    WizardRig rig;
    rig.engine.SetDataDir(rig.home.Dir());
    auto& sim = rig.Book("SM");
    const std::vector<std::string> names = {std::string("Servis \0 auta", 13),  // "@" is code 0
                                            "Caf\x05 ma\x7D"
                                            "ana",                         // é ñ
                                            "\x0B\x10 \x1B\x28x\x1B\x29",  // Ø Δ { }
                                            "\x1B\x65 ok \x1B",   // € and a lone ESC at the end
                                            "Vip\x1B\x3C\x1E!"};  // [ ß, a VIP entry
    sim.clear();
    for (std::size_t k = 0; k < names.size(); ++k)
        sim[static_cast<int>(k) + 1] = {"09100000" + std::to_string(k), 129, names[k]};
    rig.In<QCheckBox>("RefreshCB").setChecked(true);
    rig.Next();
    rig.Next();
    rig.In<QLineEdit>("Edit2").setText("letters");
    rig.Next();
    rig.Next();
    ASSERT_TRUE(PumpUntil([&] { return rig.Page() == TBackupForm::BackupEnd; }, 10000));

    // The list and the cache hold the letters, shown as themselves.
    const auto& list = rig.engine.PhonebookList();
    ASSERT_GE(list.size(), names.size());
    EXPECT_EQ(ui::FromAnsi(list[0].Name), QString::fromUtf8("Servis @ auta"));
    EXPECT_EQ(ui::FromAnsi(list[1].Name), QString::fromUtf8("Café mañana"));
    EXPECT_EQ(ui::FromAnsi(list[2].Name), QString::fromUtf8("ØΔ {x}"));
    EXPECT_EQ(ui::FromAnsi(list[3].Name), QString::fromUtf8("€ ok ␛"));
    const auto cache = exchange::LoadPhonebookFile(rig.home.Dir());
    ASSERT_EQ(cache.entries.size(), list.size());
    for (std::size_t k = 0; k < list.size(); ++k) EXPECT_EQ(cache.entries[k].Name, list[k].Name);

    sim.clear();
    rig.form.hide();
    rig.form.show();
    ASSERT_NO_FATAL_FAILURE(rig.ToRestoreType());
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Restore4);
    DialogWatcher none;
    rig.Next();
    ASSERT_NO_FATAL_FAILURE(rig.WaitForRestoreSuccess());
    EXPECT_TRUE(none.Seen().empty());  // nothing to ask: the phone stores every letter
    ASSERT_EQ(sim.size(), names.size());
    for (std::size_t k = 0; k < names.size(); ++k)
        EXPECT_EQ(sim[static_cast<int>(k) + 1].name, names[k]) << k;
}

// Enter is the forward button wherever the focus is: Next, then Backup,
// then Finish; the other buttons take Enter only as a click of their own.
TEST(BackupForm, EnterGoesForwardFromAnyControl) {
    WizardRig rig;
    const auto enter = [&](QWidget* at) {
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Return);
    };
    enter(&rig.In<QRadioButton>("BackupRB"));
    ASSERT_EQ(rig.Page(), TBackupForm::Backup1);
    enter(&rig.In<QPushButton>("PrevBtn"));
    ASSERT_EQ(rig.Page(), TBackupForm::Backup2);
    rig.In<QLineEdit>("Edit2").setText("enter");
    enter(&rig.In<QLineEdit>("Edit2"));
    ASSERT_EQ(rig.Page(), TBackupForm::Backup3);
    enter(&rig.In<QPlainTextEdit>("BackupMemo"));
    ASSERT_EQ(rig.Page(), TBackupForm::BackupEnd);
    EXPECT_TRUE(QFile::exists(rig.home.QDir() + "Backup/enter.pbb"));
    enter(rig.In<QLabel>("SuccessLab").parentWidget());
    EXPECT_FALSE(rig.form.isVisible());  // "Finish"
}

TEST(BackupForm, FailedWriteShowsItsErrorAndStaysOnTheConfirmation) {
    WizardRig rig;
    rig.Next();
    rig.Next();
    QFile plain(rig.home.QDir() + "plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    rig.In<QLineEdit>("Edit1").setText(rig.home.QDir() +
                                       "plain/sub");  // no folder can be made there
    rig.Next();
    const auto boxes = rig.ConfirmBackup();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(rig.Page(), TBackupForm::Backup3);
    EXPECT_FALSE(QFile::exists(rig.home.QDir() + "BackupPaths.bup"));
}

TEST(BackupForm, BackupWithoutAReReadIsRefusedWhileTheLastReadIsIncomplete) {
    WizardRig rig;
    phonesim::CommandFault silent;  // the phone falls silent in the middle of the SIM card
    silent.command = "AT+CPBR=2";
    silent.noAnswer = true;
    rig.device.Phone().AddFault(silent);
    rig.engine.RefreshPhonebook();
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.PhonebookList().size() == 1; }, 10000));
    rig.Next();
    rig.Next();
    rig.In<QLineEdit>("Edit2").setText("partial");
    rig.Next();
    const auto boxes = rig.ConfirmBackup();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text,
              "Phonebook was not read completely from mobile!\n\n"
              "Please, read phonebook from mobile again.");
    EXPECT_EQ(rig.Page(), TBackupForm::Backup3);
    EXPECT_FALSE(QFile::exists(rig.In<QLineEdit>("Edit1").text() + "/partial.pbb"));
}

TEST(BackupForm, OverwriteQuestionKeepsTheNamePageUnlessYes) {
    WizardRig rig;
    rig.Next();
    rig.Next();
    rig.In<QLineEdit>("Edit2").setText("same");
    QDir().mkpath(rig.In<QLineEdit>("Edit1").text());
    QFile f(rig.In<QLineEdit>("Edit1").text() + "/same.pbb");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    {
        DialogWatcher no([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        rig.Next();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Warning");
        EXPECT_EQ(no.Seen()[0].text, "Backup with this name already exists!\n\nOverwrite?");
        EXPECT_EQ(rig.Page(), TBackupForm::Backup2);
    }
    DialogWatcher yes([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    rig.Next();
    EXPECT_EQ(yes.Seen().size(), 1u);
    EXPECT_EQ(rig.Page(), TBackupForm::Backup3);
}

// Without a name the backup would be the hidden ".pbb": Next stays off
// until there is one, with the phone to read again too.
TEST(BackupForm, NextStaysOffUntilTheBackupHasAName) {
    WizardRig rig;
    rig.Next();
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Backup2);
    QPushButton& next = rig.In<QPushButton>("NextBtn");
    rig.In<QLineEdit>("Edit2").setText("  ");
    EXPECT_FALSE(next.isEnabled());
    rig.In<QCheckBox>("RefreshCB").setChecked(true);  // the phone is connected
    EXPECT_FALSE(next.isEnabled());
    rig.In<QPushButton>("PrevBtn").click();
    rig.Next();
    EXPECT_FALSE(next.isEnabled()) << "the page shown again";
    rig.In<QLineEdit>("Edit2").setText("b2");
    EXPECT_TRUE(next.isEnabled());
    rig.port.Disconnect();
    rig.In<QLineEdit>("Edit2").setText("b3");
    EXPECT_FALSE(next.isEnabled()) << "no phone to read";
}

// While the restore runs the wizard has no way out: Escape and the title
// bar's close leave it on its page, and the run goes to its end.
TEST(BackupForm, EscapeAndCloseDuringARestoreLeaveItRunning) {
    WizardRig rig;
    phonesim::CommandFault slow;
    slow.command = "AT+CPBW=";
    slow.times = -1;
    slow.delayMs = 200;
    rig.device.Phone().AddFault(slow);
    ASSERT_NO_FATAL_FAILURE(rig.ToRestoreConfirmation(
        {{"Ana", "0911", "SIM card", "004"}, {"Ivo", "0912", "SIM card", "009"}}));
    rig.Next();
    ASSERT_TRUE(PumpUntil(
        [&] { return rig.device.Written().find("AT+CPBW=") != std::string::npos; }, 5000));
    QTest::keyClick(&rig.form, Qt::Key_Escape);
    EXPECT_TRUE(rig.form.isVisible()) << "Escape closed the wizard";
    rig.form.close();
    EXPECT_TRUE(rig.form.isVisible()) << "the title bar's close closed the wizard";
    EXPECT_EQ(rig.Page(), TBackupForm::Restore5);
    ASSERT_NO_FATAL_FAILURE(rig.WaitForRestoreSuccess());
    auto& sim = rig.Book("SM");
    ASSERT_EQ(sim.size(), 2u) << "written at 1 and 2, the rest deleted";
    EXPECT_EQ(sim[1].name, "Ana");
    EXPECT_EQ(sim[2].name, "Ivo");
}

TEST(BackupForm, OverwriteRestoreLeavesExactlyTheBackupsSimEntriesAtOneToN) {
    WizardRig rig;
    ASSERT_TRUE(rig.ReadPhonebook());
    rig.PutBackup({{"Ana!", "0911", "SIM card", "004"},
                   {"Marko", "0921", "Mobile memory", "001"},
                   {"Ivo", "0912", "SIM card", "009"}});
    rig.form.hide();
    rig.form.show();  // opened again: the restore is offered now
    rig.ToRestoreType();
    rig.Next();
    ASSERT_EQ(rig.Page(), TBackupForm::Restore4);
    EXPECT_EQ(rig.In<QPushButton>("NextBtn").text(), "Restore");
    rig.Next();
    EXPECT_EQ(rig.Page(), TBackupForm::Restore5);
    ASSERT_TRUE(PumpUntil([&] { return rig.Page() == TBackupForm::BackupEnd; }, 15000));
    EXPECT_EQ(rig.In<QLabel>("SuccessLab").text(),
              "Your phonebook entries from previous backup are succesfully saved in your mobile.");
    auto& sim = rig.Book("SM");
    ASSERT_EQ(sim.size(), 2u);
    EXPECT_EQ(sim[1].number, "0911");
    EXPECT_EQ(sim[1].name, "Ana!") << "the VIP mark goes back with the entry";
    EXPECT_EQ(sim[2].number, "0912");
    EXPECT_EQ(sim[2].name, "Ivo");
    EXPECT_EQ(rig.Book("ME").size(), 1u);
    EXPECT_EQ(rig.Book("ME")[1].number, "0921");
    // Finish: the phonebook is read again.
    rig.In<QPushButton>("CancelBtn").click();
    EXPECT_TRUE(PumpUntil([&] { return rig.engine.PhonebookReadComplete(); }, 10000));
}

// The end of a restore lists each entry the phone refused with the phone's
// own reason; a run the time-out ends says that it stopped, and lists the
// entries not written.
TEST(BackupForm, RestoreEndListsTheEntriesNotWrittenWithThePhonesReason) {
    WizardRig rig;
    rig.PutBackup({{"Ana!", "0911", "SIM card", "004"},
                   {"Ivo", "0912", "SIM card", "009"},
                   {"Eva", "0913", "SIM card", "010"}});
    ASSERT_TRUE(rig.ReadPhonebook());  // the wizard, open, offers the restore now
    rig.Fault("AT+CPBW=2,", "+CME ERROR: 24");
    rig.ToRestoreType();
    ASSERT_TRUE(rig.RunRestore());
    EXPECT_EQ(rig.In<QLabel>("Label1").text(), "Restore finished");
    EXPECT_TRUE(rig.In<QLabel>("SuccessLab").text().contains("not written in your mobile:  1"))
        << rig.In<QLabel>("SuccessLab").text().toStdString();
    QTreeWidget* list = &rig.In<QTreeWidget>("NotWrittenList");
    ASSERT_TRUE(list->isVisibleTo(&rig.form));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Ivo");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "0912");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "SIM card");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Text too long");
    EXPECT_EQ(rig.Book("SM")[3].number, "0913");
    rig.In<QPushButton>("CancelBtn").click();
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.PhonebookReadComplete(); }, 10000));

    // The phone falls silent at Eva's write: the run stops at the time-out.
    rig.Fault("AT+CPBW=3,", std::nullopt);
    rig.form.show();
    rig.ToRestoreType();
    ASSERT_TRUE(rig.RunRestore());
    EXPECT_EQ(rig.In<QLabel>("Label1").text(), "Restore stopped");
    EXPECT_TRUE(rig.In<QLabel>("SuccessLab").text().startsWith("Restore was stopped"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Eva");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "No answer from mobile");
}

TEST(BackupForm, RestoreTypePageRefusesWhatDoesNotFitInEitherMode) {
    WizardRig rig;
    ASSERT_TRUE(rig.ReadPhonebook());
    std::vector<exchange::PhonebookFileEntry> six;
    for (int k = 1; k <= 6; ++k)
        six.push_back({"N" + std::to_string(k), "09" + std::to_string(k), "SIM card",
                       "00" + std::to_string(k)});
    rig.PutBackup(six);
    rig.form.hide();
    rig.form.show();
    rig.ToRestoreType();
    DialogWatcher boxes;
    rig.Next();  // overwrite: 6 rows, 5 positions
    rig.In<QRadioButton>("RestoreMob2RB").setChecked(true);
    rig.Next();  // free positions: 6 rows, 2 free
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].caption, "Not enough space in mobile");
    EXPECT_TRUE(boxes.Seen()[0].text.endsWith("Select less entries for restore."));
    EXPECT_TRUE(boxes.Seen()[0].text.contains("Space missing on SIM card:  1"));
    EXPECT_TRUE(boxes.Seen()[1].text.contains("there's no enough free space."));
    EXPECT_TRUE(boxes.Seen()[1].text.contains("Space missing on SIM card:  4"));
    EXPECT_EQ(rig.Page(), TBackupForm::Restore3);
}

// Names the phone cannot store whole are shown before the first write: No
// keeps the confirmation page, Yes writes them changed.
TEST(BackupForm, RestoreAsksBeforeWritingNamesThePhoneCannotStore) {
    WizardRig rig;
    ASSERT_NO_FATAL_FAILURE(
        rig.ToRestoreConfirmation({{"\x8Aime \x8Eic", "0911", "SIM card", "001"},
                                   {"Caf\xE1", "0912", "SIM card", "002"},
                                   {"Ivo", "0913", "SIM card", "003"}}));
    const std::string before = rig.device.Written();
    {
        DialogWatcher no([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        rig.Next();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Unsupported characters");
        EXPECT_TRUE(no.Seen()[0].text.contains(QString::fromUtf8(
            "   Šime Žic   ( Š Ž )   ->   Sime Zic\n   Cafá   ( á )   ->   Caf?\n")))
            << no.Seen()[0].text.toStdString();
        EXPECT_FALSE(no.Seen()[0].text.contains("Ivo"));
    }
    EXPECT_EQ(rig.Page(), TBackupForm::Restore4);
    EXPECT_EQ(rig.device.Written(), before);

    DialogWatcher yes([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    rig.Next();
    ASSERT_NO_FATAL_FAILURE(rig.WaitForRestoreSuccess());
    EXPECT_EQ(yes.Seen().size(), 1u);
    auto& sim = rig.Book("SM");
    ASSERT_EQ(sim.size(), 3u);
    EXPECT_EQ(sim[1].name, "Sime Zic");
    EXPECT_EQ(sim[2].name, "Caf?");
    EXPECT_EQ(sim[3].name, "Ivo");
}

}  // namespace
}  // namespace parlenko::ui
