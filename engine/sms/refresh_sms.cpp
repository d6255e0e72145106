#include "engine/sms/refresh_sms.h"

#include "engine/serial/serial_port_driver.h"

namespace parlenko {

void RefreshSms(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    ctx.views.sms->ClearSmsLists();
    ctx.state.Mode = ActivityMode::Sms;
    auto& sms = ctx.state.Sms;
    sms.EditSmsPending = false;
    sms.WriteSmsPending = false;
    sms.DeleteSmsPending = false;
    sms.SendStoredPending = false;
}

}  // namespace parlenko
