#pragma once
// The logo page's phone side: the logo kinds the phone can read and write,
// and the logo read from it. A view call only shows.

#include "engine/objects/objects_view.h"

#include <string>

namespace parlenko {

class ILogoView {
public:
    virtual ~ILogoView() = default;
    // The logo kinds (LogosCB, SaveLogoMemCB) or their selection changed.
    virtual void LogoKindsChanged(const ObjectCapabilitiesView& view) { (void)view; }
    // Draw the logo read from the phone, kept as a bitmap file at path.
    virtual void ShowLogo(const std::string& path) { (void)path; }
    // The phone has no logo of the kind read: show text in its place.
    virtual void ShowNoLogo(const std::string& text) { (void)text; }
};

}  // namespace parlenko
