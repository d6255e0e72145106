#pragma once
// Whether a contacts-and-calendar store is there to exchange entries with.
// The main window enables its exchange commands by it.

namespace parlenko::platform {

bool ContactsStoreAvailable();

}  // namespace parlenko::platform
