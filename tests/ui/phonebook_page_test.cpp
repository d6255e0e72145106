// The phonebook page, its entry dialog and the country-code picker against
// the simulated S45 (SIM 100 entries from position 3, "ME" 10 with 6 free,
// "ON" 1, "SD" 5): the read and its views, the entry commands and what the
// phone receives for them.

#include "engine/phonebook/phonebook_views.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/atomic_file.h"
#include "exchange/formats/phonebook_file.h"
#include "exchange/store/outlook_store.h"
#include "phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/options.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/citam_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/dialogs/upis_imenik.h"
#include "ui/exchange/outlook_cont_form.h"
#include "ui/exchange/store_session.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/phonebook_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;
using testing::PumpUntil;

// The entry dialog's controls.
struct EntryControls {
    explicit EntryControls(TUpisImenik& d) : dialog(d) {}
    TUpisImenik& dialog;
    QLineEdit& ImeEdit = Find<QLineEdit>(dialog, "ImeEdit");
    QLineEdit& TelEdit = Find<QLineEdit>(dialog, "TelEdit");
    QRadioButton& SimRadioBtn = Find<QRadioButton>(dialog, "SimRadioBtn");
    QRadioButton& MobRadioBtn = Find<QRadioButton>(dialog, "MobRadioBtn");
    QLabel& PozicijaLab = Find<QLabel>(dialog, "PozicijaLab");
    QLabel& MaxLab = Find<QLabel>(dialog, "MaxLab");
    QLabel& FreeLab = Find<QLabel>(dialog, "FreeLab");
    QCheckBox& VipCheck = Find<QCheckBox>(dialog, "VipCheck");
    QPushButton& Button1 = Find<QPushButton>(dialog, "Button1");  // "Snimi"
    QPushButton& Button2 = Find<QPushButton>(dialog, "Button2");  // "Odustani"
};

struct PhonebookRig : testing::MainWindowRig {
    explicit PhonebookRig(bool withCache = false)
        : MainWindowRig({.prepareHome = [withCache](const std::string& dir) {
              if (withCache)
                  (void)exchange::SavePhonebookFile(dir,
                                                    {{"Ana!", "091", "SIM card", "001"},
                                                     {"Posao", "092", "Mobile memory", "002"}});
          }}) {
        status = std::make_unique<TStatusFrm>(glavna.get());
        status->SetEnabledSource([] { return true; });
        host.SetStatusFrm(status.get());
        glavna->LoadOptions();
        page = &Find<TImenikPage>(*glavna, "ImenikPage");
    }
    ~PhonebookRig() {  // the status window goes before the main window
        host.SetStatusFrm(nullptr);
        glavna->hide();
        status.reset();
    }
    std::size_t Count(const std::string& line) const {
        std::size_t n = 0;
        for (auto at = device.Written().find(line); at != std::string::npos;
             at = device.Written().find(line, at + 1))
            ++n;
        return n;
    }
    bool Idle() { return !glavna->Busy() && !citam.isVisible(); }
    bool ShowConnected() {
        glavna->show();
        return PumpUntil([&] { return Count("AT+CMGF=0\r") > 0; }, 8000) &&
               PumpUntil([&] { return !glavna->Busy(); }, 12000);
    }
    // Opens the page (its first read) and waits for the read's end.
    bool OpenPage() {
        if (!ShowConnected()) return false;
        glavna->OutBarBtn1Click(2);
        return PumpUntil([&] { return engine.PhonebookLoaded() && Idle(); }, 30000);
    }
    // Waits until the engine has no entry operation in flight.
    bool Wait(const std::function<bool()>& done) {
        return PumpUntil([&] { return done() && Idle(); }, 30000);
    }
    QTreeWidget& List() { return Find<QTreeWidget>(*page, "ImenikList"); }
    QString Text(const char* label) { return Find<QLabel>(*page, label).text(); }
    QAction& Action(const char* name) { return Find<QAction>(*page, name); }
    QTreeWidgetItem* Row(const QString& caption) {
        for (int i = 0; i < List().topLevelItemCount(); ++i)
            if (List().topLevelItem(i)->text(0) == caption) return List().topLevelItem(i);
        return nullptr;
    }
    void Select(const QString& caption) {
        QTreeWidgetItem* row = Row(caption);
        ASSERT_NE(row, nullptr) << caption.toStdString();
        List().setCurrentItem(row);
        row->setSelected(true);
    }
    const phonesim::Phonebook& Book(const char* memory) {
        return device.Phone().State().phonebooks.at(memory);
    }

