#include "engine/session/running_reads.h"

#include "engine/objects/object_answers.h"
#include "engine/phonebook/phonebook_read.h"
#include "engine/core/busy_state.h"
#include "engine/sms/sms_steps.h"

namespace parlenko {

namespace {

// The store exchanges keep their own progress window.
bool StoreExchangeRuns(const EngineContext& ctx) {
    return ctx.state.Mode == ActivityMode::OutlookContacts ||
           ctx.state.Mode == ActivityMode::OutlookCalendar;
}

}  // namespace

bool StopRunningReads(EngineContext& ctx) {
    bool ran = StopPhonebookRead(ctx);
    ran = StopCallListRead(ctx) || ran;
    ran = StopSmsFullRead(ctx) || ran;
    ran = StopAppointmentRead(ctx) || ran;
    if (!StoreExchangeRuns(ctx) && ctx.host.IsProgressWindowVisible()) {
        ctx.host.HideProgressWindow();
        ctx.host.CloseProgressWindow();
        ran = true;
    }
    EndBusy(ctx);
    return ran;
}

}  // namespace parlenko
