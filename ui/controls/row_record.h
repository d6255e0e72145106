#pragma once
// A list row that shows a record the engine keeps (a phonebook entry, a
// message): the row carries the record's memory caption and position
// (Windows-1252, as the engine holds them) and finds the record again by
// them, whatever the row's cells show.

#include "engine/phonebook/phonebook_views.h"

#include <string>
#include <string_view>

class QTreeWidgetItem;

namespace parlenko::ui {

void KeepRecordKey(QTreeWidgetItem& row, const std::string& location, const std::string& position);
bool HoldsRecord(const QTreeWidgetItem& row, std::string_view location, std::string_view position);

// A call-list row keeps its call (caller and number as the engine holds
// them; its picture is the row's own); the call is read back from the row,
// never from its cells.
void KeepCallRecord(QTreeWidgetItem& row, const CallListRow& call);
CallListRow CallRecordOf(const QTreeWidgetItem& row);

}  // namespace parlenko::ui