    std::unique_ptr<TStatusFrm> status;
    TImenikPage* page = nullptr;
};

TEST(PhonebookPage, OpeningReadsAndTheViewsFilter) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.OpenPage()) << rig.device.Written();
    TImenikPage& p = *rig.page;
    QTreeWidget& list = rig.List();
    EXPECT_EQ(list.topLevelItemCount(), 116);
    EXPECT_EQ(rig.Text("SBTPrikazLab"), " Applied view:  All numbers");
    EXPECT_EQ(rig.Text("SBTKapacitetLab"), " Capacity:  372");
    EXPECT_EQ(rig.Text("SBTUpisanoLab"), " Entries:  116");
    EXPECT_EQ(rig.Text("SBTSlobodnoLab"), " Free:  256");
    QTreeWidgetItem* vip = rig.Row("Nikola B.");
    ASSERT_NE(vip, nullptr);
    EXPECT_EQ(vip->data(0, Qt::UserRole).toInt(), kImageVip);
    EXPECT_EQ(vip->text(2), "SIM card");
    EXPECT_EQ(vip->text(3), "010");
    EXPECT_TRUE(rig.Action("IzmjenaImeTB").isEnabled());

    QAction& services = rig.Action("SerNumTB");
    ASSERT_TRUE(services.isEnabled());
    services.trigger();
    ASSERT_EQ(list.topLevelItemCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.topLevelItem(i)->data(0, Qt::UserRole).toInt(), kImageService);
    EXPECT_EQ(rig.Text("SBTKapacitetLab"), " Capacity:  20");
    EXPECT_EQ(rig.Text("SBTSlobodnoLab"), " Free:  15");
    // Seen in the "all" view a service number is an entry like any other.
    rig.Action("AllNumTB").trigger();
    EXPECT_EQ(rig.Row("Hitni poziv")->data(0, Qt::UserRole).toInt(), kImageEntry);
    services.trigger();

    // Service numbers are the phone's own: three refusals, nothing left
    // pending for the next read.
    DialogWatcher watcher;
    rig.Select("Policija");
    // The popup, the main menu and the tool bar share their handlers.
    auto& menuDelete = Find<QAction>(*rig.glavna, "Izbrisiosobu2");
    ASSERT_TRUE(menuDelete.isEnabled());
    Find<QMenu>(p, "ImenikPopup").findChild<QAction*>("Izmjenapodataka1")->trigger();
    menuDelete.trigger();
    rig.Action("PrebaciImeTB").trigger();
    ASSERT_TRUE(PumpUntil([&] { return watcher.Seen().size() == 3; }, 3000));
    EXPECT_EQ(watcher.Seen()[0].text, "Cannot edit service numbers!");
    EXPECT_EQ(watcher.Seen()[1].text, "Cannot delete service numbers!");
    EXPECT_EQ(watcher.Seen()[2].text, "Cannot change location for service numbers");
    // A click on empty space keeps the selection; a double-click edits.
    QWidget* viewport = list.viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(40, viewport->height() - 4));
    testing::Pump(50);
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems()[0]->text(0), "Policija");
    p.ImenikListDblClick();
    ASSERT_TRUE(PumpUntil([&] { return watcher.Seen().size() == 4; }, 3000));
    EXPECT_EQ(watcher.Seen()[3].text, "Cannot edit service numbers!");

    rig.engine.RefreshPhonebook();
    ASSERT_TRUE(rig.Wait([&] { return rig.engine.PhonebookLoaded(); }));
    EXPECT_EQ(rig.Count("AT+CPBW"), 0u);
}

