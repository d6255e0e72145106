#include "exchange/formats/location_names.h"

#include "exchange/formats/text_lines.h"

namespace parlenko::exchange {
namespace {

// A line break inside a text would split its line in the file.
std::string OneLine(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// A key part: one line, and no double quote, which would end the key early.
std::string KeyPart(std::string_view text) {
    std::string s = OneLine(text);
    for (char& c : s)
        if (c == '"') c = '\'';
    return s;
}

// Key and name of a well-formed line: key,"name" with the quote after the comma
// and a closing quote as the last character.
bool SplitLine(std::string_view line, std::string_view& key, std::string_view& name) {
    auto quote = line.find('"');
    if (quote == std::string_view::npos || quote == 0 || line[quote - 1] != ',') return false;
    if (line.size() < quote + 2 || line.back() != '"') return false;
    key = line.substr(0, quote - 1);
    name = line.substr(quote + 1, line.size() - quote - 2);
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    return bytes ? SplitLines(*bytes) : std::vector<std::string>{};
}

}  // namespace

std::string LocationKey(std::string_view op, std::string_view area, std::string_view cell) {
    // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
    return std::string("{")
        .append(KeyPart(op))
        .append("},{")
        .append(KeyPart(area))
        .append("},{")
        .append(KeyPart(cell))
        .append("}");
}

std::string FindLocationNameIn(const std::vector<std::string>& lines, std::string_view key) {
    for (const auto& line : lines) {
        std::string_view k, name;
        if (SplitLine(line, k, name) && k == key) return std::string(name);
    }
    return {};
}

void SetLocationNameIn(std::vector<std::string>& lines, std::string_view key,
                       std::string_view name) {
    std::string newLine = std::string(key) + ",\"" + OneLine(name) + "\"";
    for (auto& line : lines) {
        std::string_view k, old;
        if (SplitLine(line, k, old) && k == key) {
            line = std::move(newLine);
            return;
        }
    }
    lines.push_back(std::move(newLine));
}

std::string LocationsFilePath(const std::string& dataDir) {
    return JoinPath(dataDir, kLocationsFileName);
}

std::string FindLocationName(const std::string& dataDir, std::string_view op, std::string_view area,
                             std::string_view cell) {
    return FindLocationNameIn(ReadLines(LocationsFilePath(dataDir)), LocationKey(op, area, cell));
}

WriteResult SaveLocationName(const std::string& dataDir, std::string_view op, std::string_view area,
                             std::string_view cell, std::string_view name) {
    const std::string path = LocationsFilePath(dataDir);
    auto bytes = ReadFileBytes(path);
    if (!bytes && FileExists(path)) return {"Could not read \"" + path + "\""};
    auto lines = bytes ? SplitLines(*bytes) : std::vector<std::string>{};
    SetLocationNameIn(lines, LocationKey(op, area, cell), name);
    return WriteFileAtomically(path, JoinLines(lines));
}

}  // namespace parlenko::exchange
