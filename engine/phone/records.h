#pragma once
// The in-memory records of the phone's lists: one phonebook entry and one
// short message, all fields held as text the way the phone gives them:
// Windows-1252, but a message's text in UTF-8, since a UCS2 message carries
// letters that Windows-1252 has not.

#include <string>

namespace parlenko {

// One phonebook entry.
struct AListIme {
    std::string Name;  // a trailing "!" marks a VIP entry; shown without it
    std::string Phone;
    std::string
        Location;  // the memory: "SIM card", "Mobile memory", "Own numbers", "Service numbers"
    std::string Position;  // three digits, "001" upward
};

// One short message, in either folder.
struct AListSMS {
    std::string Number;  // sender or recipient
    std::string Smsc;
    std::string Date;      // dd.mm.yyyy
    std::string Time;      // hh:mm:ss
    std::string Location;  // the memory
    std::string Position;  // "0" in front below 10
    std::string Status;    // "0" unread, "1" read, "2" stored unsent, "3" stored sent
    std::string Validity;
    std::string Text;  // UTF-8, line breaks CR LF
};

}  // namespace parlenko
