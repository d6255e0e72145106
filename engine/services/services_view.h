#pragma once
// The diverts, barrings and locks pages: the indicators of the network
// services and the phone locks, the divert numbers and no-reply times. The
// engine holds the one true copy (the divert dialog reads the numbers and
// times back through PhoneEngine::Services) and tells the page each change.
// A view call only shows.
//
// Indicators are numbered as on the pages:
//   Divert1PB..Divert12PB: 3 x reason + class column + 1 (reasons 0 always,
//     1 busy, 2 no reply, 3 not reachable; columns 0 voice, 1 data, 2 fax);
//   Bar1PB..Bar15PB: barring row + 5 x class column + 1 (rows 0 "AO",
//     1 "OI", 2 "OX", 3 "AI", 4 "IR");
//   Lock1PB..Lock4PB: "CS", "PS", "SC", "FD".
// The picture of an indicator is 1 when the service or lock is active, 0
// when it is not.

#include <array>
#include <string>

namespace parlenko {

struct ServicesView {
    std::array<int, 12> DivertPB{};           // pictures of Divert1PB..Divert12PB
    std::array<std::string, 12> DivertLab;    // divert numbers, the same order
    std::array<std::string, 3> DivertSekLab;  // no-reply times: voice, data, fax
    std::array<int, 15> BarPB{};              // pictures of Bar1PB..Bar15PB
    std::array<int, 4> LockPB{};              // pictures of Lock1PB..Lock4PB
};

class IServicesView {
public:
    virtual ~IServicesView() = default;
    // Divert<number>PB shows picture and Divert<number>Lab the divert number.
    virtual void DivertChanged(int number, int picture, const std::string& divertNumber) {
        (void)number;
        (void)picture;
        (void)divertNumber;
    }
    // DivertSek<column>Lab (1 voice, 2 data, 3 fax) shows the no-reply time.
    virtual void DivertTimeChanged(int column, const std::string& seconds) {
        (void)column;
        (void)seconds;
    }
    // Bar<number>PB shows picture.
    virtual void BarringChanged(int number, int picture) {
        (void)number;
        (void)picture;
    }
    // Lock<number>PB shows picture.
    virtual void LockChanged(int number, int picture) {
        (void)number;
        (void)picture;
    }
    virtual void DivertButtonEnabled(bool enabled) { (void)enabled; }
    virtual void BarringButtonEnabled(bool enabled) { (void)enabled; }
};

}  // namespace parlenko
