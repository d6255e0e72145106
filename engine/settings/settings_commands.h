#pragma once
// The settings page's commands. Each does nothing while the port is closed;
// each sends one command and the receive handler does the rest (the chain of
// the other settings, settings_chain.h; the set commands' results,
// engine/receive/setting_actions.h).

#include "engine/session/engine_context.h"

#include <chrono>
#include <string_view>

namespace parlenko {

// Reads the SMS centre, alert, vibration, ringer level and price again.
void ReadOtherSettings(EngineContext& ctx);
// Set commands. A text argument that holds a double quote or a control
// character would break the command line: nothing is sent.
void SetSmsCentre(EngineContext& ctx, std::string_view number);
void SetAlertSound(EngineContext& ctx, int value);  // 0 normal, 1 silent, 2 short tone
void SetVibration(EngineContext& ctx, bool on);
void SetRingerLevel(EngineContext& ctx, int level);  // 1..5
void SetPricePerUnit(EngineContext& ctx, std::string_view currency, std::string_view price,
                     std::string_view pin2);
// The phone's clock from the machine's local time `now`.
void SetPhoneClock(EngineContext& ctx, std::chrono::local_seconds now);
// Asks the phone's clock; its answer sets the machine's clock.
void SetPcClockFromPhoneClock(EngineContext& ctx);

}  // namespace parlenko
