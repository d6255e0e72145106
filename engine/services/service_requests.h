#pragma once
// What the diverts, barrings and locks pages start. Each sends only the
// first command; the answers carry the operation on (service_answers.h,
// service_actions.h). Nothing is sent while the port is closed; a change
// whose arguments could not make a valid command line is refused (false)
// and nothing is sent.

#include "engine/core/engine_context.h"

#include <string_view>

namespace parlenko {

// The divert check: the twelve divert indicators off and their numbers and
// times blank, the change button off, the progress window shown, then the
// four reasons asked one after another.
void CheckDiverts(EngineContext& ctx);
// Switches the divert of reason (0 always, 1 busy, 2 no reply, 3 not
// reachable) for class (1 voice, 2 data, 4 fax) on to number, or off;
// time: the no-reply seconds (reason 2), digits or empty. The number must
// be a phone number ("+", "*", "#" and digits, not empty).
bool SetDivert(EngineContext& ctx, int reason, std::string_view number, int cls,
               std::string_view time, bool on);

// The barring check: the fifteen barring indicators off, the change button
// off, the progress window shown, then "AO", "OI", "OX", "AI", "IR" asked.
void CheckBarrings(EngineContext& ctx);
// Switches barring facility (5 "AO" .. 9 "IR") on or off for class (1, 2, 4)
// with the network password (4 digits).
bool SetBarring(EngineContext& ctx, int facility, bool on, int cls, std::string_view password);

// The lock check: "CS", "PS", "SC", "FD" asked one after another.
void CheckLocks(EngineContext& ctx);
// Locks or unlocks facility (1 "CS" keypad, 2 "PS" phone, 3 "SC" SIM PIN,
// 4 "FD" fixed dialling) with its code, 4 to 8 digits (the keypad needs none).
bool SetLock(EngineContext& ctx, int facility, bool on, std::string_view password);

// Changes the security code of kind (1 "SC" .. 8 "IR", PasswordFacilities);
// both codes as IsValidSecurityCode takes them (kinds 4..8 the network's
// 4-digit password).
bool ChangeSecurityCode(EngineContext& ctx, int kind, std::string_view oldCode,
                        std::string_view newCode);

}  // namespace parlenko