// Another window active while the page reads: the summary counts the rows
// as they come, and the page shown ends with its first row selected.
TEST(PhonebookPage, AReadCountsItsRowsAndSelectsTheFirstOnThePageShown) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.ShowConnected());
    QWidget other;
    other.show();
    other.activateWindow();
    testing::Pump(50);
    QTreeWidget& list = rig.List();
    QString entries, capacity;
    int rows = 0;
    rig.glavna->OutBarBtn1Click(2);
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (!rig.engine.PhonebookReadRunning() || list.topLevelItemCount() < 20) return false;
            rows = list.topLevelItemCount();
            entries = rig.Text("SBTUpisanoLab");
            capacity = rig.Text("SBTKapacitetLab");
            return true;
        },
        30000));
    EXPECT_EQ(entries, " Entries:  " + QString::number(rows));
    EXPECT_NE(capacity, " Capacity:  ???");
    ASSERT_TRUE(PumpUntil([&] { return rig.engine.PhonebookLoaded() && rig.Idle(); }, 30000));
    EXPECT_FALSE(rig.glavna->isActiveWindow());
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems()[0], list.topLevelItem(0));
    EXPECT_TRUE(rig.Action("IzmjenaImeTB").isEnabled());
}

TEST(PhonebookPage, BeforeAReadTheSummaryIsUnknownAndEveryCommandRefuses) {
    PhonebookRig rig(true);
    ASSERT_TRUE(rig.ShowConnected());
    TImenikPage& p = *rig.page;
    p.AllNumTBClick(0);
    EXPECT_EQ(rig.List().topLevelItemCount(), 2);
    EXPECT_EQ(rig.Row("Ana")->data(0, Qt::UserRole).toInt(), kImageVip);
    EXPECT_EQ(rig.Text("SBTKapacitetLab"), " Capacity:  ???");
    EXPECT_EQ(rig.Text("SBTSlobodnoLab"), " Free:  ???");
    EXPECT_EQ(rig.Text("SBTUpisanoLab"), " Entries:  2");
    DialogWatcher watcher;
    rig.Select("Ana");
    p.UpisImeTBClick();
    p.IzmjenaImeTBClick();
    p.PrebaciImeTBClick();
    p.BrisanjeImeTBClick();
    ASSERT_TRUE(PumpUntil([&] { return watcher.Seen().size() == 4; }, 3000));
    const char* captions[] = {"New entry", "Edit entry", "Change location", "Delete entry"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(watcher.Seen()[static_cast<std::size_t>(i)].caption, captions[i]);
        EXPECT_EQ(watcher.Seen()[static_cast<std::size_t>(i)].text,
                  "First, you must refresh mobile phonebook!");
    }
    EXPECT_EQ(rig.Count("AT+CPBS"), 0u);
}

