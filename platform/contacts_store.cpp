#include "platform/contacts_store.h"

namespace parlenko::platform {

// No store is provided on this platform yet, so the exchange stays disabled.
bool ContactsStoreAvailable() { return false; }

}  // namespace parlenko::platform
