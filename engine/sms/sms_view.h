#pragma once
// The SMS page: what the engine shows there. A view call only shows.

#include <string>

namespace parlenko {

class ISmsView {
public:
    virtual ~ISmsView() = default;
    // A full read starts: empty both message lists, blank the detail panel
    // ("Message length:  0", an empty text) and set both counts to "(0/0 new)".
    virtual void ClearSmsLists() {}
    // Every row of both SMS lists whose caption is number (no name was known)
    // now shows name; the detail panel follows. name is never empty.
    virtual void SetNameInSmsLists(const std::string& name, const std::string& number) {
        (void)name;
        (void)number;
    }
};

}  // namespace parlenko
