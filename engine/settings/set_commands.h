#pragma once
// The single set commands of the settings page and the menu: the phone's
// clock, the SMS centre number, the alert sound, the vibration alert, the
// speaker volume, the price per unit and switching the phone off; and the
// final results of those commands, each success and failure with its text.
// The starting calls do nothing while the port is closed.

#include "engine/conversation/echo_actions.h"
#include "engine/settings/settings_view.h"

#include <chrono>
#include <span>
#include <string_view>

namespace parlenko {

// "AT+CCLK=" with the computer's local time now.
void SetPhoneClock(EngineContext& ctx, std::chrono::local_seconds now);
// "AT+CCLK?" whose answer sets the computer's clock instead of the page.
void SetPcClockFromPhone(EngineContext& ctx);
// "AT+CSCA=" with the number (checked first: a refused one sends nothing).
void SetSmsCentre(EngineContext& ctx, std::string_view number);
void SetAlertSound(EngineContext& ctx, AlertSound sound);
void SetVibration(EngineContext& ctx, bool on);
// Volume 1..5; any other value sends nothing.
void SetSpeakerVolume(EngineContext& ctx, int volume);
// "AT+CPUC=" with the currency, the price and PIN 2; a field with a double
// quote or a character outside the text set (at::IsQuotedText) is refused.
void SetPricePerUnit(EngineContext& ctx, std::string_view currency, std::string_view price,
                     std::string_view pin2);

// Rows of "AT+CCLK=" (among the information chain's), of "AT^SMSO" (after
// the connect chain) and of the other set commands.
std::span<const EchoAction> ClockSetActions();
std::span<const EchoAction> SwitchOffActions();
std::span<const EchoAction> SetCommandActions();

}  // namespace parlenko
