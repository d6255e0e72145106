#pragma once
// The general-information chain, started by RefreshGeneralInfo (the end of
// the connect chain, the general page, the refresh timer):
//   AT+CGMI, AT+CGMM, AT+CGMR, AT+CPAS, AT+CGSN, AT+CIMI, AT^SCID, AT+CCLK?,
//   AT+CBC, AT+COPS=0,0, AT+COPS?, AT+CREG=2 (or =1), AT+CREG?, AT+CSQ
// and, while cell broadcasts name the location, AT+CSCB=1. Each answer fills
// the general page (GeneralInfoView) and sends the next query; a refused
// query keeps its label and the chain goes on.
//
// The chain's rows come in two tables because the answer to "AT+CCLK="
// (setting the phone's clock, a per-command action) is matched between them.

#include "engine/conversation/echo_actions.h"

#include <span>
#include <string>
#include <string_view>

namespace parlenko {

// Default period of the general-information refresh.
inline constexpr int kRefreshIntervalMs = 30000;

// If the port is open, once the conversation is quiet (quiet_starts.h): both
// port buffers discarded, then "AT+CGMI", the first step of the
// general-information chain. The refresh timer's tick.
void RefreshGeneralInfo(EngineContext& ctx);

// "AT+CGMI" up to "AT+CCLK?".
std::span<const EchoAction> GeneralInfoActionsToClock();
// "AT+CBC" up to "AT+CSQ".
std::span<const EchoAction> GeneralInfoActionsAfterClock();

// The reception level of a "+CSQ: <rssi>,<ber>" answer.
struct Reception {
    std::string text;  // "65%     [ -73 dBm ]"
    int bars = 0;      // 0..10
};
// rssi 0..31 gives rssi/31 as a percentage and 113 - 2 x rssi as negative
// dBm, both rounded halves to even; the bars are the percentage / 10, rounded
// the same way. rssi 99 (not known or not detectable) and anything else
// unreadable give "Unknown." and no bars.
Reception ReceptionFromCsq(std::string_view answer);

// The battery level of a "+CBC: <bcs>,<bcl>" answer.
struct BatteryLevel {
    std::string text;  // "80%"; empty when the level cannot be read
    int bars = 0;      // level / 10, rounded halves to even
};
BatteryLevel BatteryFromCbc(std::string_view answer);

}  // namespace parlenko
