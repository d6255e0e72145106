#pragma once
// The object layer the exchange windows talk to, shaped like the part of
// Outlook's object model they use, over the vdir folders of store_settings.h:
//
//   Application app(settings);
//   NameSpace ns = app.GetNamespace("MAPI");
//   ns.Logon();                                  // makes the default collections
//   Folder contacts = ns.GetDefaultFolder(olFolderContacts);
//   Items items = contacts.GetItems();           // 1-based Item(i)
//   ContactItem c = app.CreateItem(olContactItem).AsContactItem();
//
// The default contacts folder (and likewise the calendar) is the default
// collection; its Folders are the other collections of the storage, sorted by
// Name. Items read from files are snapshots: changing one and saving it is
// refused, only new items are written. Texts are UTF-8: the phone's
// Windows-1252 goes in through Windows1252ToUtf8 and comes out through
// Utf8ToWindows1252 (exchange/formats/text_encoding.h). Every failure throws
// StoreError with an English text.

#include "exchange/formats/text_encoding.h"
#include "exchange/store/icalendar.h"
#include "exchange/store/store_settings.h"
#include "exchange/store/vcard.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace parlenko::exchange::store {

// The conversions the store's callers use on the way in and out.
using exchange::Utf8ToWindows1252;
using exchange::Windows1252ToUtf8;

inline constexpr int olAppointmentItem = 1;
inline constexpr int olContactItem = 2;
inline constexpr int olFolderCalendar = 9;
inline constexpr int olFolderContacts = 10;

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Folders;
class Items;

// One collection.
class Folder {
public:
    // The text of its "displayname" file, else its folder name.
    std::string Name() const;
    // The other collections when this is the default one; none otherwise.
    Folders GetFolders() const;
    // A snapshot of its item files by modification time.
    Items GetItems() const;
    int Type() const { return type_; }  // olFolderContacts or olFolderCalendar
    const std::string& Path() const { return path_; }
    bool IsDefault() const { return isDefault_; }

private:
    friend class NameSpace;
    friend class Folders;
    Folder(int type, std::string storage, std::string path, bool isDefault);
    int type_;
    std::string storage_;
    std::string path_;
    bool isDefault_;
};

// The collections under a default folder, 1-based.
class Folders {
public:
    long Count() const { return static_cast<long>(folders_.size()); }
    Folder Item(long index) const;
    // A new collection: its folder takes SafeFolderName(name), a numbered one
    // when that folder exists, and "displayname" keeps name as typed (on one
    // line, without blanks at its ends). Fails
    // when a collection of that Name exists (case ignored), for an empty name,
    // for a type other than the parent's, and under a folder that is no default.
    Folder Add(const std::string& name, int type);
    // Moves collection index into the storage's hidden ".deleted" folder.
    void Remove(long index);

private:
    friend class Folder;
    explicit Folders(const Folder& parent);
    void Refresh();
    Folder parent_;
    std::vector<Folder> folders_;
};

class ContactItem;
class AppointmentItem;

// An item of a folder, or a new one: ask for the kind it is.
class StoreItem {
public:
    bool IsContactItem() const { return contact_ != nullptr; }
    bool IsAppointmentItem() const { return appointment_ != nullptr; }
    // Throw when the item is not of that kind (a group card, a to-do, a broken file).
    ContactItem AsContactItem() const;
    AppointmentItem AsAppointmentItem() const;
    const std::string& Path() const { return path_; }

private:
    friend class Items;
    friend class Application;
    std::string path_;
    std::shared_ptr<const ContactItem> contact_;
    std::shared_ptr<const AppointmentItem> appointment_;
};

class Items {
public:
    long Count() const { return static_cast<long>(files_.size()); }
    // The file at 1-based index, read now.
    StoreItem Item(long index) const;

private:
    friend class Folder;
    Items(int type, std::vector<std::string> files) : type_(type), files_(std::move(files)) {}
    int type_;
    std::vector<std::string> files_;
};

