#pragma once
// The chain of the other settings, started by the settings page: with
// ReadingOtherSettings set it asks "AT+CSCA?", whose answer (connect_chain.h)
// goes on with
//   AT+CALM? (alert sound), AT+CVIB? (vibration), AT+CRSL? (ringer volume),
//   AT+CPUC? (currency and price per unit),
// each answer filling the settings page (PhoneSettingsView). A refused query
// goes on with the next one; "AT+CPUC?" is the last. The flag stays set
// until the connect chain's "AT+CMEE=1" clears it.

#include "engine/conversation/echo_actions.h"

#include <span>

namespace parlenko {

std::span<const EchoAction> SettingsChainActions();

// The settings page's refresh: sets ReadingOtherSettings and asks
// "AT+CSCA?". Nothing while the port is closed.
void ReadOtherSettings(EngineContext& ctx);

}  // namespace parlenko
