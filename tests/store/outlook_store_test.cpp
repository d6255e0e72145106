// The object layer over vdir folders: settings, collections, items, saving.
// CI runs as root, so failures are made with plain files where folders belong.
#include "exchange/store/outlook_store.h"

#include "exchange/store/vdir.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace parlenko::exchange::store {
namespace {

namespace fs = std::filesystem;

class Store : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "Europe/Zagreb", 1);
        ::tzset();
        settings = ResolveStoreSettings(dir.path(), {});
    }
    void Put(const std::string& path, const std::string& bytes) const {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Every entry below the folder, relative and sorted.
    std::vector<std::string> Tree(const std::string& folder) const {
        std::vector<std::string> all;
        for (const auto& e : fs::recursive_directory_iterator(folder))
            all.push_back(fs::relative(e.path(), folder).string());
        std::sort(all.begin(), all.end());
        return all;
    }
    NameSpace LoggedOn() const {
        NameSpace ns = Application(settings).GetNamespace("MAPI");
        ns.Logon();
        return ns;
    }
    parlenko::testing::TempDir dir{"parlenko-store"};
    StoreSettings settings;
};

TEST_F(Store, SettingsAndAvailability) {
    ::setenv("HOME", "/home/ana", 1);
    EXPECT_EQ(ResolveStoreSettings("/data/", {"~/.contacts", "personal", "cal", ""}),
              (StoreSettings{"/home/ana/.contacts", "personal", "/data/cal", "default"}));
    EXPECT_EQ(settings.Contacts, dir.path() + "/contacts");
    EXPECT_TRUE(StoreAvailable(settings));  // not there yet, can be made
    Put(settings.Contacts, "plain file");
    EXPECT_FALSE(StoreAvailable(settings));
    auto s = settings;
    s.Contacts = settings.Contacts + "/below";
    EXPECT_FALSE(StoreAvailable(s));
    s = ResolveStoreSettings(dir.path(), {"other", "../up", "", ""});
    EXPECT_FALSE(StoreAvailable(s));
    EXPECT_THROW(Application(settings).GetNamespace("MAPI").Logon(), StoreError);
    EXPECT_THROW(Application(settings).GetNamespace("PST"), StoreError);
}

TEST_F(Store, LogonMakesTheDefaultCollectionsAndKeepsExistingOnes) {
    Put(settings.Calendars + "/home/displayname", "Doma\n");
    settings.CalendarDefault = "home";
    const NameSpace ns = LoggedOn();
    EXPECT_EQ(ns.GetDefaultFolder(olFolderContacts).Name(), "Contacts");
    EXPECT_EQ(ns.GetDefaultFolder(olFolderCalendar).Name(), "Doma");
    EXPECT_EQ(
        Tree(dir.path()),
        (std::vector<std::string>{"calendars", "calendars/home", "calendars/home/displayname",
                                  "contacts", "contacts/default", "contacts/default/displayname"}));
    EXPECT_THROW(ns.GetDefaultFolder(6), StoreError);
}

TEST_F(Store, ItemsCountEveryFileButOnlyContactsAreContacts) {
    const Folder contacts = LoggedOn().GetDefaultFolder(olFolderContacts);
    const std::string d = contacts.Path();
    Put(d + "/b.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Bob\nTEL;TYPE=CELL:091\nEND:VCARD\n");
    Put(d + "/a.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Ana\nTEL:01\nEND:VCARD\n");
    Put(d + "/g.vcf", "BEGIN:VCARD\nVERSION:4.0\nKIND:group\nFN:Team\nEND:VCARD\n");
    Put(d + "/x.vcf", "garbage");
    Put(d + "/.hidden.vcf", "BEGIN:VCARD\nFN:Hidden\nEND:VCARD\n");
    Put(d + "/notes.txt", "not an item");
    const auto t = fs::file_time_type::clock::now();
    int age = 4;
    for (const char* name : {"b.vcf", "g.vcf", "a.vcf", "x.vcf"})
        fs::last_write_time(d + "/" + name, t - std::chrono::hours(age--));

    const Items items = contacts.GetItems();
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Item(1).AsContactItem().FullName(), "Bob");
    EXPECT_EQ(items.Item(1).AsContactItem().MobileTelephoneNumber(), "091");
    EXPECT_THROW(items.Item(2).AsContactItem(), StoreError);
    EXPECT_EQ(items.Item(3).AsContactItem().HomeTelephoneNumber(), "01");
    EXPECT_FALSE(items.Item(4).IsContactItem());
    EXPECT_THROW(items.Item(0), StoreError);
    EXPECT_THROW(items.Item(5), StoreError);
    // What was read is a snapshot; it is not written back.
    auto read = items.Item(1).AsContactItem();
    EXPECT_THROW(read.Save(), StoreError);
}

