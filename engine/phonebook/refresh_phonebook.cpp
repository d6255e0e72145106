#include "engine/phonebook/refresh_phonebook.h"

#include "engine/conversation/quiet_starts.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/call_lists_view.h"
#include "engine/phonebook/phonebook_commands.h"

namespace parlenko {

namespace {

void StartPhonebookRead(EngineContext& ctx, PhoneMemory memory) {
    EmptyPortBuffers(ctx);
    if (memory == PhoneMemory::Sim) {
        auto& op = Phonebook(ctx);
        auto& r = PhonebookRead(ctx);
        const bool restoring = IsRestoring(op.Op);
        // What the list shows now comes back if this read fails (a read that
        // starts over a running one keeps what was there before that).
        if (!restoring && !op.PhonebookReadRunning)
            op.BeforeRead = {op.PhonebookList, op.PhonebookLoaded, op.PhonebookReadComplete,
                             op.PhonebookListPartial, r.Memories};
        // A full read starts afresh: no entry operation left over from before
        // may turn one of its memory selections into a write or a delete.
        ClearPhonebookOp(op.Op);
        // Until this read has run to its end the free positions are not
        // known: the entry commands wait for it. A restore writes from the
        // lists it started with and keeps the flag.
        if (!restoring) op.PhonebookLoaded = false;
        r.CacheErrorReported = false;
        if (!restoring) {
            // The list fills as the read goes; the cache keeps the last
            // complete read until this one has run to its end.
            op.PhonebookReadComplete = false;
            op.PhonebookListPartial = true;
            op.PhonebookReadRunning = true;
            op.PhonebookList.clear();
            ViewOf<IPhonebookView>(ctx).ClearPhonebookRows();
        }
        // A restore keeps the capacities of the writable memories: it writes
        // into them before they are read again.
        for (auto m : kPhonebookMemories)
            if (!restoring || !IsWritable(m)) r.Of(m).Capacity = 0;
        for (auto m : kPhonebookMemories)
            ViewOf<IPhonebookView>(ctx).SetPhonebookViewEnabled(m, false);
        ShowPhonebookSummary(ctx);
        ctx.state.Mode = ActivityMode::Phonebook;
    }
    SendAtCpbs(ctx, memory);
}

void StartCallListRead(EngineContext& ctx, PhoneMemory list) {
    EmptyPortBuffers(ctx);
    if (list == PhoneMemory::Dialled) {
        auto& r = PhonebookRead(ctx);
        if (!r.CallListsReadRunning) r.CallsBeforeRead = r.Calls;
        r.CallListsReadRunning = true;
        r.Calls = {};
        ViewOf<ICallListsView>(ctx).ClearCallLists();
    }
    ctx.state.Mode = ActivityMode::Calls;
    SendAtCpbs(ctx, list);
}

}  // namespace

void RefreshPhonebook(EngineContext& ctx, PhoneMemory memory) {
    if (!ctx.port.Connected()) return;
    static constexpr char kRead = 0;
    StartWhenQuiet(ctx, &kRead, [&ctx, memory] { StartPhonebookRead(ctx, memory); });
}

void ShowPhonebookSummary(EngineContext& ctx) {
    const auto& r = PhonebookRead(ctx);
    ViewOf<IPhonebookView>(ctx).ShowPhonebookSummary(
        {r.Of(PhoneMemory::Sim).Capacity, r.Of(PhoneMemory::Phone).Capacity,
         r.Of(PhoneMemory::Own).Capacity, r.Of(PhoneMemory::Service).Capacity});
}

void RefreshCalls(EngineContext& ctx, PhoneMemory list) {
    if (!ctx.port.Connected()) return;
    static constexpr char kRead = 0;
    StartWhenQuiet(ctx, &kRead, [&ctx, list] { StartCallListRead(ctx, list); });
}

}  // namespace parlenko
