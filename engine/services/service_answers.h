#pragma once
// The answers of the divert queries ("+CCFC:") and of the lock and barring
// queries ("+CLCK:"). Each line lights its indicator on the services view;
// the last line of an answer moves the running check on to its next query:
//
//   divert check   DivertStep 0..4    reasons 0, 1, 2, 3 (25, 50, 75 %)
//   lock check     BarringStep 1..5   "CS", "PS", "SC", "FD"
//   barring check  BarringStep 5..10  "AO", "OI", "OX", "AI", "IR" (20..80 %)
//
// The final-result actions (service_actions.h) advance the step by one per
// answered query before the last line is handed here. After a single change
// the steps hold kSwitchedOn or kSwitchedOff and the check tables do nothing.

#include "engine/core/engine_context.h"

#include <optional>
#include <string>
#include <string_view>

namespace parlenko {

// "+CCFC: <status>,<class>[,"<number>",<type>[,,,<time>]]".
struct DivertLine {
    bool active = false;
    long long cls = 0;   // the class field as a whole number (1 voice, 2 data, 4 fax, ...)
    std::string number;  // "" when the line names none
    std::string time;    // no-reply seconds, "" when the line gives none
};
// nullopt unless the line is "+CCFC:" with a status and a class number.
std::optional<DivertLine> ParseCcfcLine(std::string_view line);

// "+CLCK: <status>[,<class>]".
struct LockLine {
    bool active = false;
    std::optional<long long> cls;  // a lock's line names no class
};
// nullopt unless the line is "+CLCK:" with a status number.
std::optional<LockLine> ParseClckLine(std::string_view line);

// The echoed divert line "AT+CCFC=<reason>,<mode>,...".
struct DivertEcho {
    std::optional<long long> reason;
    std::optional<long long> mode;
};
DivertEcho ParseCcfcEcho(std::string_view echo);

// The echoed lock line "AT+CLCK="<facility>",<mode>[,<password>[,<class>]]".
struct LockEcho {
    std::optional<int> facility;  // index into LockFacilities, 1..9
    std::optional<long long> mode;
    std::optional<long long> cls;
};
LockEcho ParseClckEcho(std::string_view echo);

// 1..9 for a code of LockFacilities; nullopt for any other text.
std::optional<int> LockFacilityIndex(std::string_view code);
// The page column of a call class: 0 voice (1), 1 data (2), 2 fax (4);
// nullopt for every other class.
std::optional<int> ClassColumn(long long cls);

// One line of the answer to the divert query of reason (0..3; any other
// reason lights nothing). last: the answer's last line, which moves the
// divert check on (or closes its progress window after reason 3). An empty
// line lights nothing but still counts as the answer's end when last.
void HandleCcfcAnswer(EngineContext& ctx, int reason, const std::string& line, bool last);
// The echo of an accepted divert change: mode 3 records kSwitchedOn, mode 0
// kSwitchedOff, and the reason is queried again; its answer sets the
// indicators and shows the success text.
void HandleCcfcChangeEcho(EngineContext& ctx, const std::string& echo);

// The same for the lock and barring queries; facilityIndex 1..9, anything
// else lights nothing.
void HandleClckAnswer(EngineContext& ctx, int facilityIndex, const std::string& line, bool last);
// The echo of an accepted lock or barring change: mode 1 records
// kSwitchedOn, mode 0 kSwitchedOff. A barring switched on first shows the
// other barrings of its group (outgoing "AO", "OI", "OX" or incoming "AI",
// "IR") off for its class, as the phone switches them off. Then the
// facility is queried again.
void HandleClckChangeEcho(EngineContext& ctx, const std::string& echo);

// --- the services page's indicators (services_view.h numbers) ---------------
void ShowDivert(EngineContext& ctx, int number, int picture, const std::string& divertNumber);
void ShowDivertTime(EngineContext& ctx, int column, const std::string& seconds);
void ShowBarring(EngineContext& ctx, int number, int picture);
void ShowLock(EngineContext& ctx, int number, int picture);
void EnableDivertButton(EngineContext& ctx, bool enabled);
void EnableBarringButton(EngineContext& ctx, bool enabled);
void ShowCheckProgress(EngineContext& ctx);

}  // namespace parlenko
