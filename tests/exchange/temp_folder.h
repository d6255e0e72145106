#pragma once
// A fresh folder for one test (see tests/support/temp_dir.h), with small
// helpers to put, read and list its files.

#include "tests/support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>
#include <iterator>

namespace parlenko::exchange::testing {

class TempFolder : public ::parlenko::testing::TempDir {
public:
    TempFolder() : TempDir("parlenko-files") {}

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
        for (const auto& e : std::filesystem::directory_iterator(path()))
            all.push_back(e.path().filename().string());
        std::sort(all.begin(), all.end());
        for (const auto& n : all) names += (names.empty() ? "" : " ") + n;
        return names;
    }
};

}  // namespace parlenko::exchange::testing
