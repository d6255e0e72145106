#pragma once
// The blinking status-bar indicators: a new SMS, a full SMS memory and a new
// call. Each blinks from a 750 ms timer by switching its phase; the host is
// told the phase and the hint after every change.

#include "engine/core/engine_context.h"

namespace parlenko {

inline constexpr int kIndicatorBlinkMs = 750;

// New message(s) stored: ends an overflow blink and blinks the new-SMS frames.
void ShowNewSms(EngineContext& ctx);
// No new message: stops the new-SMS and the overflow blink.
void ClearNewSms(EngineContext& ctx);
// The SMS memory is full (kind 0) or full with a message waiting in the
// service centre (kind 1): alternates the dark frame with the frame of the kind.
void ShowSmsOverflow(EngineContext& ctx, int kind);
void ShowNewCall(EngineContext& ctx);
void ClearNewCall(EngineContext& ctx);

// Timer ticks.
void NewSmsTick(EngineContext& ctx);
void NewCallTick(EngineContext& ctx);
void SmsOverflowTick(EngineContext& ctx);

}  // namespace parlenko
