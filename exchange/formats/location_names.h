#pragma once
// "Locations.dat" in the data folder, beside "Phonebook.dat": the user's names
// for network cells. One line per cell:
//   {Operator},{Area},{Cell},"Name"
// The key of a line is its text before the comma in front of the first double
// quote; the name is the text between that quote and the line's last character,
// a closing double quote. Empty lines and lines without that shape are passed
// over when looking up, and kept as they are when the file is saved again.

#include "exchange/formats/atomic_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange {

inline constexpr char kLocationsFileName[] = "Locations.dat";

// "{" + op + "},{" + area + "},{" + cell + "}"; line breaks in the texts become
// blanks and double quotes apostrophes, so that every key can be found again.
std::string LocationKey(std::string_view op, std::string_view area, std::string_view cell);

// The name on the first line whose key is key; empty when there is none.
std::string FindLocationNameIn(const std::vector<std::string>& lines, std::string_view key);
// Replaces the first line with that key by key,"name", or adds that line at the end.
void SetLocationNameIn(std::vector<std::string>& lines, std::string_view key,
                       std::string_view name);

std::string LocationsFilePath(const std::string& dataDir);
// The name the user gave the cell; empty when the file or the cell is unknown.
std::string FindLocationName(const std::string& dataDir, std::string_view op, std::string_view area,
                             std::string_view cell);
// Names the cell, replacing an earlier name of the same cell; creates the file.
WriteResult SaveLocationName(const std::string& dataDir, std::string_view op, std::string_view area,
                             std::string_view cell, std::string_view name);

}  // namespace parlenko::exchange
