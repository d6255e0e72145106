#pragma once
// The echo rule: a final result ("OK", "ERROR") finds the command it answers
// by the command's echo a fixed number of entries above it in the received
// lines. The phone sends echo, blank, result for a command without an
// information line (echo at i - 2) and echo, blank, answer, blank, result
// for a command with one (answer at i - 2, echo at i - 4); an "ERROR"
// carries no information line, so its echo is always at i - 2.
//
// Entries are counted in turn (RxLineList::Above): a line the phone sent
// out of turn inside the exchange is not one of them.
//
// Commands are listed in tables of EchoAction rows, one row a command: its
// echo, how it is compared, where the echo stands above an "OK" and what
// that "OK" does (one layout for each form of its answer), and what "ERROR"
// and every other refusal do. A row compares the echo whole (commands
// without arguments) or by the row's text as a prefix (commands with
// arguments). Every layout of every row runs in turn on the same result,
// not as alternatives: a layout that matched blanked the echo and answer it
// used, which keeps later ones from matching them again.
//
// A refused body: when the phone refuses what followed a "> " prompt, the
// error comes right below the echoed body, and the command stands two
// entries above the body (echo, blank, "> " + body, error).
//
// Every final error form ("ERROR", "+CME ERROR: n", "+CMS ERROR: n") ends
// the operation that owns the exchange: a row's onRefused does that, and
// says nothing. Then the row's onError runs, for every form alike: it ends
// or skips the step, and its box (ShowRefusal) names the phone's reason when
// the phone gave one, else the command's own text: one box. Before that, a
// phone error runs the row's onPhoneError: what the code means for the
// command (a full memory stores elsewhere, an empty position moves a read
// on, a restore counts the entry), which may take the error over so that
// nothing more follows. A command the phone never answered is refused the
// same way by the time-out (EchoHit::silent).

#include "engine/conversation/scan_step.h"
#include "engine/core/engine_context.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace parlenko {

// What a plain "ERROR" to a refused body says (the packet of an upload, or
// a body whose command has no text of its own).
inline constexpr char kPacketFailed[] = "Error occurred while trying to send packet!";

enum class EchoCompare {
    Whole,   // the entry equals the text
    Prefix,  // the entry begins with the text
};

// What a matched row hands its action. The lines are copies, already blanked
// in the list (the list may change under a call out; never index it again
// for these).
struct EchoHit {
    int result = 0;     // entry of the "OK"/"ERROR"
    int echoEntry = 0;  // entry of the echo
    // Entries above and below the result are counted in turn: use
    // RxLineList::Above(result, n), never result - n.
    std::string echo;    // the echoed command line
    std::string answer;  // the information line at result - 2 (OK rows at distance 4)
    bool body = false;   // an error refused the body after the command's "> " prompt
    // A phone error only: its code (nullopt when the phone gave words
    // instead), and the phone's words for the refusal (the code's text, the
    // code itself when it has none, or the words it gave).
    std::optional<int> code;
    std::string reason;
    // The command got no answer at all: the time-out refuses it.
    bool silent = false;
};

using EchoHandler = ScanStep (*)(EngineContext& ctx, const EchoHit& hit);
// A row's own handling of "+CME ERROR: n"/"+CMS ERROR: n": the step to go on
// with when the row took the error over (no message follows), nullopt when
// the refusal goes on as every other (onRefused, the code's message).
using PhoneErrorHandler = std::optional<ScanStep> (*)(EngineContext& ctx, const EchoHit& hit);

enum class EchoBlanking {
    EchoAndAnswer,  // the runner blanks the echo and, at distance 4, the answer
    ByAction,       // the action blanks what it used (odd layouts: prompts, several lines)
};

// The tables' compare and blanking values under short names.
inline constexpr auto kWhole = EchoCompare::Whole;
inline constexpr auto kPrefix = EchoCompare::Prefix;
inline constexpr auto kEchoAndAnswer = EchoBlanking::EchoAndAnswer;
inline constexpr auto kByAction = EchoBlanking::ByAction;

