// The contacts exchange windows over a store in a temporary folder, with the
// simulated phone connected and its phonebook read: the contacts read with
// its progress window, the choice of a number and the pre-filled new entry,
// saving phonebook entries into a subfolder, adding and deleting subfolders,
// a storage that cannot be opened, and the cards khard writes.

#include "ui/exchange/outlook_cont_form.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/store/outlook_store.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/store_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/dialogs/citam_form.h"
#include "ui/exchange/store_session.h"
#include "ui/main_window/window_host.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

using testing::Find;

using ui::testing::DialogWatcher;
using ui::testing::Find;
using ui::testing::PumpUntil;

phonesim::PhoneState TwoEntries() {
    auto st = phonesim::MakeDefaultState();
    st.phonebooks["SM"].capacity = 5;
    st.phonebooks["SM"].entries = {{1, {"+385911111111", 145, "Ana!"}},
                                   {2, {"0912222222", 129, "Ivo"}}};
    st.phonebooks["ME"].capacity = 3;
    st.phonebooks["ME"].entries.clear();
    return st;
}

struct ExchangeRig {
    ExchangeRig() {
        port.Connect();
        engine.RefreshPhonebook();
        EXPECT_TRUE(PumpUntil([&] { return engine.PhonebookReadComplete(); }, 10000));
        settings = ui::testing::StoreIn(home.Dir());
    }
    // A card in collection (made when missing).
    void PutCard(const std::string& collection, const std::string& file, const std::string& card) {
        QDir().mkpath(QString::fromStdString(settings.Contacts + "/" + collection));
        QFile f(QString::fromStdString(settings.Contacts + "/" + collection + "/" + file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(card.data(), static_cast<qint64>(card.size()));
    }
    QTreeWidgetItem* Row(QTreeWidget& list, const QString& caption) {
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            if (list.topLevelItem(i)->text(0) == caption) return list.topLevelItem(i);
        return nullptr;
    }
    // A control of the exchange window, or of its folder window.
    template <class Control>
    Control& In(const char* name) {
        return Find<Control>(form, name);
    }
    template <class Control>
    Control& InFolders(const char* name) {
        return Find<Control>(form.OutFoldersForm(), name);
    }
    QTreeWidget& Contacts() { return In<QTreeWidget>("ContactsList"); }
    QTreeWidget& Phonebook() { return In<QTreeWidget>("PhonebookList"); }
    QComboBox& Folders() { return In<QComboBox>("OutFoldersCB"); }
    QTreeWidget& FolderTree() { return InFolders<QTreeWidget>("OutFoldersTV"); }
    exchange::store::Folder DefaultFolder() {
        exchange::store::NameSpace ns = exchange::store::Application(settings).GetNamespace("MAPI");
        ns.Logon();
        return ns.GetDefaultFolder(exchange::store::olFolderContacts);
    }

    struct AppFirst {
        AppFirst() { ui::testing::App(); }
    } app;
    ui::testing::TempHome home;
    ui::QtScheduler sched;
    parlenko::testing::SimSerialDevice device{sched, TwoEntries()};
    TSerialPortDriver port{device, sched};
    ui::TWindowHost host;
    PhoneEngine engine{port, sched, host};
    ui::TCitamForm citam{nullptr};
    exchange::store::StoreSettings settings;
    TStoreSession session{[this] { return settings; }};
    TOutlookContForm form{nullptr, engine, session, &citam};
};

constexpr char kSuma[] =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:s1\r\nFN:\xC5\xA0uma \xC4\x86uk \xC4\x8C"
    "a\xC5\xA1"
    "a \xC5\xBD"
    "abe\r\nTEL;TYPE=CELL:+385 (091) 234 567\r\nEND:VCARD\r\n";
constexpr char kNoNumbers[] =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:b1\r\nFN:Bez Broja\r\nEMAIL:b@x.hr\r\nEND:VCARD\r\n";
constexpr char kGroup[] =
    "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:g1\r\nKIND:group\r\nFN:Svi\r\nEND:VCARD\r\n";

std::string Card(const std::string& uid, const std::string& name) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + name +
           "\r\nTEL;TYPE=CELL:0911234567\r\nEND:VCARD\r\n";
}

TEST(OutlookContForm, ContactsAreInTheOrderOfTheUsersLanguage) {
    ExchangeRig rig;
    rig.DefaultFolder();
    // Croatian: "Č" and "Ć" after "C", "Đ" after "D" (not after "Z").
    const QStringList names = QString::fromUtf8("Zoran,Čedo,Cvijeta,Đuro,Dario,Ćiro").split(',');
    int uid = 0;
    for (const QString& n : names) {
        const std::string id = std::to_string(++uid);
        rig.PutCard("default", id + ".vcf", Card(id, n.toStdString()));
    }
    ASSERT_TRUE(rig.form.OpenStore());
    QStringList order;
    for (int i = 0; i < rig.Contacts().topLevelItemCount(); ++i)
        order << rig.Contacts().topLevelItem(i)->text(0);
    EXPECT_EQ(order, QString::fromUtf8("Cvijeta,Čedo,Ćiro,Dario,Đuro,Zoran").split(','));
}

TEST(OutlookContForm, ReadListsTheContactsAndAChosenNumberPreFillsTheNewEntry) {
    ExchangeRig rig;
    rig.DefaultFolder();  // made by the store, named "Contacts"
    rig.PutCard("default", "s1.vcf", kSuma);
    rig.PutCard("default", "b1.vcf", kNoNumbers);
    rig.PutCard("default", "g1.vcf", kGroup);
    std::string name, number;
    int newEntries = 0;
    QObject::connect(&rig.form, &TOutlookContForm::NewEntryFromContact,
                     [&](const std::string& n, const std::string& t) {
                         name = n;
                         number = t;
                         ++newEntries;
                     });
    ASSERT_TRUE(rig.form.OpenStore());
    rig.form.show();
    EXPECT_EQ(rig.citam.windowTitle(), "Reading contacts from the contacts folder . . .");
    EXPECT_EQ(Find<QLabel>(rig.citam, "LokacijaLab").text(), "Folder \"Contacts\"");
    EXPECT_EQ(Find<QLabel>(rig.citam, "UpisanoLab").text(), "3");  // the group counts as a position
    EXPECT_FALSE(rig.citam.isVisible());
    ASSERT_EQ(rig.Contacts().topLevelItemCount(), 2);
    EXPECT_EQ(rig.Folders().count(), 1);
    EXPECT_EQ(rig.Folders().currentText(), "Contacts");

    // No numbers: nothing to choose, nothing to save.
    rig.Contacts().setCurrentItem(rig.Row(rig.Contacts(), "Bez Broja"));
    for (const char* radio : {"HomeRB", "MobRB", "Work1RB", "Work2RB", "CompanyRB"})
        EXPECT_FALSE(rig.In<QRadioButton>(radio).isEnabled()) << radio;
    QPushButton& save = rig.In<QPushButton>("SaveBtn");
    EXPECT_FALSE(save.isEnabled());

    QTreeWidgetItem* suma = rig.Row(rig.Contacts(), QString::fromUtf8("Šuma Ćuk Čaša Žabe"));
    ASSERT_NE(suma, nullptr);
    rig.Contacts().setCurrentItem(suma);
    QRadioButton& mobile = rig.In<QRadioButton>("MobRB");
    EXPECT_EQ(rig.In<QLabel>("MobLab").text(), "+38591234567");
    EXPECT_TRUE(mobile.isEnabled());
    EXPECT_FALSE(rig.In<QRadioButton>("HomeRB").isEnabled());
    mobile.click();
    ASSERT_TRUE(save.isEnabled());
    // The phone cannot store the name whole: the user is asked first, and
    // No prefills nothing.
    const QString asked =
        QString::fromUtf8("   Šuma Ćuk Čaša Žabe   ( Š Ć Č š Ž )   ->   Suma Cuk Casa Za\n");
    {
        DialogWatcher no([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        save.click();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Unsupported characters");
        EXPECT_TRUE(no.Seen()[0].text.contains(asked)) << no.Seen()[0].text.toStdString();
        EXPECT_EQ(newEntries, 0);
    }
    // Yes: the Croatian letters as their plain letters, cut to 16.
    DialogWatcher yes([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
    save.click();
    ASSERT_EQ(yes.Seen().size(), 1u);
    EXPECT_EQ(newEntries, 1);
    EXPECT_EQ(name, "Suma Cuk Casa Za");
    EXPECT_EQ(number, "+38591234567");

    // Another contact clears the choice: no radio stays checked.
    rig.Contacts().setCurrentItem(rig.Row(rig.Contacts(), "Bez Broja"));
    rig.Contacts().setCurrentItem(suma);
    EXPECT_FALSE(mobile.isChecked());
    EXPECT_FALSE(save.isEnabled());
    rig.form.close();
}

TEST(OutlookContForm, EntriesSavedIntoASubfolderLieOnlyThereAndFoldersComeAndGo) {
    ExchangeRig rig;
    ASSERT_TRUE(rig.form.OpenStore());
    rig.form.show();
    QLineEdit& newName = rig.InFolders<QLineEdit>("Edit1");
    QPushButton& add = rig.InFolders<QPushButton>("Button1");
    QPushButton& remove = rig.InFolders<QPushButton>("Button3");

    newName.setText("Posao");
    ASSERT_TRUE(add.isEnabled());
    add.click();
    ASSERT_EQ(rig.Folders().count(), 2);
    EXPECT_EQ(rig.Folders().itemText(1), "Posao");
    EXPECT_TRUE(newName.text().isEmpty());

    // Ana (a VIP entry) and Ivo into "Posao" as mobile numbers.
    QTreeWidgetItem* ana = rig.Row(rig.Phonebook(), "Ana");
    QTreeWidgetItem* ivo = rig.Row(rig.Phonebook(), "Ivo");
    ASSERT_NE(ana, nullptr);
    ASSERT_NE(ivo, nullptr);
    rig.Phonebook().clearSelection();
    ana->setSelected(true);
    ivo->setSelected(true);
    EXPECT_TRUE(rig.In<QLabel>("PhoneSelLab").text().startsWith("2 of "));
    rig.In<QRadioButton>("OutMobRB").setChecked(true);
    QTimer::singleShot(0, [&] {
        QTreeWidgetItem* root = rig.FolderTree().topLevelItem(0);
        rig.FolderTree().setCurrentItem(root->child(0));
        EXPECT_TRUE(remove.isEnabled());
        rig.InFolders<QPushButton>("Button2").click();
    });
    {
        DialogWatcher ok;
        rig.In<QPushButton>("OutSaveBtn").click();
        ASSERT_EQ(ok.Seen().size(), 1u);
        EXPECT_EQ(ok.Seen()[0].text, "Entries succesfully saved in the contacts folder!");
    }
    exchange::store::Folder contacts = rig.DefaultFolder();
    EXPECT_EQ(contacts.GetItems().Count(), 0);
    ASSERT_EQ(contacts.GetFolders().Count(), 1);
    exchange::store::Items posao = contacts.GetFolders().Item(1).GetItems();
    ASSERT_EQ(posao.Count(), 2);
    std::map<std::string, std::string> saved;
    for (long i = 1; i <= posao.Count(); ++i) {
        const exchange::store::ContactItem c = posao.Item(i).AsContactItem();
        EXPECT_TRUE(c.HomeTelephoneNumber().empty());
        saved[c.FullName()] = c.MobileTelephoneNumber();
    }
    EXPECT_EQ(saved, (std::map<std::string, std::string>{{"Ana", "+385911111111"},
                                                         {"Ivo", "0912222222"}}));

    // The same name again: refused, the combo keeps its choice.
    rig.Folders().setCurrentIndex(1);
    {
        DialogWatcher ok;
        newName.setText("posao");
        add.click();
        ASSERT_EQ(ok.Seen().size(), 1u);
        EXPECT_EQ(ok.Seen()[0].text, "Folder you trying to add already exists!");
    }
    EXPECT_EQ(rig.Folders().count(), 2);
    EXPECT_EQ(rig.Folders().currentIndex(), 1);

    // The root is never deleted; the subfolder is, and nothing stays chosen.
    rig.FolderTree().setCurrentItem(rig.FolderTree().topLevelItem(0));
    EXPECT_FALSE(remove.isEnabled());
    {
        DialogWatcher none;
        remove.click();
        EXPECT_TRUE(none.Seen().empty());
    }
    rig.FolderTree().setCurrentItem(rig.FolderTree().topLevelItem(0)->child(0));
    {
        DialogWatcher yes([](ui::TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        remove.click();
        ASSERT_EQ(yes.Seen().size(), 1u);
    }
    EXPECT_EQ(rig.Folders().currentIndex(), -1);
    EXPECT_EQ(rig.Contacts().topLevelItemCount(), 0);
    EXPECT_EQ(rig.DefaultFolder().GetFolders().Count(), 0);
    rig.form.close();
}

// A folder the store cannot add for another cause than its name (here the
// contacts folder went away under the window) is reported with the store's
// reason, not as a folder that exists.
TEST(OutlookContForm, AFolderTheStoreCannotAddIsNotCalledExisting) {
    ExchangeRig rig;
    ASSERT_TRUE(rig.form.OpenStore());
    rig.form.show();
    const QString storage = QString::fromStdString(rig.settings.Contacts);
    ASSERT_TRUE(QDir().rename(storage, storage + ".away"));
    QFile blocker(storage);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    DialogWatcher ok;
    rig.InFolders<QLineEdit>("Edit1").setText("Posao");
    rig.InFolders<QPushButton>("Button1").click();
    ASSERT_EQ(ok.Seen().size(), 1u);
    EXPECT_TRUE(ok.Seen()[0].text.startsWith("Folder could not be added!"))
        << ok.Seen()[0].text.toStdString();
    rig.form.close();
}

// The store's list fills when the window opens and follows each write into
// the store; the phonebook list follows the phone.
TEST(OutlookContForm, TheListsFillOnOpeningAndAfterEachWrite) {
    ExchangeRig rig;
    rig.DefaultFolder();
    rig.PutCard("default", "b1.vcf", kNoNumbers);
    ASSERT_TRUE(rig.form.OpenStore());
    rig.form.show();
    EXPECT_EQ(rig.Contacts().topLevelItemCount(), 1);
    EXPECT_EQ(rig.Phonebook().topLevelItemCount(),
              static_cast<int>(rig.engine.PhonebookList().size()));
    rig.Phonebook().clearSelection();
    rig.Row(rig.Phonebook(), "Ivo")->setSelected(true);
    QTimer::singleShot(0, [&] { rig.InFolders<QPushButton>("Button2").click(); });  // the root
    {
        DialogWatcher ok;
        rig.In<QPushButton>("OutSaveBtn").click();
        ASSERT_EQ(ok.Seen().size(), 1u);
    }
    ASSERT_EQ(rig.Contacts().topLevelItemCount(), 2);
    EXPECT_NE(rig.Row(rig.Contacts(), "Ivo"), nullptr);
    rig.form.close();
}

// The phonebook page's single-entry command (Tag 10..50).
TEST(OutlookContForm, OneEntrySavedWithItsFieldIntoTheChosenFolder) {
    ExchangeRig rig;
    const auto accept = [&](int node) {
        QTimer::singleShot(0, [&rig, node] {
            QTreeWidgetItem* root = rig.FolderTree().topLevelItem(0);
            rig.FolderTree().setCurrentItem(node == 0 ? root : root->child(node - 1));
            rig.InFolders<QPushButton>("Button2").click();
        });
    };
    accept(0);
    EXPECT_TRUE(
        rig.form.SaveEntry("Mi\x9A"
                           "a",
                           "0913333333", 50));
    exchange::store::Items items = rig.DefaultFolder().GetItems();
    ASSERT_EQ(items.Count(), 1);
    const exchange::store::ContactItem c = items.Item(1).AsContactItem();
    EXPECT_EQ(c.FullName(),
              "Mi\xC5\xA1"
              "a");
    EXPECT_EQ(c.CompanyMainTelephoneNumber(), "0913333333");
    EXPECT_TRUE(c.HomeTelephoneNumber().empty());
}

// Each field number puts the number into its own store field, the home one
// for a number it does not know. (40, the second business number, is left
// out: the store's file reads a lone second work number back as the first.)
TEST(OutlookContForm, EachEntryFieldGoesIntoItsStoreField) {
    using Contact = exchange::store::ContactItem;
    const std::pair<int, const std::string& (Contact::*)() const> fields[] = {
        {10, &Contact::HomeTelephoneNumber},
        {20, &Contact::MobileTelephoneNumber},
        {30, &Contact::BusinessTelephoneNumber},
        {50, &Contact::CompanyMainTelephoneNumber},
        {25, &Contact::HomeTelephoneNumber}};
    for (const auto& [field, get] : fields) {
        ExchangeRig rig;
        QTimer::singleShot(0, [&rig] { rig.InFolders<QPushButton>("Button2").click(); });
        ASSERT_TRUE(rig.form.SaveEntry("Ana", "091", field));
        exchange::store::Items items = rig.DefaultFolder().GetItems();
        ASSERT_EQ(items.Count(), 1) << field;
        const Contact c = items.Item(1).AsContactItem();
        for (const auto& [otherField, other] : fields)
            EXPECT_EQ((c.*other)(), other == get ? "091" : "") << field << " " << otherField;
    }
}

TEST(OutlookContForm, AStorageThatIsAPlainFileOpensNothing) {
    ExchangeRig rig;
    QFile plain(QString::fromStdString(rig.settings.Contacts));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    DialogWatcher ok;
    EXPECT_FALSE(rig.form.OpenStore());
    ASSERT_EQ(ok.Seen().size(), 1u);
    EXPECT_EQ(ok.Seen()[0].caption, "Contacts folder");
    EXPECT_EQ(ok.Seen()[0].text, "Error occurred while trying to initialize the contacts folder!");
    EXPECT_FALSE(rig.form.isVisible());
}

TEST(OutlookContForm, NumbersLoseBlanksAndParenthesesAndNamesFitThePhone) {
    EXPECT_EQ(NormalizeOutlookNumber("+385 (01) 234 567"), "+3851234567");
    EXPECT_EQ(NormalizeOutlookNumber("(01) 4567-890"), "014567-890");
    EXPECT_EQ(NormalizeOutlookNumber("091 234 5678"), "0912345678");
    EXPECT_EQ(NormalizeOutlookNumber("+385 (01 234"), "+385(01234");
    const PhoneText kept = ToPhonebookName("Ärger € 12345678901234");
    EXPECT_EQ(kept.Text, "\xC4rger \x80 12345678");
    EXPECT_TRUE(kept.Changed.empty());
    const PhoneText emoji = ToPhonebookName("Ana \xF0\x9F\x98\x80");
    EXPECT_EQ(emoji.Text, "Ana ?");
    EXPECT_EQ(emoji.Changed, std::vector<std::string>{"\xF0\x9F\x98\x80"});
}

// Cards that khard writes (vCard 3.0 and 4.0) are listed with their numbers.
TEST(OutlookContForm, CardsKhardWritesAppearWithTheirNumbers) {
    const QString khard = QStandardPaths::findExecutable("khard");
    if (khard.isEmpty()) GTEST_SKIP() << "khard is not installed";
    ExchangeRig rig;
    const QString config = rig.home.QDir() + "khard.conf";
    {
        ASSERT_TRUE(rig.form.OpenStore());  // makes the default collection
        rig.form.close();
        QFile f(config);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("[addressbooks]\n[[parlenko]]\npath = " + rig.settings.Contacts +
                 "/default/\n[general]\neditor = /bin/true\nmerge_editor = /bin/true\n")
                    .c_str());
    }
    for (const auto& [version, first, last, cell] :
         {std::tuple{"3.0", "Ivo", "Kralj", "+385 (01) 234 5678"},
          std::tuple{"4.0", "Eva", "Novak", "+38598765432"}}) {
        const QString yaml = rig.home.QDir() + version + ".yaml";
        QFile f(yaml);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((std::string("First name : ") + first + "\nLast name : " + last +
                 "\nPhone :\n    cell : " + cell + "\n    work : 02 " + version + "\n")
                    .c_str());
        f.close();
        QProcess p;
        p.start(khard,
                {"-c", config, "new", "-a", "parlenko", "-i", yaml, "--vcard-version", version});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    ASSERT_TRUE(rig.form.OpenStore());
    ASSERT_EQ(rig.Contacts().topLevelItemCount(), 2);
    QTreeWidgetItem* ivo = rig.Row(rig.Contacts(), "Ivo Kralj");
    QTreeWidgetItem* eva = rig.Row(rig.Contacts(), "Eva Novak");
    ASSERT_NE(ivo, nullptr);
    ASSERT_NE(eva, nullptr);
    EXPECT_EQ(ivo->text(2), "+38512345678");  // Mobile
    EXPECT_EQ(ivo->text(3), "023.0");         // Business
    EXPECT_EQ(eva->text(2), "+38598765432");
    EXPECT_EQ(eva->text(3), "024.0");
}

}  // namespace
}  // namespace parlenko::ui
