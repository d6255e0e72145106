#include "ui/pages/list_sort.h"

#include <QCollator>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace parlenko::ui {

TListSort& SharedListSort() {
    static TListSort sort;
    return sort;
}

int CompareListTexts(const QString& a, const QString& b, const TListSort& sort) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int c = collator.compare(a, b);
    const int r = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return sort.SortDescending ? -r : r;
}

void SortListRows(QTreeWidget* list, const TListSort& sort) {
    if (list == nullptr) return;
    QTreeWidgetItem* current = list->currentItem();
    std::vector<std::pair<QTreeWidgetItem*, bool>> keep;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        keep.emplace_back(row, row->isSelected());
    }

    const int column = sort.SortColumn;
    std::stable_sort(keep.begin(), keep.end(), [&](const auto& x, const auto& y) {
        return CompareListTexts(x.first->text(column), y.first->text(column), sort) < 0;
    });

    const bool blocked = list->blockSignals(true);
    while (list->topLevelItemCount() > 0) list->takeTopLevelItem(0);
    for (auto& [row, sel] : keep) list->addTopLevelItem(row);
    for (auto& [row, sel] : keep) row->setSelected(sel);
    if (current != nullptr) list->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    list->blockSignals(blocked);
}

bool ListColumnClick(QTreeWidget* list, int column, TListSort& sort) {
    if (list == nullptr || list->topLevelItemCount() < 2) return false;
    if (column == sort.SortColumn) sort.SortDescending = !sort.SortDescending;
    sort.SortColumn = column;
    SortListRows(list, sort);
    return true;
}

}  // namespace parlenko::ui
