#pragma once
// Calls: dialling, answering, rejecting and hanging up, the tones sent during
// a call, the deletion of the dialled-calls list, and the final results of
// their commands ("ATD", "ATA", "AT+CHUP", "AT+VTS=", "AT^SDLD"), the
// prepaid-balance answers to a dialled service code among them.
//
// A dial or an answer keeps the other party's name and number; when the
// phone accepts the command the call window opens with them (modally, the
// receive handler waits there) and "NO CARRIER" or the hang-up's "OK" close
// it. Numbers and tones are checked before they reach a command line: a
// refused one sends nothing and the message box says why. Everything does
// nothing while the port is closed.

#include "engine/conversation/echo_actions.h"

#include <span>
#include <string>
#include <string_view>

namespace parlenko {

// "ATD<number>;" ("#31#" in front hides the caller's own number).
void DialNumber(EngineContext& ctx, const std::string& name, const std::string& number,
                bool hideNumber);
// The incoming call: the new-call indicator stops and "ATA" is sent.
void AnswerCall(EngineContext& ctx, const std::string& name, const std::string& number);
// The incoming call refused: the indicator stops and "AT+CHUP" is sent.
void RejectCall(EngineContext& ctx);
// "AT+CHUP" for the call in progress.
void HangUpCall(EngineContext& ctx);
// One tone ("0"-"9", "A"-"D", "*", "#") for duration (1..255, the phone's unit).
void SendDtmfTone(EngineContext& ctx, std::string_view tone, int duration);
// True when tones is not empty and holds only the tones above.
bool AreDtmfTones(std::string_view tones);
// A string of tones, each as above.
void SendDtmfTones(EngineContext& ctx, std::string_view tones);
// "AT^SDLD": the phone forgets its dialled calls.
void DeleteDialledCalls(EngineContext& ctx);

// The final-result rows of the call commands.
std::span<const EchoAction> CallActions();

}  // namespace parlenko
