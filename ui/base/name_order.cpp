#include "ui/base/name_order.h"

#include <QLocale>
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
    const bool blocked = list->blockSignals(true);
    while (list->topLevelItemCount() > 0) list->takeTopLevelItem(0);
    for (const auto& row : rows) list->addTopLevelItem(row.first);
    for (const auto& [row, selected] : rows) row->setSelected(selected);
    if (current != nullptr) list->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    list->blockSignals(blocked);
}

}  // namespace parlenko::ui
