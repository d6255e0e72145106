#include "engine/text/sms_counts.h"

#include "engine/text/gsm_alphabet.h"
#include "exchange/formats/text_encoding.h"

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
    // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
    return std::string("(")
        .append(std::to_string(count.items))
        .append("/")
        .append(std::to_string(count.marked))
        .append(" new)");
}

int CountCR(std::string_view s) { return static_cast<int>(std::count(s.begin(), s.end(), '\r')); }

int CountCharsExceptCR(std::string_view s) { return static_cast<int>(s.size()) - CountCR(s); }

int SmsTextLimit(bool flash) { return flash ? kFlashSmsTextLimit : kSmsTextLimit; }

int SmsTextLength(std::string_view text, bool flash) {
    if (flash) return CountCharsExceptCR(text);
    return static_cast<int>(SmsTextToGsm(text).size());
}

std::string CutSmsText(std::string_view text, bool flash) {
    const int limit = SmsTextLimit(flash);
    int length = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[end]);
        if (c == '\r') {
            // The CR goes with its LF, or alone when none follows.
            const bool pair = end + 1 < text.size() && text[end + 1] == '\n';
            if (pair && length + 1 > limit) break;
            if (pair) {
                length += 1;
                end += 2;
            } else {
                end += 1;
            }
            continue;
        }
        const int units = flash ? 1 : GsmUnits(exchange::Windows1252CodePoint(text[end]));
        if (length + units > limit) break;
        length += units;
        ++end;
    }
    return std::string(text.substr(0, end));
}

std::string InsertTemplate(std::string_view old, std::string_view templ, bool append) {
    if (!append) return std::string(templ);
    // Counted as the phone's text; a character it has not counts once (and
    // keeps the message from being sent until it is changed).
    const auto length = [](std::string_view utf8) {
        return SmsTextLength(exchange::Utf8ToWindows1252(utf8), false);
    };
    const std::string whole = std::string(old) + "\r\n" + std::string(templ);
    if (length(whole) <= kSmsTextLimit) return whole;
    const std::u32string chars = exchange::ComposedCodePoints(old);
    const auto templLength = static_cast<int>(exchange::ComposedCodePoints(templ).size());
    int keep = std::max(0, 157 - (templLength + 2));
    keep = std::min(keep, static_cast<int>(chars.size()));
    for (;; --keep) {
        std::u32string kept = chars.substr(0, static_cast<std::size_t>(keep));
        // A line break is not cut in half.
        if (!kept.empty() && kept.back() == U'\r') kept.pop_back();
        std::string text;
        for (char32_t cp : kept) exchange::AppendUtf8(text, cp);
        text += "...\r\n" + std::string(templ);
        if (keep == 0 || length(text) <= kSmsTextLimit) return text;
    }
}

}  // namespace parlenko
