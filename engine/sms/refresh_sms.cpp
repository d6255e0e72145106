#include "engine/sms/refresh_sms.h"

#include "engine/conversation/quiet_starts.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"
#include "engine/sms/sms_view.h"
#include "engine/sms/sms_state.h"

namespace parlenko {

namespace {

void StartSmsRead(EngineContext& ctx) {
    EmptyPortBuffers(ctx);
    auto& sms = Sms(ctx);
    // A read that starts over a running one keeps what was there before that.
    if (!sms.FullReadRunning) sms.ListBeforeRead = sms.SmsList;
    sms.SmsList.clear();
    ViewOf<ISmsView>(ctx).ClearSmsLists();
    ctx.state.Mode = ActivityMode::Sms;
    EndSmsOperation(ctx);
    sms.FullReadRunning = true;
    SelectSmsPass(ctx, PhoneMemory::Sim);
}

}  // namespace

void RefreshSms(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    static constexpr char kRead = 0;
    StartWhenQuiet(ctx, &kRead, [&ctx] { StartSmsRead(ctx); });
}

}  // namespace parlenko
