#include "ui/connection_commands.h"

#include "engine/at/at_commands.h"
#include "engine/serial/serial_port_driver.h"

namespace parlenko::ui {

void ResetModem(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.scheduler.Sleep(500);
    for (int i = 0; i < 2; ++i) {
        ctx.port.SendString("ATZ\r");
        ctx.scheduler.Sleep(100);
        ctx.scheduler.ProcessPendingEvents();
        if (!ctx.port.Connected()) return;
    }
    SendAtEchoOn(ctx);
}

void RefreshGeneralInfo(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    SendAtCgmi(ctx);
}

void ClosePort(EngineContext& ctx) {
    if (!ctx.port.Connected()) return;
    ctx.port.SendString("AT+CNMI=0,0,0,0\r");
    ctx.scheduler.Sleep(100);
    ctx.scheduler.ProcessPendingEvents();
    ctx.port.Disconnect();
}

}  // namespace parlenko::ui
