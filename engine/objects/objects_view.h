#pragma once
// The phone's binary objects as the appointments and logo pages show them:
// how many calendar slots there are and which logo kinds can be read and
// written. A view call only shows.

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
};

}  // namespace parlenko
