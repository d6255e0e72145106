#include "engine/core/indicators.h"

namespace parlenko {

namespace {

void StartIfStopped(ITimer& t) {
    if (!t.IsActive()) t.Start();
}

void NotifySms(EngineContext& ctx) {
    ctx.host.NewSmsIndicatorChanged(ctx.state.Indicators.NewSmsPhase,
                                    ctx.state.Indicators.NewSmsHint);
}

void NotifyCall(EngineContext& ctx) {
    ctx.host.NewCallIndicatorChanged(ctx.state.Indicators.NewCallPhase,
                                     ctx.state.Indicators.NewCallHint);
}

}  // namespace

void ShowNewSms(EngineContext& ctx) {
    auto& ind = ctx.state.Indicators;
    ind.SmsOverflowKind = 0;
    ctx.timers.SmsOverflowTimer->Stop();
    // The overflow blink may have left the dark frame, from which the
    // new-message blink would never move on: start it from "none".
    if (ind.NewSmsPhase < 0 || ind.NewSmsPhase > 2) ind.NewSmsPhase = 0;
    StartIfStopped(*ctx.timers.NewSmsTimer);
    ind.NewSmsHint = "You got new SMS message(s)!\rTo view SMS messages, click here.";
    NotifySms(ctx);
}

void ClearNewSms(EngineContext& ctx) {
    auto& ind = ctx.state.Indicators;
    ind.SmsOverflowKind = 0;
    ctx.timers.SmsOverflowTimer->Stop();
    ind.NewSmsPhase = 0;
    ctx.timers.NewSmsTimer->Stop();
    ind.NewSmsHint = "No new SMS messages!";
    NotifySms(ctx);
}

void ShowSmsOverflow(EngineContext& ctx, int kind) {
    auto& ind = ctx.state.Indicators;
    if (kind == 0) {
        ind.NewSmsPhase = 0;
        ind.SmsOverflowKind = 0;
        ind.NewSmsHint =
            "SMS memory is full!\r\rDelete messages you don't need, because\rnew messages "
            "cannot be received!";
    } else {
        ind.NewSmsPhase = 2;
        ind.SmsOverflowKind = 1;
        ind.NewSmsHint =
            "SMS memory is full, and new message that should\rbe sent to you is waiting in SMS "
            "center!\r\rDelete messages you don't need, because\rnew messages cannot be "
            "received!";
    }
    // A running new-message blink would move the phase off the overflow
    // frames and hide the overflow; the overflow blink takes over.
    ctx.timers.NewSmsTimer->Stop();
    StartIfStopped(*ctx.timers.SmsOverflowTimer);
    NotifySms(ctx);
}

void ShowNewCall(EngineContext& ctx) {
    StartIfStopped(*ctx.timers.NewCallTimer);
    ctx.state.Indicators.NewCallHint = "You got new call(s)!\rTo view calls, click here.";
    NotifyCall(ctx);
}

void ClearNewCall(EngineContext& ctx) {
    auto& ind = ctx.state.Indicators;
    ind.NewCallPhase = 3;
    ctx.timers.NewCallTimer->Stop();
    ind.NewCallHint = "No new calls!";
    NotifyCall(ctx);
}

void NewSmsTick(EngineContext& ctx) {
    int& p = ctx.state.Indicators.NewSmsPhase;
    if (p == 0 || p == 2) p = 1;
    else if (p == 1) p = 2;
    NotifySms(ctx);
}

void NewCallTick(EngineContext& ctx) {
    int& p = ctx.state.Indicators.NewCallPhase;
    if (p == 3 || p == 5) p = 4;
    else if (p == 4) p = 5;
    NotifyCall(ctx);
}

void SmsOverflowTick(EngineContext& ctx) {
    auto& ind = ctx.state.Indicators;
    int& p = ind.NewSmsPhase;
    if (ind.SmsOverflowKind == 0) {
        if (p == -1) p = 0;
        else if (p == 0) p = -1;
    } else {
        if (p == -1) p = 2;
        else if (p == 2) p = -1;
    }
    NotifySms(ctx);
}

}  // namespace parlenko
