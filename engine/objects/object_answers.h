#pragma once
// The answers of the binary-object commands: each calendar slot of the
// appointment read, the acknowledged packets of a calendar, melody or logo
// upload, a deleted appointment, and a melody or logo read from the phone.
// The final-result actions (object_actions.h) recognise the answers by their
// echo and hand the lines here.
//
// Object data comes as hex text and is checked before it is used: a bad
// object shows its type's read-error text, writes no file and leaves no
// operation waiting.

#include "engine/core/engine_context.h"

#include <string>
#include <string_view>

namespace parlenko {

// What a read brought.
enum class ObjectAnswer {
    Data,   // the object's hex text
    Empty,  // the slot holds nothing
};

// Texts of the read failures, also shown when the phone answers "ERROR".
inline constexpr char kAppointmentReadFailed[] =
    "Error occured while trying to read\rappointment from mobile!";
inline constexpr char kMelodyReadFailed[] =
    "Error occured while trying to read\rmelody from mobile!";
inline constexpr char kLogoReadFailed[] = "Error occured while trying to read\rlogo from mobile!";
// Texts of the upload failures.
inline constexpr char kAppointmentSaveFailed[] =
    "Error occured while trying to save\rappointment to mobile!";
inline constexpr char kMelodySaveFailed[] = "Error occured while trying to save\rmelody in mobile!";
inline constexpr char kLogoSaveFailed[] = "Error occured while trying to save\rlogo in mobile!";

// The logo read from the phone is kept in the data folder under this name.
inline constexpr char kLogoFileName[] = "ParlenkoLogo.bmp";

// The appointment read failed (a refusal, silence, the port closed): it
// stops, and the list shows again what it showed before the read began.
// True when one ran.
bool StopAppointmentRead(EngineContext& ctx);

// One slot of the appointment read: adds its row (Data), then asks the next
// slot or ends the read.
void HandleSbnrVcsAnswer(EngineContext& ctx, std::string_view position, std::string_view hex,
                         ObjectAnswer kind);
// A user melody read for saving: asks for a file name and writes it (Data),
// or reports that there is none.
void HandleSbnrMidAnswer(EngineContext& ctx, std::string_view hex, ObjectAnswer kind);
// The logo of slot position ("0" operator logo, "2" screensaver): written to
// the data folder and shown, or the empty state. Ends a logo upload.
void HandleSbnrBmpAnswer(EngineContext& ctx, std::string_view position, std::string_view hex,
                         ObjectAnswer kind);

// One acknowledged packet of an upload: echo is the echoed
// "AT^SBNW="<type>",<location>,<packet>,<count>" line, packet the echoed
// packet line. Sends the next packet's command or finishes the upload.
void HandleSbnwVcsAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet);
void HandleSbnwMidAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet);
void HandleSbnwBmpAnswer(EngineContext& ctx, std::string_view echo, std::string_view packet);

// The calendar slot of the echoed "AT^SBNW="vcs",<location>,0" was emptied.
void HandleAppointmentDeleted(EngineContext& ctx, std::string_view echo);

}  // namespace parlenko
