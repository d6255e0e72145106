#include "exchange/store/store_settings.h"

#include "exchange/store/vdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace parlenko::exchange::store {
namespace {

std::string Resolve(const std::string& dataDir, const std::string& value,
                    const std::string& fallback) {
    if (value.empty()) return fallback;
    if (value == "~" || value.rfind("~/", 0) == 0) {
        const char* home = std::getenv("HOME");
        return std::string(home ? home : "") + value.substr(1);
    }
    if (value.front() == '/') return value;
    return JoinFolder(dataDir, value);
}

// The folder is there, or the nearest folder above it that is there lets us
// make it; nothing on the way is a plain file.
bool CanBeFolder(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec) return false;
    while (true) {
        const auto status = fs::status(p, ec);
        if (fs::exists(status)) {
            if (!fs::is_directory(status)) return false;
            return p == fs::absolute(path, ec) || ::access(p.c_str(), W_OK | X_OK) == 0;
        }
        if (!p.has_parent_path() || p.parent_path() == p) return false;
        p = p.parent_path();
    }
}

}  // namespace

StoreSettings ResolveStoreSettings(const std::string& dataDir, const StoreSettings& written) {
    StoreSettings s;
    s.Contacts = Resolve(dataDir, written.Contacts, JoinFolder(dataDir, "contacts"));
    s.ContactsDefault = written.ContactsDefault.empty() ? "default" : written.ContactsDefault;
    s.Calendars = Resolve(dataDir, written.Calendars, JoinFolder(dataDir, "calendars"));
    s.CalendarDefault = written.CalendarDefault.empty() ? "default" : written.CalendarDefault;
    return s;
}

bool StoreAvailable(const StoreSettings& s) {
    return IsCollectionName(s.ContactsDefault) && IsCollectionName(s.CalendarDefault) &&
           CanBeFolder(s.Contacts) && CanBeFolder(s.Calendars);
}

}  // namespace parlenko::exchange::store
