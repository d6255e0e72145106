#pragma once
// A fresh folder under the system's temporary folder, removed with its files.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>
#include <iterator>

namespace parlenko::exchange::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "parlenko-files-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) path_ = made;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

    void Put(std::string_view name, std::string_view bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string Get(std::string_view name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Names of everything in the folder, sorted, joined by blanks.
    std::string Listing() const {
        std::string names;
        std::vector<std::string> all;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            all.push_back(e.path().filename().string());
        std::sort(all.begin(), all.end());
        for (const auto& n : all) names += (names.empty() ? "" : " ") + n;
        return names;
    }

private:
    std::string path_;
};

}  // namespace parlenko::exchange::testing
