#include "engine/text/date_text.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "engine/core/strings.h"

namespace parlenko {
namespace {

// Splits s at sep into fields of 1..maxDigits decimal digits each.
std::optional<std::vector<int>> DigitFields(std::string_view s, char sep, std::size_t maxDigits) {
    std::vector<int> out;
    std::size_t start = 0;
    while (true) {
        auto end = s.find(sep, start);
        auto field =
            s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (field.empty() || field.size() > maxDigits) return std::nullopt;
        int v = 0;
        for (char c : field) {
            if (c < '0' || c > '9') return std::nullopt;
            v = v * 10 + (c - '0');
        }
        out.push_back(v);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return out;
}

}  // namespace

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view s) {
    std::string trimmed = Trim(s);
    auto yearStart = trimmed.rfind('.');
    if (yearStart == std::string::npos) return std::nullopt;
    auto dayMonth = DigitFields(std::string_view(trimmed).substr(0, yearStart), '.', 2);
    auto year = DigitFields(std::string_view(trimmed).substr(yearStart + 1), '.', 4);
    if (!dayMonth || dayMonth->size() != 2 || !year) return std::nullopt;
    int y = (*year)[0];
    if (trimmed.size() - yearStart - 1 <= 2) y += 2000;
    if (y < 1) return std::nullopt;
    std::chrono::year_month_day d{std::chrono::year{y},
                                  std::chrono::month{static_cast<unsigned>((*dayMonth)[1])},
                                  std::chrono::day{static_cast<unsigned>((*dayMonth)[0])}};
    if (!d.ok()) return std::nullopt;
    return d;
}

std::string FormatDateText(const std::chrono::year_month_day& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02u.%02u.%04d", static_cast<unsigned>(d.day()),
                  static_cast<unsigned>(d.month()), static_cast<int>(d.year()));
    return buf;
}

std::optional<std::chrono::seconds> ParseTimeText(std::string_view s) {
    auto fields = DigitFields(Trim(s), ':', 2);
    if (!fields || fields->size() < 2 || fields->size() > 3) return std::nullopt;
    int h = (*fields)[0], m = (*fields)[1], sec = fields->size() == 3 ? (*fields)[2] : 0;
    if (h > 23 || m > 59 || sec > 59) return std::nullopt;
    return std::chrono::hours{h} + std::chrono::minutes{m} + std::chrono::seconds{sec};
}

std::string FormatTimeText(std::chrono::seconds timeOfDay) {
    long long t = timeOfDay.count() % 86400;
    if (t < 0) t += 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", t / 3600, t / 60 % 60, t % 60);
    return buf;
}

std::chrono::local_seconds LocalNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    using namespace std::chrono;
    auto day = local_days{year{tm.tm_year + 1900} / (tm.tm_mon + 1) / tm.tm_mday};
    return day + hours{tm.tm_hour} + minutes{tm.tm_min} + seconds{tm.tm_sec};
}

}  // namespace parlenko