TEST(PhonebookPage, NewVipEntryIsWrittenIntoTheChosenMemory) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.OpenPage());
    TImenikPage& p = *rig.page;
    EntryControls dlg(p.UpisImenik());
    // A number another page filled in shows once; cancelled, the next new
    // entry starts empty.
    QStringList numbers;
    p.SetDialogRunner([&](QWidget&) {
        numbers << dlg.TelEdit.text();
        dlg.Button2.click();
        return 0;
    });
    p.NewEntryWithNumber("0981234567");
    p.UpisImeTBClick();
    EXPECT_EQ(numbers, (QStringList{"0981234567", ""}));

    bool balloonShown = false;
    bool balloonListed = false;
    bool balloonGone = false;
    bool balloonKept = false;
    bool hintSaysWhy = false;
    bool saveBlocked = false;
    bool nameFull = false;
    p.SetDialogRunner([&](QWidget&) {
        dlg.dialog.show();
        dlg.MobRadioBtn.click();
        EXPECT_EQ(dlg.PozicijaLab.text(), "006");
        EXPECT_EQ(dlg.MaxLab.text(), "100");
        EXPECT_EQ(dlg.FreeLab.text(), "90");
        dlg.TelEdit.setText("0911234567");
        dlg.ImeEdit.setText(QString::fromUtf8("Ana\u0107"));  // "ć"
        saveBlocked = !dlg.Button1.isEnabled();
        balloonShown = dlg.dialog.Hint() != nullptr;
        balloonListed =
            balloonShown && dlg.dialog.Hint()->Caption().contains(QString::fromUtf8("\u0107 "));
        // A valid number typed meanwhile: the name is still why "Snimi" is off.
        dlg.TelEdit.setFocus();
        dlg.TelEdit.clear();
        dlg.TelEdit.setText("0911234567");
        balloonKept = dlg.dialog.Hint() != nullptr &&
                      dlg.dialog.Hint()->Caption().contains(QString::fromUtf8("\u0107 "));
        hintSaysWhy = !dlg.Button1.isEnabled() && !dlg.Button1.toolTip().isEmpty();
        // Typing stops at the phone's 16 septets; "{" takes two.
        dlg.ImeEdit.setText("Abcdefghijklmn");
        QTest::keyClicks(&dlg.ImeEdit, "{x");
        nameFull = dlg.ImeEdit.text() == "Abcdefghijklmn{";
        dlg.ImeEdit.setText("Abcdefghijklmno");  // 15 characters
        balloonGone = dlg.dialog.Hint() == nullptr;
        dlg.VipCheck.setChecked(true);
        dlg.Button1.click();
        return 1;
    });
    p.UpisImeTBClick();
    EXPECT_TRUE(saveBlocked);
    EXPECT_TRUE(balloonShown);
    EXPECT_TRUE(balloonListed);
    EXPECT_TRUE(balloonKept);
    EXPECT_TRUE(hintSaysWhy);
    EXPECT_TRUE(balloonGone);
    EXPECT_TRUE(nameFull);
    const std::string write = "AT+CPBW=6,\"0911234567\",,\"Abcdefghijklmno!\"\r";
    ASSERT_TRUE(rig.Wait([&] { return rig.Count(write) == 1; })) << rig.device.Written();
    const auto select = rig.device.Written().rfind("AT+CPBS=\"ME\"\r");
    EXPECT_LT(select, rig.device.Written().find(write));
    ASSERT_TRUE(PumpUntil([&] { return rig.Row("Abcdefghijklmno") != nullptr; }, 3000));
    EXPECT_EQ(rig.Book("ME").entries.at(6).name, "Abcdefghijklmno!");
    QTreeWidgetItem* row = rig.Row("Abcdefghijklmno");
    EXPECT_TRUE(row->isSelected());
    EXPECT_EQ(row->data(0, Qt::UserRole).toInt(), kImageVip);
    EXPECT_EQ(Find<QLabel>(*rig.status, "PorukaLab").text(),
              "Entry succesfully saved in mobile phonebook!");
}

// Enter in the entry dialog is "Snimi": nothing while it is off, never the
// country-code picker, the save once it is on.
TEST(PhonebookPage, EnterInTheEntryDialogSavesOnlyWhenSnimiIsOn) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.OpenPage());
    EXPECT_NE(rig.Row("Servis @ auta"), nullptr);  // "@" comes as the NUL byte of its code
    TImenikPage& p = *rig.page;
    int pickers = 0;
    p.UpisImenik().SetCountryPickerRunner([&](TZemljeForm&) {
        ++pickers;
        return int(QDialog::Rejected);
    });
    bool keptOpen = false;
    EntryControls dlg(p.UpisImenik());
    p.SetDialogRunner([&](QWidget&) {
        dlg.dialog.show();
        dlg.TelEdit.setText("0917654321");
        dlg.ImeEdit.setText(QString::fromUtf8("Ana\u0107"));  // no phone character: "Snimi" is off
        QTest::keyClick(&dlg.ImeEdit, Qt::Key_Return);
        keptOpen = dlg.dialog.isVisible();
        // The phone's own letters are taken, and written with their codes.
        dlg.ImeEdit.setText(QString::fromUtf8("Ené Δ{"));
        QTest::keyClick(&dlg.TelEdit, Qt::Key_Return);
        return dlg.dialog.isVisible() ? 0 : 1;
    });
    p.UpisImeTBClick();
    EXPECT_EQ(pickers, 0);
    EXPECT_TRUE(keptOpen);
    EXPECT_TRUE(rig.Wait([&] { return rig.Count(",,\"En\\05 \\10\\1B\\28\"\r") == 1; }))
        << rig.device.Written();
    ASSERT_TRUE(PumpUntil([&] { return rig.Row(QString::fromUtf8("Ené Δ{")) != nullptr; }, 3000));
}

