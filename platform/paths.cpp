#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/core/strings.h"

namespace parlenko::platform {
namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
std::string WithSlash(std::string s) {
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}
}  // namespace

std::string DataDir() {
    if (auto home = Env("PARLENKO_HOME"); !home.empty()) return WithSlash(home);
    if (auto xdg = Env("XDG_DATA_HOME"); !xdg.empty() && xdg.front() == '/')
        return WithSlash(xdg) + "Parlenko/";
    return WithSlash(Env("HOME")) + ".local/share/Parlenko/";
}

bool MakeDirs(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec);
}

std::string ResolvePortName(const std::string& name) {
    if (!name.empty() && name.front() == '/') return name;
    std::string n = name;
    if (StartsWith(n, "\\\\.\\")) n = n.substr(4);
    if (UpperCase(Copy(n, 1, 3)) != "COM") return name;
    auto number = ParseInt(CopyFrom(n, 4));
    if (!number || *number < 1 || *number > 256) return name;
    const std::string link = DataDir() + "ports/com" + IntToStr(*number);
    std::error_code ec;
    if (std::filesystem::is_symlink(link, ec) || std::filesystem::exists(link, ec)) return link;
    return "/dev/ttyS" + IntToStr(*number - 1);
}

}  // namespace parlenko::platform
