#pragma once
// The phone's binary objects as the appointments, melodies and logo pages
// show them: how many calendar slots there are and which logo kinds can be
// read and written, and the rows of the appointments list. The logo read
// from the phone goes to the logo page's own view (logo_view.h). A view call
// only shows.

#include "engine/objects/appointment_row.h"

#include <string>
#include <vector>

namespace parlenko {

// What the phone's binary object list ("AT^SBNR=?") tells: calendar slots
// and the logo kinds.
struct ObjectCapabilitiesView {
    int AppointmentSlots = 0;               // highest calendar index
    bool ScreensaverLogoSupported = false;  // a second logo kind
    std::string AppCapLab;                  // AppointmentSlots as text
    std::vector<std::string> LogosCB;       // logo kinds to read
    int LogosIndex = -1;
    std::vector<std::string> SaveLogoMemCB;  // logo kinds to write
    int SaveLogoMemIndex = -1;
};

class IObjectsView {
public:
    virtual ~IObjectsView() = default;
    // Calendar slots and logo kinds read at connect changed.
    virtual void ObjectCapabilitiesChanged(const ObjectCapabilitiesView& view) { (void)view; }

    // --- appointments list ---------------------------------------------------
    // Empty the list.
    virtual void ClearAppointmentRows() {}
    virtual void AddAppointmentRow(const AppointmentRow& row) { (void)row; }
    // The row whose position is row.Position shows row.
    virtual void UpdateAppointmentRow(const AppointmentRow& row) { (void)row; }
    // Remove every row of this calendar slot.
    virtual void RemoveAppointmentRows(const std::string& position) { (void)position; }
    // Select, focus, scroll to and show the details of the row of this slot
    // ("": the first row, when there is one); the memory summary follows.
    virtual void FocusAppointmentRow(const std::string& position) { (void)position; }
};

}  // namespace parlenko
