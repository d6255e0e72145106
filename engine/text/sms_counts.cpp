#include "engine/text/sms_counts.h"

#include <algorithm>

namespace parlenko {

SmsFolderCount CountSmsFolder(const std::vector<AListSMS>& messages, SmsFolder folder) {
    const char* member1 = folder == SmsFolder::Incoming ? "0" : "2";  // the marked status
    const char* member2 = folder == SmsFolder::Incoming ? "1" : "3";
    SmsFolderCount count;
    for (const auto& m : messages) {
        if (m.Status == member1) {
            ++count.items;
            ++count.marked;
        } else if (m.Status == member2) {
            ++count.items;
        }
    }
    return count;
}

std::string SmsFolderCountText(const SmsFolderCount& count) {
    if (count.items == 0) return "(0/0 new)";
    return "(" + std::to_string(count.items) + "/" + std::to_string(count.marked) + " new)";
}

int CountCR(std::string_view s) { return static_cast<int>(std::count(s.begin(), s.end(), '\r')); }

int CountCharsExceptCR(std::string_view s) { return static_cast<int>(s.size()) - CountCR(s); }

}  // namespace parlenko
