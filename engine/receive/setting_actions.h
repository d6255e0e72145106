#pragma once
// Final-result actions of the single set commands of the settings page: the
// phone's clock ("AT+CCLK="), which stands between the two halves of the
// general-information chain, and the SMS centre, alert sound, vibration,
// ringer volume and price per unit ("AT+CSCA=", "AT+CALM=", "AT+CVIB=",
// "AT+CRSL=", "AT+CPUC="). Each reports its success as a status notice and
// its failure in a message box; a new SMS centre is read back at once, and
// that answer goes on as every "AT+CSCA?" answer does (connect_chain.h).

#include "engine/chains/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> ClockSetActions();
std::span<const EchoAction> SettingSetActions();

}  // namespace parlenko
