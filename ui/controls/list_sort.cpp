#include "ui/controls/list_sort.h"

#include "ui/base/name_order.h"

#include <QTreeWidget>

namespace parlenko::ui {

TListSort& SharedListSort() {
    static TListSort sort;
    return sort;
}

void SortListRows(QTreeWidget* list, const TListSort& sort) {
    SortRowsByName(list, sort.SortColumn, sort.SortDescending);
}

bool ListColumnClick(QTreeWidget* list, int column, TListSort& sort) {
    if (list == nullptr || list->topLevelItemCount() < 2) return false;
    if (column == sort.SortColumn) sort.SortDescending = !sort.SortDescending;
    sort.SortColumn = column;
    SortListRows(list, sort);
    return true;
}

}  // namespace parlenko::ui