// The contacts exchange's chosen number opens the new entry with the name the
// phone can take; the saved entry joins the exchange window's list; a new
// entry the page refuses keeps no pre-fill for later.
TEST(PhonebookPage, ContactsExchangePreFillsTheNewEntryAndFollowsTheSave) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.OpenPage());
    TImenikPage& p = *rig.page;
    const auto settings = LoadStoreSettings(rig.home.QDir() + "Parlenko.ini");
    {
        exchange::store::Application app(settings);
        exchange::store::NameSpace ns = app.GetNamespace("MAPI");
        ns.Logon();
        auto c = app.CreateItem(exchange::store::olContactItem).AsContactItem();
        c.SetFullName(
            "\xC5\xA0uma \xC4\x86uk \xC4\x8C"
            "a\xC5\xA1"
            "a \xC5\xBD"
            "abe");
        c.SetMobileTelephoneNumber("+385 (091) 234 567");
        c.Save();
    }
    ui::TStoreSession session([&settings] { return settings; });
    ui::TOutlookContForm contacts(rig.glavna.get(), rig.engine, session, &rig.citam);
    QObject::connect(&contacts, &ui::TOutlookContForm::NewEntryFromContact, rig.glavna.get(),
                     &TGlavna::NewEntryFromContact);
    rig.glavna->SetContactsExchange(&contacts);
    QAction& exchangeButton = rig.Action("OutlookCTB");
    auto& exchangeItem = Find<QAction>(*rig.glavna, "RazmjenapodatakaOutlookContacts1");
    EXPECT_TRUE(exchangeButton.isEnabled());
    EXPECT_TRUE(exchangeItem.isEnabled());  // the main menu's item
    ASSERT_TRUE(contacts.OpenStore());
    contacts.show();
    QTreeWidget& contactsPhonebook = testing::Find<QTreeWidget>(contacts, "PhonebookList");
    QTreeWidget& contactsList = testing::Find<QTreeWidget>(contacts, "ContactsList");
    QPushButton& contactsSave = testing::Find<QPushButton>(contacts, "SaveBtn");
    const int rowsBefore = contactsPhonebook.topLevelItemCount();
    EXPECT_EQ(rowsBefore, 116);
    ASSERT_EQ(contactsList.topLevelItemCount(), 1);
    contactsList.setCurrentItem(contactsList.topLevelItem(0));
    testing::Find<QRadioButton>(contacts, "MobRB").click();
    QStringList seen;
    bool refused = false;
    EntryControls dlg(p.UpisImenik());
    p.SetDialogRunner([&](QWidget&) {
        seen << dlg.ImeEdit.text() << dlg.TelEdit.text();
        dlg.dialog.show();
        // Typed back in, a letter the phone lacks keeps "Snimi" off.
        dlg.ImeEdit.setText(QString::fromUtf8("Iva Khardi\u0107"));
        refused = !dlg.Button1.isEnabled() && dlg.dialog.Hint() != nullptr &&
                  dlg.dialog.Hint()->Caption().contains(QString::fromUtf8("\u0107 "));
        dlg.ImeEdit.setText("Suma Cuk");  // the SIM card's names are shorter
        dlg.Button1.click();
        return 1;
    });
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        contactsSave.click();
        EXPECT_EQ(yes.Seen().size(), 1u);  // the letters the phone cannot store
    }
    EXPECT_EQ(seen, (QStringList{"Suma Cuk Casa Za", "+38591234567"}));
    EXPECT_TRUE(refused);
    EXPECT_EQ(rig.Count("Khardi"), 0u);
    DialogWatcher unexpected;
    ASSERT_TRUE(rig.Wait([&] { return contactsPhonebook.topLevelItemCount() == rowsBefore + 1; }));

    rig.engine.Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return !rig.engine.Connected(); }, 3000));
    contactsSave.click();  // refused while not connected
    EXPECT_FALSE(p.ContactPreFillPending());
    EXPECT_TRUE(unexpected.Seen().empty());
    contacts.close();
    rig.glavna->SetContactsExchange(nullptr);
    EXPECT_FALSE(exchangeButton.isEnabled());
    EXPECT_FALSE(exchangeItem.isEnabled());
}

