#include "exchange/store/vdir.h"

#include "exchange/formats/atomic_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>
#include <tuple>

namespace parlenko::exchange::store {

std::string JoinFolder(const std::string& folder, std::string_view name) {
    return exchange::JoinPath(folder, name);
}

bool IsCollectionName(std::string_view name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::string SafeFolderName(std::string_view typed) {
    std::string name;
    for (char c : typed) {
        const auto u = static_cast<unsigned char>(c);
        name.push_back((c == '/' || u < 0x20 || u == 0x7F) ? '_' : c);
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.back())) name.pop_back();
    name.erase(name.begin(), std::find_if_not(name.begin(), name.end(), blank));
    if (!name.empty() && name.front() == '.') name.front() = '_';
    if (name.size() > 200) {
        std::size_t cut = 200;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return name;
}

std::vector<std::string> CollectionFolders(const std::string& storage) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(storage, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (IsCollectionName(name) && it->is_directory(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadDisplayName(const std::string& collection) {
    auto bytes = exchange::ReadFileBytes(JoinFolder(collection, "displayname"));
    if (!bytes) return {};
    std::string line = bytes->substr(0, bytes->find_first_of("\r\n"));
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.back())) line.pop_back();
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    return line;
}

std::vector<std::string> ItemFiles(const std::string& collection, std::string_view extension) {
    namespace fs = std::filesystem;
    std::vector<std::tuple<long long, long long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(collection, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.' || name.size() <= extension.size() ||
            name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
            continue;
        struct stat st {};
        const std::string path = it->path().string();
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        found.emplace_back(static_cast<long long>(st.st_mtim.tv_sec),
                           static_cast<long long>(st.st_mtim.tv_nsec), path);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    paths.reserve(found.size());
    for (auto& f : found) paths.push_back(std::move(std::get<2>(f)));
    return paths;
}

std::string NewUid() {
    static std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<unsigned> byte(0, 255);
    unsigned char b[16];
    for (auto& x : b) x = static_cast<unsigned char>(byte(engine));
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}

std::string UtcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &tm);
    return text;
}

}  // namespace parlenko::exchange::store
