#pragma once
// What the appointments, melodies and logo pages start: the calendar read,
// the upload of an entry, a melody or a logo, their deletes and the melody
// and logo reads. Each sends only the first command (nothing while the port
// is closed); the answers carry the operation on (object_answers.h).

#include "engine/core/engine_context.h"
#include "engine/objects/appointment_row.h"
#include "engine/text/vcalendar.h"

#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

// Packets of an upload: 352 hex characters (176 bytes) each, the last shorter.
inline constexpr std::size_t kPacketHexLength = 352;
// Melodies and logos travel in at most this many packets (8800 bytes).
inline constexpr std::size_t kMaxObjectPackets = 50;

// Reads every calendar slot, 1 to the phone's highest, into the list.
void RefreshAppointments(EngineContext& ctx);
// Writes entry into calendar slot; isNew adds its row, else the slot's row
// is updated when the phone has taken it.
// The lowest free slot of the calendar read (free: one line per slot, ""
// for a used one).
AppointmentSlotChoice NewAppointmentSlot(const std::vector<std::string>& free);
void SaveAppointment(EngineContext& ctx, const VCalendarEntry& entry, int slot, bool isNew);
void DeleteAppointment(EngineContext& ctx, int slot);

// userMelody: the rank (from 0) of the chosen melody among the user melodies
// of the melody list; the delete derives the phone's index from the list.
void ReadUserMelody(EngineContext& ctx, int userMelody);
void DeleteUserMelody(EngineContext& ctx, int userMelody);
// A MIDI file's bytes into the user-melody slot. False (after telling the
// user) when the file needs more than kMaxObjectPackets packets.
bool UploadMelody(EngineContext& ctx, std::string_view fileBytes, int slot);

// kind 0 the operator logo, 1 the screensaver (object indexes 0 and 2).
void ReadLogo(EngineContext& ctx, int kind);
void DeleteLogo(EngineContext& ctx, int kind);
// A bitmap file's bytes as the logo of kind. False as for UploadMelody.
bool UploadLogo(EngineContext& ctx, std::string_view bitmapBytes, int kind);

}  // namespace parlenko
