#pragma once
// Names (of people, of entries, of contacts) in the order the user's
// language sorts them, case ignored: the collation of the user's locale, or
// Croatian, the program's own language, where the locale names no language
// (the C and POSIX locales, whose order of code points would put "Č" and
// "Đ" after "Z"). In Croatian "Č" and "Ć" follow "C", "Đ" follows "D".

#include <QCollator>
#include <QString>

#include <vector>

class QTreeWidget;

namespace parlenko::ui {

// A collator of that order; make one per sort, not per comparison.
QCollator NameCollator();

// Sorts names in that order; equal names keep their order.
void SortNames(std::vector<QString>& names);

// Sorts the top-level rows of list by the text of column in that order;
// the current and the selected rows stay current and selected.
void SortRowsByName(QTreeWidget* list, int column, bool descending = false);

}  // namespace parlenko::ui
