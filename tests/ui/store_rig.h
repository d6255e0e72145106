#pragma once
// The contacts and calendar store of a test's data folder.

#include "exchange/store/outlook_store.h"
#include "exchange/store/store_settings.h"

#include <string>

namespace parlenko::ui::testing {

// The store under dir (with its closing '/'): its default contacts and
// calendar collections.
inline exchange::store::StoreSettings StoreIn(const std::string& dir) {
    return {dir + "contacts", "default", dir + "calendars", "default"};
}

// Saves a contact with a name and a mobile number into app's store.
inline void SaveContact(exchange::store::Application& app, const std::string& name,
                        const std::string& mobile) {
    exchange::store::ContactItem c = app.CreateItem(exchange::store::olContactItem).AsContactItem();
    c.SetFullName(name);
    c.SetMobileTelephoneNumber(mobile);
    c.Save();
}

}  // namespace parlenko::ui::testing
