#pragma once
// A fault script for the phonesim program (--faults FILE): how the phone
// misbehaves, one line per fault; blank lines and lines starting with '#'
// are skipped.
//
//   after <command> raw <bytes>           bytes sent right after its answer
//   after <command> unsolicited <line>    a line framed CR LF after its answer
//   after <command> before-answer <line>  a line framed CR LF between its echo and its answer
//   after <command> before-result <line>  a line framed CR LF between its answer and its result
//   after <command> answer <result>       <result> in place of its answer
//   after <command> silent                echo only: the command is not carried out
//   after <command> delay <ms>            its answer comes <ms> later
//   after <command> close                 the link is closed once it arrives
//   at <ms> raw <bytes>                   bytes sent at <ms> after the start
//   at <ms> unsolicited <line>            a line framed CR LF at <ms>
//   at <ms> silent <duration ms>          nothing read or sent for that long
//   at <ms> close                         the link is closed at <ms>
//
// <command> is compared with the start of a command line, without regard to
// case ("*" matches every line); the lines naming the same command add up to
// one fault, used by the first line that matches. <bytes> and <line> are the
// rest of the line with the escapes \r \n \t \\ and \xHH.

#include "phonesim/phone.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace phonesim {

struct FaultScript {
    struct Timed {
        std::int64_t atMs = 0;
        std::string text;
    };
    struct Window {
        std::int64_t fromMs = 0;
        std::int64_t untilMs = 0;
    };

    std::vector<CommandFault> commandFaults;
    std::vector<std::string> closeAfter;  // commands whose arrival closes the link
    std::vector<Timed> raw;
    std::vector<Timed> unsolicited;
    std::vector<Window> silent;
    std::vector<std::int64_t> closeAt;

    // The faults the phone itself plays (everything but silence and closing).
    void ApplyTo(Phone& phone) const;
    bool SilentAt(std::int64_t ms) const;
    bool ClosesAt(std::int64_t ms) const;
    bool ClosesAfter(std::string_view commandLine) const;
};

// Throws std::runtime_error naming the line of the first thing it cannot read.
FaultScript ParseFaultScript(std::string_view text);

}  // namespace phonesim
