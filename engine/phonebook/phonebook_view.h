#pragma once
// The phonebook page: what the phonebook reads and entry operations show
// there. The window of the page implements it; a view call only shows, it
// never calls back into the engine.

#include "engine/phonebook/phonebook_views.h"

#include <string>

namespace parlenko {

// The capacities the page's summary labels show.
struct PhonebookCapacities {
    int Sim = 0;
    int Phone = 0;
    int Own = 0;
    int Service = 0;
};

class IPhonebookView {
public:
    virtual ~IPhonebookView() = default;
    // Empty the view, put the "all numbers" button down and stop keeping the
    // rows sorted until SortPhonebookRows.
    virtual void ClearPhonebookRows() {}
    virtual void AddPhonebookRow(const PhonebookRow& row) { (void)row; }
    // Sort the view by caption and keep it sorted.
    virtual void SortPhonebookRows() {}
    // Enable or disable a memory's view button (SimNumTB .. SerNumTB).
    virtual void SetPhonebookViewEnabled(PhonebookMemory memory, bool enabled) {
        (void)memory;
        (void)enabled;
    }
    // Rewrite the summary labels (these capacities, entries from the view).
    virtual void ShowPhonebookSummary(const PhonebookCapacities& capacities) { (void)capacities; }
    // Apply the view button that is down again (after an entry changed).
    virtual void ReapplyPhonebookFilter() {}
    // A memory was read: when the phonebook page is shown, select and show
    // row 0 when there is one, and focus the view (when onlyWhenActive, only
    // if the main window is the active window).
    virtual void FocusFirstPhonebookRow(bool onlyWhenActive) { (void)onlyWhenActive; }
    // An entry was saved from the entry dialog: select and show its row.
    virtual void PhonebookEntrySaved(const std::string& name, const std::string& number,
                                     const std::string& position) {
        (void)name;
        (void)number;
        (void)position;
    }
};

}  // namespace parlenko