// One layout of a command's exchange under its "OK": the echo stands `at`
// entries above the "OK" (or at each distance from `at` to `upTo`: a
// command whose answer has up to so many lines), and `then` runs.
struct OkLayout {
    int at = 0;
    EchoHandler then = nullptr;
    EchoBlanking blanking = kEchoAndAnswer;
    int upTo = 0;
};
// The echo `at` entries above the "OK".
constexpr OkLayout At(int at, EchoHandler then, EchoBlanking blanking = kEchoAndAnswer) {
    return {at, then, blanking, at};
}
// The echo at any distance from `at` to `upTo`.
constexpr OkLayout FromTo(int at, int upTo, EchoHandler then,
                          EchoBlanking blanking = kEchoAndAnswer) {
    return {at, then, blanking, upTo};
}

// One command of a topic: its echo, and what each final result does for it.
struct EchoAction {
    std::string_view echo;
    EchoCompare compare = kWhole;
    // The layouts of its "OK", tried in this order (an unused one has no
    // `then`); none: "OK" has no test for this command.
    std::array<OkLayout, 3> onOk{};
    // "ERROR" (echo two entries above, or three after a refused body), and
    // every other refusal; nullptr: no test.
    EchoHandler onError = nullptr;
    // Ends the command's operation on every final error form; nullptr: an
    // error leaves nothing running. It reads hit.echo and hit.body only and
    // shows no message.
    EchoHandler onRefused = nullptr;
    // What a phone error does for the command before the common refusal;
    // nullptr: nothing of its own. Reads hit.echo, hit.body, hit.code and
    // hit.reason. Rows run in turn until one takes the error over.
    PhoneErrorHandler onPhoneError = nullptr;
};

// Actions that only move a chain on: `Then<Next>` sends the chain's next
// command; `ChainStops` sends nothing (the runner has blanked the echo).
template <void (*Next)(EngineContext&)>
ScanStep Then(EngineContext& ctx, const EchoHit&) {
    Next(ctx);
    return ScanStep::Continue;
}
inline ScanStep ChainStops(EngineContext&, const EchoHit&) { return ScanStep::Continue; }

// What follows the '=' of an echoed command ("07" of "AT+CMGR=07").
std::string_view EchoArguments(std::string_view echo);
// The memory code of an echoed memory selection: its characters 10 and 11,
// between the quotes of "AT+CPBS=\"SM\"" and "AT+CPMS=\"ME\",...".
std::string SelectedMemoryCode(std::string_view echo);

// True when entry `entry` holds the echo `text` by `compare`; false outside
// the list.
bool EchoAt(const RxLineList& lines, int entry, std::string_view text, EchoCompare compare);

// The entry of the command an error at entry i refused: two entries above
// it, or three when the error follows a refused body.
int RefusedCommandEntry(const RxLineList& lines, int i);

// Runs onRefused of every row of `table` whose echo matches hit.echo.
ScanStep RunRefusedActions(EngineContext& ctx, std::span<const EchoAction> table,
                           const EchoHit& hit);

// Runs onPhoneError of the rows of `table` whose echo matches hit.echo, in
// turn, until one takes the error over: its step; nullopt when none did.
std::optional<ScanStep> RunPhoneErrorActions(EngineContext& ctx, std::span<const EchoAction> table,
                                             const EchoHit& hit);

// Runs every "OK" row of `table` on the result at entry i. A matching row
// blanks its echo (and, at distance 4, the answer at i - 2) before its
// action runs, unless the row blanks by its action. Stops early with
// EndScan when an action ends the scan or the list was reset meanwhile.
ScanStep RunOkRows(EngineContext& ctx, int i, std::span<const EchoAction> table);

// Runs the "ERROR" action of the first row of table whose echo is hit.echo:
// its step; nullopt when no row of the table has one.
std::optional<ScanStep> RunErrorRow(EngineContext& ctx, std::span<const EchoAction> table,
                                    const EchoHit& hit);

// The table has a row for command (any column).
bool HasRowFor(std::span<const EchoAction> table, std::string_view command);

}  // namespace parlenko
