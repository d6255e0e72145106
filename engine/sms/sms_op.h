#pragma once
// The SMS operation in flight: at most one. PhoneEngine starts it (with
// what it acts on) and selects its message memory; the selection's "OK"
// sends its command; the command's "OK" completes it or moves it on to its
// next step. A failure or the exchange time-out drops it (ClearSmsOp); only
// a store that met a full memory keeps it, for its retry in "ME".

#include "engine/phone/phone_memory.h"

#include <string>
#include <variant>

namespace parlenko {

// Delete the message at Position of Memory ("AT+CMGD=").
struct SmsDelete {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Position;
};

// Store a new message ("AT+CMGW=" and the PDU at the prompt).
struct SmsStore {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Pdu;
};

// Send a new message at once ("AT+CMGS=" and the PDU at the prompt).
struct SmsSend {};

// Send a stored message ("AT+CMSS=" with Args: the position, or the
// position, a comma and another number).
struct SmsSendStored {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Args;
};

// Replace a stored message with a new version: the new one is stored first,
// the original is deleted only after that store's "OK", then, when asked,
// the new one is sent.
struct SmsEdit {
    enum class Step { Store, DeleteOriginal, SendNew };
    PhoneMemory Memory = PhoneMemory::Sim;  // of the original, and where the new one goes
    std::string OriginalPosition;
    std::string Pdu;
    bool SendAfter = false;
    Step Now = Step::Store;
    PhoneMemory NewMemory = PhoneMemory::Sim;  // where the store put it (a full memory moves it)
    std::string NewPosition;
};

// Read the message a "+CMTI:"/"+CDSI:" notice named.
struct SmsReadNew {
    PhoneMemory Memory = PhoneMemory::Sim;
    std::string Index;
};

using SmsOp =
    std::variant<std::monostate, SmsDelete, SmsStore, SmsSend, SmsSendStored, SmsEdit, SmsReadNew>;

inline bool IsReadingNewSms(const SmsOp& op) { return std::holds_alternative<SmsReadNew>(op); }
inline bool HasSmsOp(const SmsOp& op) { return !std::holds_alternative<std::monostate>(op); }
inline void ClearSmsOp(SmsOp& op) { op = std::monostate{}; }

}  // namespace parlenko
