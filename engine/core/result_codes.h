#pragma once
// The texts the phone sends of its own accord or to end a command, as the
// receive scan tests them and as the intake of new lines recognises them.

#include <array>
#include <string_view>

namespace parlenko::codes {

// Whole lines.
inline constexpr char kRing[] = "RING";
inline constexpr char kNoCarrier[] = "NO CARRIER";
inline constexpr char kBusy[] = "BUSY";
inline constexpr char kNoDialtone[] = "NO DIALTONE";
inline constexpr char kOk[] = "OK";
inline constexpr char kError[] = "ERROR";
inline constexpr char kPrompt[] = "> ";

// Line beginnings.
inline constexpr char kCmeError[] = "+CME ERROR: ";
inline constexpr char kCmsError[] = "+CMS ERROR: ";
inline constexpr char kClip[] = "+CLIP: ";
inline constexpr char kCmti[] = "+CMTI: ";
inline constexpr char kCdsi[] = "+CDSI: ";
inline constexpr char kCreg[] = "+CREG: ";
inline constexpr char kCbm[] = "+CBM: ";
inline constexpr char kCbmPage[] = "+CBM: 88";  // the header of a page the scan reads
inline constexpr char kSmgo[] = "^SMGO: ";
inline constexpr char kEsc[] = "\x1b";
// What ends a body sent at the prompt, and its echo.
inline constexpr char kCtrlZ = '\x1a';

// The call codes: whole lines the phone sends about a call.
inline constexpr std::array<std::string_view, 4> kCallCodes = {kRing, kNoCarrier, kBusy,
                                                               kNoDialtone};
// Notices that begin with a prefix ("+CREG: " is one too, unless it answers
// "AT+CREG?").
inline constexpr std::array<std::string_view, 5> kNoticePrefixes = {kClip, kCmti, kCdsi, kSmgo,
                                                                    kCbm};

}  // namespace parlenko::codes
