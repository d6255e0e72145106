#pragma once
// The sort of the main window's report lists (phonebook, call lists): one
// sort column and direction shared by all of them. A column click on a list
// of two rows or more toggles the direction when it is the column sorted
// last, keeps it otherwise, and re-sorts; texts compare as names do, in the
// user's language (name_order.h). Column 0 is the row's caption, column k its k-th
// sub-item (the tree widget's column k).

#include <QString>

class QTreeWidget;

namespace parlenko::ui {

struct TListSort {
    int SortColumn = 0;
    bool SortDescending = false;
};

// The state the main window's lists share.
TListSort& SharedListSort();

// Sorts the rows of list by sort.SortColumn; the current and selected rows
// stay current and selected.
void SortListRows(QTreeWidget* list, const TListSort& sort);

// A click on the header of column: nothing below 2 rows; otherwise the
// direction toggles on the same column, the column is taken and the list
// re-sorted. True when it sorted.
bool ListColumnClick(QTreeWidget* list, int column, TListSort& sort);

}  // namespace parlenko::ui
