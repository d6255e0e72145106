#pragma once
// Rows of a caption and its value as the pages show values (PageValue:
// elided, bold, dark blue).

#include "ui/controls/controls.h"

#include <initializer_list>

namespace parlenko::ui::controls {

// The rows from y down, step apart; each row's value goes where its row
// says.
void PageValueRows(QWidget* parent, const RowColumns& columns, int y, int step,
                   std::initializer_list<ValueRowOf> rows);

}  // namespace parlenko::ui::controls
