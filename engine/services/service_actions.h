#pragma once
// The final-result actions of the divert, lock and barring commands
// ("AT+CCFC=", "AT+CLCK=") and the security-code change ("AT+CPWD=").
//
// A query is answered with one line per call class, or with a single line
// for all classes ("+CCFC: 0,7"); its echo stands the line count plus three
// entries above the "OK" (echo, blank, lines, blank, "OK"). Every such
// answer is taken whole, so the running check goes on whatever the number
// of lines. An echo right above the "OK" (two or three entries up) is a
// change the phone accepted: it records kSwitchedOn or kSwitchedOff and
// queries again, and that query's answer shows the success text. A query
// answered with no line at all counts as an empty answer.

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> ServicesActions();

}  // namespace parlenko
