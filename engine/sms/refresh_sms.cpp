#include "engine/sms/refresh_sms.h"

#include "engine/serial/serial_port_driver.h"
#include "engine/sms/sms_operations.h"
#include "engine/sms/sms_steps.h"

namespace parlenko {

void RefreshSms(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    auto& sms = ctx.state.Sms;
    sms.SmsList.clear();
    ctx.views.sms->ClearSmsLists();
    ctx.state.Mode = ActivityMode::Sms;
    EndSmsOperation(ctx);
    SelectSmsPass(ctx, PhoneMemory::Sim);
}

}  // namespace parlenko
