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

}  // namespace parlenko
