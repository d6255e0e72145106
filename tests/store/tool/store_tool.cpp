// Writes and lists items of the store from the command line, for the checks
// that let khard, khal and python3-icalendar read what the store writes (and
// the store read what they write). Storage folders come first; each default
// collection is "default".
//   store_tool CONTACTS CALENDARS add-contact NAME home|mobile|work1|work2|company NUMBER [FOLDER]
//   store_tool CONTACTS CALENDARS list-contacts [FOLDER]
//   store_tool CONTACTS CALENDARS add-appointment SUBJECT CATEGORIES dd.mm.yyyy hh:mm:ss
//                                 Once|Daily|Weekly|Monthly|Annualy 0|1 [BODY]
//   store_tool CONTACTS CALENDARS list-appointments
// A list prints one line per item, fields separated by "|"; items that are
// not of the kind print "-".
#include "exchange/store/outlook_store.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

using namespace parlenko::exchange::store;

namespace {

Folder ContactsFolder(const NameSpace& ns, const std::string& name) {
    Folder root = ns.GetDefaultFolder(olFolderContacts);
    if (name.empty()) return root;
    Folders folders = root.GetFolders();
    for (long i = 1; i <= folders.Count(); ++i)
        if (folders.Item(i).Name() == name) return folders.Item(i);
    return folders.Add(name, olFolderContacts);
}

int Run(const std::vector<std::string>& a) {
    const Application app(StoreSettings{a[0], "default", a[1], "default"});
    NameSpace ns = app.GetNamespace("MAPI");
    ns.Logon();
    const std::string& command = a[2];
    if (command == "add-contact" && a.size() >= 6) {
        ContactItem c = app.CreateItem(olContactItem).AsContactItem();
        c.SetFullName(a[3]);
        const std::string& field = a[4];
        if (field == "home") c.SetHomeTelephoneNumber(a[5]);
        if (field == "mobile") c.SetMobileTelephoneNumber(a[5]);
        if (field == "work1") c.SetBusinessTelephoneNumber(a[5]);
        if (field == "work2") c.SetBusiness2TelephoneNumber(a[5]);
        if (field == "company") c.SetCompanyMainTelephoneNumber(a[5]);
        c.Save();
        if (a.size() > 6) c.Move(ContactsFolder(ns, a[6]));
        std::cout << c.Path() << "\n";
        return 0;
    }
    if (command == "list-contacts") {
        const Items items = ContactsFolder(ns, a.size() > 3 ? a[3] : "").GetItems();
        for (long i = 1; i <= items.Count(); ++i) {
            const StoreItem item = items.Item(i);
            if (!item.IsContactItem()) {
                std::cout << "-\n";
                continue;
            }
            const ContactItem c = item.AsContactItem();
            std::cout << c.FullName() << "|" << c.HomeTelephoneNumber() << "|"
                      << c.MobileTelephoneNumber() << "|" << c.BusinessTelephoneNumber() << "|"
                      << c.Business2TelephoneNumber() << "|" << c.CompanyMainTelephoneNumber()
                      << "\n";
        }
        return 0;
    }
    if (command == "add-appointment" && a.size() >= 9) {
        AppointmentItem item = app.CreateItem(olAppointmentItem).AsAppointmentItem();
        LocalDateTime start;
        if (std::sscanf(a[5].c_str(), "%d.%d.%d", &start.Day, &start.Month, &start.Year) != 3 ||
            std::sscanf(a[6].c_str(), "%d:%d:%d", &start.Hour, &start.Minute, &start.Second) != 3)
            return 2;
        item.SetSubject(a[3]);
        item.SetCategories(a[4]);
        item.SetStart(start);
        const std::string& rec = a[7];
        if (rec == "Once") {
            item.ClearRecurrencePattern();
        } else {
            item.GetRecurrencePattern().SetRecurrenceType(rec == "Weekly"    ? olRecursWeekly
                                                          : rec == "Monthly" ? olRecursMonthly
                                                          : rec == "Annualy" ? olRecursYearly
                                                                             : olRecursDaily);
        }
        item.SetReminderSet(a[8] == "1");
        if (a.size() > 9) item.SetBody(a[9]);
        item.Save();
        std::cout << item.Path() << "\n";
        return 0;
    }
    if (command == "list-appointments") {
        const Items items = ns.GetDefaultFolder(olFolderCalendar).GetItems();
        for (long i = 1; i <= items.Count(); ++i) {
            const StoreItem item = items.Item(i);
            if (!item.IsAppointmentItem()) {
                std::cout << "-\n";
                continue;
            }
            AppointmentItem ap = item.AsAppointmentItem();
            const char* rec = "Once";
            if (ap.IsRecurring()) {
                switch (ap.GetRecurrencePattern().RecurrenceType()) {
                    case olRecursWeekly: rec = "Weekly"; break;
                    case olRecursMonthly:
                    case olRecursMonthNth: rec = "Monthly"; break;
                    case olRecursYearly:
                    case olRecursYearNth: rec = "Annualy"; break;
                    default: rec = "Daily";
                }
            }
            const LocalDateTime& s = ap.Start();
            char when[40];
            std::snprintf(when, sizeof when, "%02d.%02d.%04d|%02d:%02d:%02d", s.Day, s.Month,
                          s.Year, s.Hour, s.Minute, s.Second);
            std::cout << ap.Subject() << "|" << ap.Categories() << "|" << when << "|" << rec << "|"
                      << (ap.ReminderSet() ? "Active" : "Not active")
                      << (ap.Body().empty() ? "" : "|" + ap.Body()) << "\n";
        }
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 3) {
        std::cerr << "usage: store_tool CONTACTS CALENDARS COMMAND ...\n";
        return 2;
    }
    try {
        return Run(args);
    } catch (const StoreError& e) {
        std::cerr << "store_tool: " << e.what() << "\n";
        return 1;
    }
}