class ContactItem {
public:
    const std::string& FullName() const { return fields_.FullName; }
    const std::string& HomeTelephoneNumber() const { return fields_.Home; }
    const std::string& MobileTelephoneNumber() const { return fields_.Mobile; }
    const std::string& BusinessTelephoneNumber() const { return fields_.Business; }
    const std::string& Business2TelephoneNumber() const { return fields_.Business2; }
    const std::string& CompanyMainTelephoneNumber() const { return fields_.CompanyMain; }
    void SetFullName(std::string v) { fields_.FullName = std::move(v); }
    void SetHomeTelephoneNumber(std::string v) { fields_.Home = std::move(v); }
    void SetMobileTelephoneNumber(std::string v) { fields_.Mobile = std::move(v); }
    void SetBusinessTelephoneNumber(std::string v) { fields_.Business = std::move(v); }
    void SetBusiness2TelephoneNumber(std::string v) { fields_.Business2 = std::move(v); }
    void SetCompanyMainTelephoneNumber(std::string v) { fields_.CompanyMain = std::move(v); }
    const ContactFields& Fields() const { return fields_; }

    // Writes "UID.vcf" (vCard 3.0) into its collection, atomically; a failure
    // leaves no file. Refused for a contact read from a file.
    void Save();
    // Moves the saved file into folder (a contacts collection) and returns
    // the contact there; an unsaved contact is saved there.
    ContactItem Move(const Folder& folder);
    // The file; empty until saved.
    const std::string& Path() const { return path_; }

private:
    friend class Application;
    friend class Items;
    ContactItem() = default;
    ContactFields fields_;
    std::string uid_;
    std::string collection_;  // where Save writes
    std::string path_;
    bool fromFile_ = false;
};

class RecurrencePattern {
public:
    int RecurrenceType() const { return type_; }
    // 0, 1, 2, 3, 5 or 6 (olRecursDaily ... olRecursYearNth); others throw.
    void SetRecurrenceType(int type);

private:
    int type_ = olRecursWeekly;  // the pattern a new series starts with
};

class AppointmentItem {
public:
    const std::string& Subject() const { return fields_.Subject; }
    const std::string& Categories() const { return fields_.Categories; }
    const std::string& Body() const { return fields_.Body; }
    const LocalDateTime& Start() const { return fields_.Start; }
    bool ReminderSet() const { return fields_.ReminderSet; }
    bool IsRecurring() const { return recurring_; }
    void SetSubject(std::string v) { fields_.Subject = std::move(v); }
    void SetCategories(std::string v) { fields_.Categories = std::move(v); }
    void SetBody(std::string v) { fields_.Body = std::move(v); }
    // A date and time that does not exist (31 February, 25:00) throws.
    void SetStart(const LocalDateTime& v);
    void SetReminderSet(bool v) { fields_.ReminderSet = v; }
    // The item's pattern; asking for it makes the item recurring.
    RecurrencePattern& GetRecurrencePattern();
    void ClearRecurrencePattern() { recurring_ = false; }
    // The fields as they will be written (RecurrenceType set when recurring).
    AppointmentFields Fields() const;

    // Writes "UID.ics" into the default calendar, atomically; a failure leaves
    // no file. Refused for an appointment read from a file.
    void Save();
    const std::string& Path() const { return path_; }

private:
    friend class Application;
    friend class Items;
    AppointmentItem() = default;
    AppointmentFields fields_;
    RecurrencePattern pattern_;
    bool recurring_ = false;
    std::string uid_;
    std::string collection_;
    std::string path_;
    bool fromFile_ = false;
};

class NameSpace {
public:
    // Makes both storage folders and both default collections when missing
    // (displayname "Contacts" and "Calendar").
    void Logon();
    void Logoff() { loggedOn_ = false; }
    bool LoggedOn() const { return loggedOn_; }
    // olFolderContacts or olFolderCalendar: the default collection, which must exist.
    Folder GetDefaultFolder(int type) const;

private:
    friend class Application;
    explicit NameSpace(StoreSettings settings) : settings_(std::move(settings)) {}
    StoreSettings settings_;
    bool loggedOn_ = false;
};

class Application {
public:
    explicit Application(StoreSettings settings) : settings_(std::move(settings)) {}
    // "MAPI" (any case) is the only namespace.
    NameSpace GetNamespace(const std::string& type) const;
    // olContactItem or olAppointmentItem, bound for the default collection.
    StoreItem CreateItem(int type) const;
    const StoreSettings& Settings() const { return settings_; }

private:
    StoreSettings settings_;
};

}  // namespace parlenko::exchange::store
