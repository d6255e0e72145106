#pragma once
// What the calendar, melody and logo transfers remember between two
// answers. One member of EngineState (Objects); the packets of a running
// upload and its guard flags are in UploadState.

#include "engine/objects/appointment_row.h"

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

}  // namespace parlenko
