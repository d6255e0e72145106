#pragma once
// The contacts exchange (TOutlookContForm of the exchange windows) as the
// main window and the phonebook page use it.

#include <string>

namespace parlenko::ui {

class IContactsExchange {
public:
    virtual ~IContactsExchange() = default;
    // The contacts store can be opened (its storage folder exists or can be made).
    virtual bool Available() const = 0;
    // Opens the exchange window modally.
    virtual void Open() = 0;
    // One phonebook entry (Windows-1252) into the store as a new contact, its
    // number in field 10 home, 20 mobile, 30 business, 40 business 2 or 50
    // company, in the folder the folder window chooses; true when saved.
    virtual bool SaveEntry(const std::string& name, const std::string& number, int field) = 0;
    // The phonebook changed: the exchange window's list follows while shown.
    virtual void PhonebookChanged() = 0;
};

}  // namespace parlenko::ui
