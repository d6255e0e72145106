#include "engine/phonebook/entry_ops.h"

#include "engine/core/strings.h"
#include "engine/phonebook/entry_line.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/phonebook/phonebook_commands.h"
#include "engine/conversation/command_lines.h"

#include <optional>

namespace parlenko {

namespace {

constexpr char kBadRequest[] =
    "Error occurred while trying to write or\rdelete entry in mobile phonebook!";

void Refuse(EngineContext& ctx, const char* caption, const char* text, DialogKind kind) {
    ctx.host.ShowMessageDialog(caption, text, kind, DialogButtons::Ok);
}

// Service numbers (and anything else but the three writable memories) are
// the phone's own: refused with the page's words.
bool RefuseUnwritable(EngineContext& ctx, PhoneMemory memory, const char* text) {
    if (IsWritable(memory)) return false;
    Refuse(ctx, "Information", text, DialogKind::Information);
    return true;
}

// A position as the number the phone takes ("007" -> 7); nullopt unless 1..65535.
std::optional<long long> PositionNumber(std::string_view text) {
    const auto n = ParseInt(Trim(text));
    if (!n || *n < 1 || *n > 65535) return std::nullopt;
    return n;
}

// The built line is one "AT+CPBW=<position>,..." command ending in its one
// CR (empty when the values make none) for a position of 1..65535, the
// entry's.
bool IsWriteLineFor(const std::string& line, const AListIme& entry) {
    if (!StartsWith(line, "AT+CPBW=") || line.size() < 10 || line.back() != '\r' ||
        !at::IsOneCommand(line))
        return false;
    const std::string args = line.substr(8, line.size() - 9);
    const auto comma = args.find(',');
    if (comma == std::string::npos) return false;
    const auto linePosition = PositionNumber(std::string_view(args).substr(0, comma));
    return linePosition && linePosition == PositionNumber(entry.Position);
}

// The pending write of entry into its memory, or nullopt (refused, reported).
std::optional<WritePending> MakeWrite(EngineContext& ctx, const PhonebookEntryValues& entry) {
    const std::string name = entry.Vip ? VipName(entry.Name) : entry.Name;
    PhonebookWrite write = BuildPhonebookWrite(name, entry.Number, entry.Position);
    if (!IsWriteLineFor(write.Line, write.Entry)) {
        Refuse(ctx, "Error", kBadRequest, DialogKind::Error);
        return std::nullopt;
    }
    write.Entry.Location = std::string(MemoryCaption(entry.Memory));
    return WritePending{std::move(write.Line), std::move(write.Entry)};
}

std::optional<DeletePending> MakeDelete(EngineContext& ctx, PhoneMemory memory,
                                        std::string_view position) {
    const auto n = PositionNumber(position);
    if (!n) {
        Refuse(ctx, "Error", kBadRequest, DialogKind::Error);
        return std::nullopt;
    }
    return DeletePending{memory, IntToStr(*n)};
}

}  // namespace

void SavePhonebookEntry(EngineContext& ctx, const PhonebookEntryValues& entry) {
    if (!ctx.port.Connected()) return;
    if (RefuseUnwritable(ctx, entry.Memory, "Cannot edit service numbers!")) return;
    auto write = MakeWrite(ctx, entry);
    if (!write) return;
    Phonebook(ctx).Op = std::move(*write);
    SendAtCpbs(ctx, entry.Memory);
}

void DeletePhonebookEntry(EngineContext& ctx, PhoneMemory memory, std::string_view position) {
    if (!ctx.port.Connected()) return;
    if (RefuseUnwritable(ctx, memory, "Cannot delete service numbers!")) return;
    auto del = MakeDelete(ctx, memory, position);
    if (!del) return;
    Phonebook(ctx).Op = std::move(*del);
    SendAtCpbs(ctx, memory);
}

void MovePhonebookEntry(EngineContext& ctx, PhoneMemory from, std::string_view fromPosition,
                        const PhonebookEntryValues& entry) {
    if (!ctx.port.Connected()) return;
    const PhoneMemory target = entry.Memory;
    constexpr char kNoMove[] = "Cannot change location for service numbers";
    if (RefuseUnwritable(ctx, from, kNoMove) || RefuseUnwritable(ctx, target, kNoMove)) return;
    auto del = MakeDelete(ctx, from, fromPosition);
    if (!del) return;
    auto write = MakeWrite(ctx, entry);
    if (!write) return;
    // Onto its own memory and position: the entry is rewritten where it is.
    if (target == from && PositionNumber(write->Entry.Position) == PositionNumber(fromPosition))
        Phonebook(ctx).Op = std::move(*write);
    else Phonebook(ctx).Op = MoveEntry{std::move(*del), target, std::move(*write)};
    SendAtCpbs(ctx, target);
}

}  // namespace parlenko
