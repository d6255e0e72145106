#include "ui/controls/radio_choice.h"

namespace parlenko::ui::controls {

std::size_t CheckedPlace(std::span<QRadioButton* const> row) {
    for (std::size_t i = 0; i < row.size(); ++i)
        if (row[i]->isChecked()) return i;
    return 0;
}

}  // namespace parlenko::ui::controls
