#include "platform/serial/port_list.h"

#include "engine/core/strings.h"
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

namespace parlenko::platform {
namespace {

namespace fs = std::filesystem;

// The device a path names, links followed as far as they lead.
std::string DeviceOf(const fs::path& path) {
    std::error_code ec;
    const fs::path device = fs::weakly_canonical(path, ec);
    return ec ? path.string() : device.string();
}

std::vector<std::string> StableNames(const fs::path& devDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(devDir / "serial" / "by-id", ec))
        names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

// devDir's devices named prefix + a number, in number order.
std::vector<std::string> NumberedDevices(const fs::path& devDir, const std::string& prefix) {
    std::vector<std::pair<long long, std::string>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(devDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (!StartsWith(name, prefix)) continue;
        const std::string digits = name.substr(prefix.size());
        const bool allDigits =
            !digits.empty() &&
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!allDigits) continue;
        if (const auto number = ParseInt(digits))
            found.emplace_back(*number, entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [number, path] : found) paths.push_back(std::move(path));
    return paths;
}

}  // namespace

std::string ComPortDevice(int n) {
    const std::string device = ResolvePortName("COM" + IntToStr(n));
    const std::string dataDir = DataDir();
    return StartsWith(device, dataDir) ? device.substr(dataDir.size()) : device;
}

std::vector<std::string> SerialDevicesPresent(const std::string& devDir) {
    std::vector<std::string> devices = StableNames(devDir);
    std::set<std::string> named;
    for (const auto& link : devices) named.insert(DeviceOf(link));
    for (const char* prefix : {"ttyUSB", "ttyACM", "rfcomm"})
        for (auto& path : NumberedDevices(devDir, prefix))
            if (!named.contains(DeviceOf(path))) devices.push_back(std::move(path));
    return devices;
}

}  // namespace parlenko::platform
