#include "ui/controls/row_record.h"

#include <QByteArray>
#include <QTreeWidgetItem>

namespace parlenko::ui {
namespace {

constexpr int kLocationRole = Qt::UserRole + 1;
constexpr int kPositionRole = Qt::UserRole + 2;
constexpr int kCallerRole = Qt::UserRole + 3;
constexpr int kNumberRole = Qt::UserRole + 4;

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::string Text(const QTreeWidgetItem& row, int role) {
    return std::string(View(row.data(0, role).toByteArray()));
}

}  // namespace

void KeepRecordKey(QTreeWidgetItem& row, const std::string& location, const std::string& position) {
    row.setData(0, kLocationRole, Bytes(location));
    row.setData(0, kPositionRole, Bytes(position));
}

bool HoldsRecord(const QTreeWidgetItem& row, std::string_view location, std::string_view position) {
    const QByteArray rowLocation = row.data(0, kLocationRole).toByteArray();
    const QByteArray rowPosition = row.data(0, kPositionRole).toByteArray();
    return View(rowLocation) == location && View(rowPosition) == position;
}

void KeepCallRecord(QTreeWidgetItem& row, const CallListRow& call) {
    row.setData(0, kCallerRole, Bytes(call.Caption));
    row.setData(0, kNumberRole, Bytes(call.Number));
}

CallListRow CallRecordOf(const QTreeWidgetItem& row) {
    CallListRow call;
    call.Caption = Text(row, kCallerRole);
    call.Number = Text(row, kNumberRole);
    return call;
}

}  // namespace parlenko::ui
