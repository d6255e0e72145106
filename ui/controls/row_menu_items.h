#pragma once
// A page whose items in the main menu act on the row it shows: the main
// window switches them off while another page is shown.

#include <vector>

class QAction;

namespace parlenko::ui {

class IRowMenuItems {
public:
    // The items (none before the page has filled its menu).
    virtual std::vector<QAction*> RowMenuItems() const = 0;

protected:
    ~IRowMenuItems() = default;
};

}  // namespace parlenko::ui
