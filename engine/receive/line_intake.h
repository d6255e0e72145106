#pragma once
// What a chunk's new lines are, worked out before the scan looks at them:
//  - a line the phone sent out of turn (a call, a notice, a registration or
//    cell-broadcast report) is marked, with the empty line that framed it,
//    so that the final result of the exchange it fell into still finds its
//    echo and answer where the phone put them;
//  - the echo of the command in flight is freed from line noise glued in
//    front of it;
//  - whether the phone answered: a line was recognised (a final result, a
//    prompt, a code of its own, the echo or an answer of the command in
//    flight). Bytes that make none of these (a device that talks but is not
//    a phone, noise) do not count as an answer.

#include "engine/receive/rx_lines.h"

#include <string>
#include <string_view>

namespace parlenko {

// Looks at the entries from `first` (the first entry a chunk changed) to
// the remainder. Returns true when one of them is recognised.
bool TakeInNewLines(RxLineList& lines, int first, std::string_view commandInFlight);

// The prefix of the information lines answering command ("AT+CPBR=3" gives
// "+CPBR:", "AT^SPBS?" gives "^SPBS:"); empty for a command without one.
std::string AnswerPrefix(std::string_view command);

}  // namespace parlenko
