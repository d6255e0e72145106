#pragma once
// The call lists page: the three lists the call-list reads fill. A view call
// only shows.

#include "engine/phonebook/phonebook_views.h"

#include <string>

namespace parlenko {

class ICallListsView {
public:
    virtual ~ICallListsView() = default;
    // Empty the three lists and set their count and capacity labels to "0".
    virtual void ClearCallLists() {}
    virtual void AddCallListRow(CallListView list, const CallListRow& row) {
        (void)list;
        (void)row;
    }
    // The list's capacity label (Calls2Lab, Calls4Lab, Calls6Lab).
    virtual void SetCallListCapacity(CallListView list, int capacity) {
        (void)list;
        (void)capacity;
    }
    // The phone deleted its dialled calls: empty that list, disable its
    // delete button and set its count label to "0".
    virtual void DialledCallsDeleted() {}
    // A call list was read: focus CallsOutList when the page is shown and
    // select row 0 of each list.
    virtual void FocusFirstCallRows() {}
    // Every row of the call list whose number is number now shows name.
    virtual void SetNameInListView(CallListView list, const std::string& name,
                                   const std::string& number) {
        (void)list;
        (void)name;
        (void)number;
    }
};

}  // namespace parlenko
