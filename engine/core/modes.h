#pragma once
// Activity modes of the main window. The mode picks the progress window's
// picture and keeps the exchange time-out silent during the Outlook
// exchanges; the receive handler itself is steered by the pending operations.
// The numbers are the progress window's picture numbers.

namespace parlenko {

enum class ActivityMode {
    Phonebook = 0,
    Sms = 1,
    Calls = 2,
    Appointments = 3,
    OutlookContacts = 5,
    OutlookCalendar = 6,
    Diverts = 7,
    Barrings = 10,
    MelodyUpload = 13,
    LogoUpload = 14,
};

}  // namespace parlenko