TEST(PhonebookPage, EditDeleteAndMoveKeepTheirMemoryAndOrder) {
    PhonebookRig rig;
    ASSERT_TRUE(rig.OpenPage());
    TImenikPage& p = *rig.page;
    EntryControls dlg(p.UpisImenik());

    // Edit: its own memory and position, the radios disabled.
    rig.Select("Ivan Novak");
    p.SetDialogRunner([&](QWidget&) {
        EXPECT_FALSE(dlg.SimRadioBtn.isEnabled());
        EXPECT_EQ(dlg.PozicijaLab.text(), "003");
        dlg.TelEdit.setText("0915550000");
        dlg.Button1.click();
        return 1;
    });
    p.IzmjenaImeTBClick();
    ASSERT_TRUE(rig.Wait([&] { return rig.Count("AT+CPBW=3,\"0915550000\",,\"Ivan Novak\"\r"); }));
    EXPECT_EQ(rig.Book("SM").entries.at(3).number, "0915550000");

    // Delete: "No" sends nothing, "Yes" the delete of the selected position.
    rig.Select("Petra Horvat");
    {
        // The Delete key asks as the button does.
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        QKeyEvent del(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(&rig.List(), &del);
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].text,
                  "Name:  Petra Horvat\nPhone number:   0957129311\n\nDelete entry from mobile "
                  "phonebook?");
    }
    testing::Pump(100);
    EXPECT_EQ(rig.Count("AT+CPBW=6\r"), 0u);
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        p.BrisanjeImeTBClick();
        ASSERT_TRUE(rig.Wait([&] { return rig.Count("AT+CPBW=6\r") == 1; }));
    }
    EXPECT_EQ(rig.Book("SM").entries.count(6), 0u);
    EXPECT_EQ(rig.Row("Petra Horvat"), nullptr);

    // Move SIM -> "ME": the write into the target first, then the delete.
    rig.Select("Zoran Matic");
    p.SetDialogRunner([&](QWidget&) {
        EXPECT_TRUE(dlg.MobRadioBtn.isEnabled());
        dlg.MobRadioBtn.click();
        dlg.Button1.click();
        return 1;
    });
    p.PrebaciImeTBClick();
    const std::string moved = "AT+CPBW=6,\"0955786906\",,\"Zoran Matic\"\r";
    ASSERT_TRUE(rig.Wait([&] { return rig.Count("AT+CPBW=16\r") == 1; })) << rig.device.Written();
    EXPECT_LT(rig.device.Written().find(moved), rig.device.Written().find("AT+CPBW=16\r"));
    EXPECT_EQ(rig.Book("ME").entries.at(6).name, "Zoran Matic");
    EXPECT_EQ(rig.Book("SM").entries.count(16), 0u);

    // A move with no other memory picked: one write, the entry stays.
    rig.Select("Jelena Tomic");
    const std::size_t writes = rig.Count("AT+CPBW=");
    p.SetDialogRunner([&](QWidget&) {
        dlg.Button1.click();
        return 1;
    });
    p.PrebaciImeTBClick();
    ASSERT_TRUE(rig.Wait([&] { return rig.Count("AT+CPBW=") == writes + 1; }));
    testing::Pump(200);
    EXPECT_EQ(rig.Count("AT+CPBW="), writes + 1);
    EXPECT_EQ(rig.Book("SM").entries.at(9).name, "Jelena Tomic");
    EXPECT_FALSE(p.UpisImenik().MoveEntry());
}

