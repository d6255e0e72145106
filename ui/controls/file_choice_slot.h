#pragma once
// The file choice a page asks with: its own, unless the main window shares
// its one with the page.

#include "ui/controls/file_choice.h"

namespace parlenko::ui {

class TFileChoiceSlot {
public:
    TFileChoiceSlot() = default;
    TFileChoiceSlot(const TFileChoiceSlot&) = delete;
    TFileChoiceSlot& operator=(const TFileChoiceSlot&) = delete;

    void SetFileChoice(TFileChoice& choice) { choice_ = &choice; }
    TFileChoice& FileChoice() { return *choice_; }

private:
    TFileChoice own_;
    TFileChoice* choice_ = &own_;
};

}  // namespace parlenko::ui