TEST_F(Store, AddAndRemoveCollections) {
    Folders folders = LoggedOn().GetDefaultFolder(olFolderContacts).GetFolders();
    EXPECT_EQ(folders.Count(), 0);
    folders.Add("Posao", olFolderContacts);
    EXPECT_THROW(folders.Add("posao", olFolderContacts), StoreError);
    EXPECT_THROW(folders.Add(" Posao\t", olFolderContacts), StoreError);
    folders.Add("\xC5\xA0uma", olFolderContacts);  // Šuma
    EXPECT_THROW(folders.Add("\xC5\xA1UMA", olFolderContacts), StoreError);
    EXPECT_THROW(folders.Add("contacts", olFolderContacts), StoreError);  // the default's Name
    EXPECT_THROW(folders.Add("  ", olFolderContacts), StoreError);
    EXPECT_THROW(folders.Add("Kalendar", olFolderCalendar), StoreError);
    folders.Add("../x", olFolderContacts);
    folders.Add("a/b", olFolderContacts);
    fs::create_directories(settings.Contacts + "/.cache");
    ASSERT_EQ(folders.Count(), 4);
    EXPECT_EQ(folders.Item(1).Name(), "../x");
    EXPECT_EQ(folders.Item(2).Name(), "a/b");
    EXPECT_EQ(folders.Item(3).Name(), "Posao");
    EXPECT_EQ(folders.Item(4).Name(), "\xC5\xA0uma");
    EXPECT_EQ(folders.Item(1).Path(), settings.Contacts + "/_._x");
    EXPECT_EQ(folders.Item(2).Path(), settings.Contacts + "/a_b");
    EXPECT_EQ(folders.Item(1).GetFolders().Count(), 0);

    folders.Remove(3);
    folders.Add("Posao", olFolderContacts);  // the name is free again
    folders.Remove(3);
    EXPECT_EQ(folders.Count(), 3);
    EXPECT_TRUE(fs::is_directory(settings.Contacts + "/.deleted/Posao"));
    EXPECT_TRUE(fs::is_directory(settings.Contacts + "/.deleted/Posao-2"));
    EXPECT_EQ(LoggedOn().GetDefaultFolder(olFolderContacts).GetFolders().Count(), 3);
}

TEST_F(Store, NewContactsAreSavedAndMoved) {
    const NameSpace ns = LoggedOn();
    const Folder posao = ns.GetDefaultFolder(olFolderContacts).GetFolders().Add("Posao", 10);
    const Application app(settings);
    ContactItem c = app.CreateItem(olContactItem).AsContactItem();
    EXPECT_THROW(app.CreateItem(olContactItem).AsAppointmentItem(), StoreError);
    c.SetFullName("Ana");
    c.SetMobileTelephoneNumber("+385911234567");
    c.Save();
    const std::string uid = fs::path(c.Path()).stem().string();
    EXPECT_EQ(c.Path(), settings.Contacts + "/default/" + uid + ".vcf");
    c.Move(posao);
    EXPECT_EQ(ns.GetDefaultFolder(olFolderContacts).GetItems().Count(), 0);
    const Items there = posao.GetItems();
    ASSERT_EQ(there.Count(), 1);
    EXPECT_EQ(there.Item(1).AsContactItem().Fields(), c.Fields());
    std::ifstream in(c.Path());
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("UID:" + uid + "\r\n"), std::string::npos);
}

TEST_F(Store, AFailedSaveLeavesNoFile) {
    LoggedOn();
    fs::remove_all(settings.Contacts + "/default");
    Put(settings.Contacts + "/default", "");
    ContactItem c = Application(settings).CreateItem(olContactItem).AsContactItem();
    c.SetFullName("Ana");
    EXPECT_THROW(c.Save(), StoreError);
    EXPECT_EQ(c.Path(), "");
    EXPECT_EQ(Tree(settings.Contacts), std::vector<std::string>{"default"});
}

TEST_F(Store, AppointmentsAreWrittenAndReadBack) {
    const Folder calendar = LoggedOn().GetDefaultFolder(olFolderCalendar);
    const Application app(settings);
    AppointmentItem a = app.CreateItem(olAppointmentItem).AsAppointmentItem();
    EXPECT_THROW(a.SetStart({2026, 2, 29, 10, 0, 0}), StoreError);
    EXPECT_THROW(a.Save(), StoreError);  // no start yet
    a.SetSubject("Sastanak");
    a.SetCategories("Meeting");
    a.SetStart({2026, 12, 7, 10, 15, 0});
    EXPECT_FALSE(a.IsRecurring());
    a.GetRecurrencePattern().SetRecurrenceType(olRecursMonthly);
    EXPECT_THROW(a.GetRecurrencePattern().SetRecurrenceType(4), StoreError);
    a.SetReminderSet(true);
    a.Save();

    AppointmentItem once = app.CreateItem(olAppointmentItem).AsAppointmentItem();
    once.SetSubject("Once");
    once.SetStart({2026, 12, 8, 9, 0, 0});
    once.GetRecurrencePattern().SetRecurrenceType(olRecursDaily);
    once.ClearRecurrencePattern();
    once.Save();
    fs::last_write_time(once.Path(), fs::last_write_time(a.Path()) + std::chrono::seconds(5));

    Put(calendar.Path() + "/todo.ics",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:t\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    fs::last_write_time(calendar.Path() + "/todo.ics",
                        fs::last_write_time(a.Path()) + std::chrono::seconds(10));
    const Items items = calendar.GetItems();
    ASSERT_EQ(items.Count(), 3);
    AppointmentItem back = items.Item(1).AsAppointmentItem();
    EXPECT_EQ(back.Subject(), "Sastanak");
    EXPECT_EQ(back.Categories(), "Meeting");
    EXPECT_EQ(back.Start(), (LocalDateTime{2026, 12, 7, 10, 15, 0}));
    EXPECT_TRUE(back.ReminderSet());
    EXPECT_TRUE(back.IsRecurring());
    EXPECT_EQ(back.GetRecurrencePattern().RecurrenceType(), olRecursMonthly);
    const AppointmentItem second = items.Item(2).AsAppointmentItem();
    EXPECT_EQ(second.Subject(), "Once");
    EXPECT_FALSE(second.IsRecurring());
    EXPECT_FALSE(second.ReminderSet());
    EXPECT_FALSE(items.Item(3).IsAppointmentItem());
}

}  // namespace
}  // namespace parlenko::exchange::store
