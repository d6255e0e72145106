#pragma once
// The operations a user starts on a connected phone, as one table, for the
// tests that walk each of them through a misbehaving phone at every command
// it writes (the cable pulled, an error, silence, a stray line):
//
//   for (const PhoneOperation& op : PhoneOperations()) {
//       const auto commands = CommandsOf(op);  // on a phone that never fails
//       for (std::size_t k = 0; k < commands.size(); ++k) {
//           ConnectedPhone t;                  // a fresh phone for each case
//           if (op.prepare) op.prepare(t);
//           ... the fault at command k ...
//           op.start(t);
//       }
//   }

#include "tests/support/engine_rig.h"

#include <functional>
#include <string>
#include <vector>

namespace parlenko::testing {

// Connected to the simulated S45 (answering 30 ms late, the general page not
// shown), the phonebook, the messages and the melodies read, nothing
// recorded yet. Then the phone gets one entry more in every phonebook
// memory, call list and message memory and in the calendar, behind the
// program's back: a read that runs to its end shows something else than the
// lists show now.
struct ConnectedPhone : SimPhoneRig {
    ConnectedPhone();
};

// What an operation reads or changes.
enum class PhoneList { None, Phonebook, CallLists, Messages, Appointments };

struct PhoneOperation {
    std::string name;
    std::function<void(ConnectedPhone&)> start;
    PhoneList list = PhoneList::None;
    bool read = false;  // it reads `list` anew (a write changes it)
    // A write or check has run to its end, as the user sees it (its success
    // text, the last answer shown); unset for the reads.
    std::function<bool(ConnectedPhone&)> done{};
    // What brings the phone to where the operation starts, before its first
    // command counts (unset: nothing).
    std::function<void(ConnectedPhone&)> prepare{};
};

std::vector<PhoneOperation> PhoneOperations();

// The command lines the operation writes on a phone that never fails.
std::vector<std::string> CommandsOf(const PhoneOperation& op);

}  // namespace parlenko::testing
