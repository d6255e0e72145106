#pragma once
// A message the compose window hands to the engine to store, send or put in
// place of a stored one (PhoneEngine::StoreSms, SendSms, EditStoredSms): the
// values the window holds; the engine builds the PDU and the commands
// itself. And what became of it at once.

#include <string>

namespace parlenko {

struct ComposedSms {
    std::string Number;  // the recipient as typed, trimmed; empty for a message only stored
    std::string Text;    // Windows-1252, line breaks CR LF
    int ValidityValue = 1;
    int ValidityUnit = 3;  // 0 minutes, 1 hours, 2 days, 3 weeks
    bool StatusReport = false;
    bool Flash = false;  // shown at once on arrival (sent as UCS2, class 0)
};

enum class ComposedSmsResult {
    Started,        // the phone works on it; the SMS view hears ComposedMessageDone
    NotStarted,     // nothing sent: not connected (or no stored message to replace)
    InvalidNumber,  // refused: a "+" elsewhere than in front of the number
    TextTooLong,    // refused: more than a message holds (160 septets, 140 UCS2 octets)
};

}  // namespace parlenko
