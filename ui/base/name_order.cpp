#include "ui/base/name_order.h"

#include <QLocale>
#include <QItemSelection>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace parlenko::ui {

QCollator NameCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::Croatian, QLocale::Croatia);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

void SortNames(std::vector<QString>& names) {
    const QCollator collator = NameCollator();
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator(a, b); });
}

void SortRowsByName(QTreeWidget* list, int column, bool descending) {
    if (list == nullptr) return;
    QTreeWidgetItem* current = list->currentItem();
    std::vector<std::pair<QTreeWidgetItem*, bool>> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        rows.emplace_back(row, row->isSelected());
    }
    const QCollator collator = NameCollator();
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& x, const auto& y) {
        const int c = collator.compare(x.first->text(column), y.first->text(column));
        return descending ? c > 0 : c < 0;
    });
    // All rows out and back in at once: taken one by one, each taking of the
    // selected row would move the selection, scroll and lay out the list.
    const bool blocked = list->blockSignals(true);
    const QList<QTreeWidgetItem*> taken = list->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(taken.size());
    for (const auto& row : rows) sorted.append(row.first);
    list->addTopLevelItems(sorted);
    QItemSelection selection;
    for (const auto& [row, selected] : rows) {
        if (!selected) continue;
        const QModelIndex index = list->indexFromItem(row);
        selection.select(index, index.siblingAtColumn(list->columnCount() - 1));
    }
    if (current != nullptr) list->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    list->blockSignals(blocked);
}

}  // namespace parlenko::ui
