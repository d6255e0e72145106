#pragma once
// The references to the contacts and calendar store that the exchange windows
// and the pages' single-item commands share: the application made from the
// store settings of the moment, its namespace once logged on, and the default
// folders taken from it. One owner for the whole program; each window fills
// what it needs when it opens and logs off when it closes.

#include "exchange/store/outlook_store.h"

#include <functional>
#include <optional>

namespace parlenko::ui {

class TStoreSession {
public:
    // settings: read at every connect (the settings file may have changed).
    explicit TStoreSession(std::function<exchange::store::StoreSettings()> settings)
        : settings_(std::move(settings)) {}

    // "Outlook is installed": the storage folders exist or can be made.
    bool Available() const;

    // Connects OutlookApp anew from the settings; throws StoreError.
    exchange::store::Application& ConnectOutlookApp();
    // Connect, GetNamespace("MAPI") and Logon: OutlookNameSpace; throws StoreError.
    exchange::store::NameSpace& LogonNameSpace();
    // Logoff on OutlookNameSpace when held; never fails.
    void Logoff();

    std::optional<exchange::store::Application> OutlookApp;
    std::optional<exchange::store::NameSpace> OutlookNameSpace;
    std::optional<exchange::store::Folder> ContactsFolder;
    std::optional<exchange::store::Folder> CurrentContactsFolder;
    std::optional<exchange::store::Folder> CalendarFolder;

private:
    std::function<exchange::store::StoreSettings()> settings_;
};

}  // namespace parlenko::ui
