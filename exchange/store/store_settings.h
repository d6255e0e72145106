#pragma once
// Where the contacts and the calendar live. Each is a storage folder whose
// subfolders are collections (vdir layout, as khard, khal and vdirsyncer use
// it): one ".vcf" or ".ics" file per item, and an optional "displayname" file
// naming the collection. One collection of each storage is the default one,
// where new items go. Folders whose name begins with "." are never collections.

#include <string>

namespace parlenko::exchange::store {

struct StoreSettings {
    std::string Contacts;         // storage folder of the address books
    std::string ContactsDefault;  // its default collection (a folder name)
    std::string Calendars;        // storage folder of the calendars
    std::string CalendarDefault;  // its default collection
    bool operator==(const StoreSettings&) const = default;
};

// The values as written in the settings file ("Parlenko.ini", group "Store",
// keys Contacts, ContactsDefault, Calendars, CalendarDefault) made usable: an
// empty value takes the default (dataDir + "contacts", "default",
// dataDir + "calendars", "default"); "~" and "~/..." are taken from $HOME and
// a relative folder from dataDir.
StoreSettings ResolveStoreSettings(const std::string& dataDir, const StoreSettings& written);

// True when both storage folders exist or can be made and neither is a plain
// file, and both default collection names are folder names.
bool StoreAvailable(const StoreSettings& settings);

}  // namespace parlenko::exchange::store
