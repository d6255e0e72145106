#include "engine/phonebook/refresh_phonebook.h"

#include "engine/at/at_commands.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/filling_list.h"
#include "engine/phonebook/phonebook_cache.h"

namespace parlenko {

void RefreshPhonebook(EngineContext& ctx, int kind) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    if (kind == 1) {
        auto& op = ctx.state.Phonebook;
        auto& r = ctx.state.PhonebookRead;
        op.PhonebookLoaded = true;
        r.CacheErrorReported = false;
        if (!op.Restoring) {
            op.PhonebookList.clear();
            {
                FillingListGuard filling(ctx.state);
                ctx.views.phonebook->ClearPhonebookRows();
            }
            r.SimCapacity = 0;
            r.PhoneCapacity = 0;
            r.OwnCapacity = 0;
            DeletePhonebookCache(ctx);
        }
        r.ServiceCapacity = 0;
        r.SimUsed = 0;
        r.PhoneUsed = 0;
        r.OwnUsed = 0;
        for (auto memory : {PhonebookMemory::Sim, PhonebookMemory::Phone, PhonebookMemory::Own,
                            PhonebookMemory::Service})
            ctx.views.phonebook->SetPhonebookViewEnabled(memory, false);
        ctx.views.phonebook->ShowPhonebookSummary(
            {r.SimCapacity, r.PhoneCapacity, r.OwnCapacity, r.ServiceCapacity});
        ctx.state.Mode = mdPhonebook;
    }
    SendAtCpbs(ctx, kind);
}

void RefreshCalls(EngineContext& ctx, int kind) {
    if (!ctx.port.Connected()) return;
    ctx.port.FlushBuffers(true, true);
    if (kind == 5) {
        FillingListGuard filling(ctx.state);
        ctx.views.callLists->ClearCallLists();
    }
    ctx.state.Mode = mdCalls;
    SendAtCpbs(ctx, kind);
}

}  // namespace parlenko
