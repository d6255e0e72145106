#pragma once
// The references to the contacts and calendar store that the exchange windows
// and the pages' single-item commands share: the application made from the
// store settings of the moment, its namespace once logged on, and the default
// folders taken from it. One owner for the whole program; each window fills
// what it needs when it opens and logs off when it closes.

#include "exchange/store/outlook_store.h"

#include <functional>
#include <optional>

namespace parlenko::exchange {

class TStoreSession {
public:
    // settings: read at every connect (the settings file may have changed).
    explicit TStoreSession(std::function<store::StoreSettings()> settings)
        : settings_(std::move(settings)) {}

    // "Outlook is installed": the storage folders exist or can be made.
    bool Available() const;

    // Connects OutlookApp anew from the settings; throws StoreError.
    store::Application& ConnectOutlookApp();
    // Connect, GetNamespace("MAPI") and Logon: OutlookNameSpace; throws StoreError.
    store::NameSpace& LogonNameSpace();
    // Logoff on OutlookNameSpace when held; never fails.
    void Logoff();

    std::optional<store::Application> OutlookApp;
    std::optional<store::NameSpace> OutlookNameSpace;
    std::optional<store::Folder> ContactsFolder;
    std::optional<store::Folder> CurrentContactsFolder;
    std::optional<store::Folder> CalendarFolder;

private:
    std::function<store::StoreSettings()> settings_;
};

}  // namespace parlenko::exchange
