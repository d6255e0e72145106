#pragma once
// What a chunk's new lines are, worked out before the scan looks at them:
//  - a line the phone sent out of turn (a call, a notice, a registration or
//    cell-broadcast report) is marked, with the empty line that framed it,
//    so that the final result of the exchange it fell into still finds its
//    echo and answer where the phone put them;
//  - the echo of the command in flight is freed from line noise glued in
//    front of it;
//  - once the command's final result is in, every other line between its
//    echo and the result that is no part of its answer (a line the engine
//    does not know, a line cut by the length cap, a second empty line) is
//    set aside: marked out of turn and blanked, so the result finds its
//    command and answer where they belong;
//  - whether the phone answered: a line was recognised (a final result, a
//    prompt, a code of its own, the echo or an answer of the command in
//    flight). Bytes that make none of these (a device that talks but is not
//    a phone, noise) do not count as an answer.

#include "engine/core/rx_lines.h"

#include <string>
#include <string_view>

namespace parlenko {

// The command written last and not yet answered, as the intake sees it: its
// line and the entry from which its echo and answer come.
struct CommandInFlightAt {
    std::string_view command;  // empty: none
    int entry = 0;
};

// Looks at the entries from `first` (the first entry a chunk changed) to
// the remainder. Returns true when one of them is recognised.
bool TakeInNewLines(RxLineList& lines, int first, CommandInFlightAt inFlight);

// The prefix of the information lines answering command ("AT+CPBR=3" gives
// "+CPBR:", "AT^SPBS?" gives "^SPBS:"); empty for a command without one.
std::string AnswerPrefix(std::string_view command);

// The entry of the command's echo between `from` and the entry above
// `result`, searched upwards; -1 when it is not there.
int EchoEntryAbove(const RxLineList& lines, int result, int from, std::string_view command);

// An unfinished line worth keeping when the next command is written: it may
// still become a line the engine knows (a call, a notice, a final result).
bool CanBeginKnownLine(std::string_view text);

}  // namespace parlenko
