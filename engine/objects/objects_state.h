#pragma once
// What the calendar, melody and logo transfers remember between two
// answers. One member of EngineState (Objects); the packets of a running
// upload and its guard flags are in UploadState.

#include "engine/core/engine_context.h"
#include "engine/objects/appointment_row.h"
#include "engine/objects/objects_view.h"

#include <string>
#include <vector>

namespace parlenko {

struct ObjectsState {
    // One line per calendar slot, "1" upward; "" once the slot is used.
    std::vector<std::string> AppointmentFreePositions;
    // The appointments list: the engine's copy of what the page shows.
    std::vector<AppointmentRow> AppointmentsList;
    // A read of every slot runs; what the list and the free slots were
    // before it comes back when it fails.
    bool AppointmentReadRunning = false;
    std::vector<AppointmentRow> AppointmentsBeforeRead;
    std::vector<std::string> FreePositionsBeforeRead;
    // The running appointment upload writes a new entry (not an edit).
    bool NewAppointment = false;
    // The packets of the running appointment upload as the phone echoed them.
    std::string AppointmentBuffer;
};

// A running calendar, melody or logo upload.
struct UploadState {
    std::vector<std::string> UploadPackets;  // hex packets, 352 characters each
    int PacketIndex = 0;                     // number from 1 of the next packet
    int PacketCount = 0;
    bool SendingAppointment = false;
    bool SendingMelody = false;
    bool SendingLogo = false;
};

inline UploadState& Upload(const EngineContext& ctx) { return ctx.topics.Get<UploadState>(); }
inline ObjectsState& Objects(const EngineContext& ctx) { return ctx.topics.Get<ObjectsState>(); }
inline ObjectCapabilitiesView& Capabilities(const EngineContext& ctx) {
    return ctx.topics.Get<ObjectCapabilitiesView>();
}

}  // namespace parlenko