TEST(PhonebookPage, AReadCutShortLeavesTheEntryCommandsRefusing) {
    PhonebookRig rig;
    phonesim::CommandFault fault;
    fault.command = "AT+CPBR=5";
    fault.result = "ERROR";
    rig.device.Phone().AddFault(fault);
    ASSERT_TRUE(rig.ShowConnected());
    DialogWatcher watcher;
    rig.glavna->OutBarBtn1Click(2);
    ASSERT_TRUE(PumpUntil([&] { return rig.Count("AT+CPBR=5\r") == 1 && rig.Idle(); }, 20000));
    testing::Pump(200);
    EXPECT_FALSE(rig.engine.PhonebookLoaded());
    rig.page->UpisImeTBClick();
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (const auto& s : watcher.Seen())
                if (s.text == "First, you must refresh mobile phonebook!") return true;
            return false;
        },
        3000));
    EXPECT_EQ(rig.Count("AT+CPBW"), 0u);
    EXPECT_EQ(rig.Text("SBTKapacitetLab"), " Capacity:  ???");
}

TEST(PhonebookPage, BusinessCardFromThePopupAndTheMenuWhileConnected) {
    PhonebookRig rig(true);
    ASSERT_TRUE(rig.ShowConnected());
    TImenikPage& p = *rig.page;
    rig.glavna->OutBarBtn1Click(2);  // the page shown: the main menu's items are its own
    rig.Select("Ana");
    QStringList asked;
    p.FileChoice().SetSaveDialog([&](QWidget*, const TFileChoice::SaveQuestion& q) {
        asked << q.FileName;
        return q.Folder + "/" + q.FileName + QString::number(asked.size());
    });
    Find<QMenu>(p, "ImenikPopup").findChild<QAction*>("SnimikaoBusinessCard1")->trigger();
    Find<QAction>(*rig.glavna, "kaoBusinessCard1").trigger();
    EXPECT_EQ(asked, (QStringList{"Ana", "Ana"}));
    for (const char* file : {"Export/Ana1.vcf", "Export/Ana2.vcf"})
        EXPECT_EQ(exchange::ReadFileBytes(rig.home.Dir() + file),
                  "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Ana\r\nFN:Ana\r\nTEL;HOME;VOICE:091\r\n"
                  "END:VCARD\r\n")
            << file;
}

TEST(PhonebookPage, CountryCodeGoesInFrontOfTheNumber) {
    PhonebookRig rig;
    TUpisImenik& d = rig.page->UpisImenik();
    d.SetCountryPickerRunner([](TZemljeForm& f) {
        EXPECT_EQ(Find<QComboBox>(f, "ZemljeCB").currentText(), "Croatia");
        return int(QDialog::Accepted);
    });
    QLineEdit& number = Find<QLineEdit>(d, "TelEdit");
    number.setText("0911234567");
    d.Button3Click();
    EXPECT_EQ(number.text(), "+385911234567");
    number.clear();
    d.Button3Click();
    EXPECT_EQ(number.text(), "+385");
    // Without a list the code is empty and the number stays.
    EXPECT_EQ(AddCountryCode("0911234567", ""), "0911234567");
    TZemljeForm none(rig.home.QDir());
    none.SelectCountry("Croatia");
    EXPECT_TRUE(none.CallingCode().isEmpty());
}

}  // namespace
}  // namespace parlenko::ui
