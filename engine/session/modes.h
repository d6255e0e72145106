#pragma once
// Activity modes of the main window. The mode picks the progress window's
// picture and keeps the exchange time-out silent during the Outlook
// exchanges; the receive handler itself is steered by the pending flags.

namespace parlenko {

inline constexpr int mdPhonebook = 0;
inline constexpr int mdSms = 1;
inline constexpr int mdCalls = 2;
inline constexpr int mdAppointments = 3;
inline constexpr int mdOutlookContacts = 5;
inline constexpr int mdOutlookCalendar = 6;
inline constexpr int mdDiverts = 7;
inline constexpr int mdBarrings = 10;
inline constexpr int mdMelodyUpload = 13;
inline constexpr int mdLogoUpload = 14;

}  // namespace parlenko
