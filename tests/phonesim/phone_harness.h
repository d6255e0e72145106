#pragma once
// A client's end of the wire for the phone tests: send a line at a moment and
// collect everything the phone has sent by then.

#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <string>

namespace phonesim::test {

struct Harness {
    explicit Harness(PhoneState state = MakeDefaultState(), PhoneOptions options = {})
        : phone(std::move(state), options) {}

    // Sends bytes at `at` and returns all the phone has sent by `at` (chunks joined).
    std::string Send(const std::string& bytes, std::int64_t at = 0) {
        if (at > now) now = at;
        phone.Feed(bytes, now);
        return Drain(now);
    }
    std::string Drain(std::int64_t at) {
        if (at > now) now = at;
        std::string all;
        for (std::string chunk = phone.Poll(now); !chunk.empty(); chunk = phone.Poll(now))
            all += chunk;
        return all;
    }
    // The answer alone, with echo switched off first.
    std::string Ask(const std::string& line) { return Send(line + "\r", now); }
    void Quiet() {
        Send("ATE0\r");
        Send("AT+CMEE=1\r");
    }

    Phone phone;
    std::int64_t now = 0;
};

inline std::string Ok(const std::string& lines = "") {
    return (lines.empty() ? std::string() : "\r\n" + lines + "\r\n") + "\r\nOK\r\n";
}

}  // namespace phonesim::test
