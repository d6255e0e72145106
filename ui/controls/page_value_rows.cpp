#include "ui/controls/page_value_rows.h"

namespace parlenko::ui::controls {

void PageValueRows(QWidget* parent, const RowColumns& columns, int y, int step,
                   std::initializer_list<ValueRowOf> rows) {
    for (const ValueRowOf& row : rows) {
        Caption(parent, row.caption,
                QRect(columns.captionX, y, columns.captionWidth, columns.height));
        *row.value = PageValue(parent, row.name,
                               QRect(columns.valueX, y, columns.valueWidth, columns.height));
        y += step;
    }
}

}  // namespace parlenko::ui::controls
