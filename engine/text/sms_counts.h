#pragma once
// Counters of the SMS folders and of message texts.

#include <string>
#include <string_view>
#include <vector>

#include "engine/phone/records.h"

namespace parlenko {

enum class SmsFolder { Outgoing = 0, Incoming = 1 };

struct SmsFolderCount {
    int items = 0;
    int marked = 0;  // incoming: unread; outgoing: not yet sent
};

// The messages of a folder among the records of both folders: incoming are
// those of status "0" (unread) and "1", outgoing those of "2" (unsent) and "3".
SmsFolderCount CountSmsFolder(const std::vector<AListSMS>& messages, SmsFolder folder);

// The caption beside a folder's header: "(items/marked new)", "(0/0 new)"
// for an empty folder (whose commands the caller then disables).
std::string SmsFolderCountText(const SmsFolderCount& count);

// The characters of s that are not CR, and those that are. Line breaks are
// CR LF, so the length shown to the user counts each break once.
int CountCharsExceptCR(std::string_view s);
int CountCR(std::string_view s);

// --- the compose window's counting -----------------------------------------
// Texts are Windows-1252 with CR LF line breaks, as the compose window holds
// them. Lengths count as the PDU encoder does: a normal message in GSM code
// units (a character of the extension table, such as "{" or the euro, is
// two; a line break one, its CR dropped), a
// flash message (UCS2) every character but CR.

inline constexpr int kSmsTextLimit = 160;
inline constexpr int kFlashSmsTextLimit = 69;

int SmsTextLimit(bool flash);
int SmsTextLength(std::string_view text, bool flash);
// The longest start of text that stays within the limit (a line break is
// never cut in half).
std::string CutSmsText(std::string_view text, bool flash);
// A ready text for the compose window, in UTF-8 (a received text keeps
// every letter). Without append: the template. With append: old + CR LF +
// template; when that would be longer than a normal message may be, the old
// text is cut to its first 157 - (template length + 2) characters and "..."
// follows it, and shortened further until the whole fits.
std::string InsertTemplate(std::string_view old, std::string_view templ, bool append);

}  // namespace parlenko
