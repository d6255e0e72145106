#pragma once
// The folders and files of a vdir storage: collections, their display names,
// the item files and the names the store gives new ones.

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange::store {

// folder + "/" + name (no doubled "/").
std::string JoinFolder(const std::string& folder, std::string_view name);

// A name that is one folder inside the storage: not empty, no "/" or NUL, and
// not beginning with "." (hidden folders, ".." included, are never collections).
bool IsCollectionName(std::string_view name);

// A folder name made from what the user typed: "/", NUL and control
// characters become "_", a leading "." becomes "_", blanks at the ends go, and
// the name is cut to 200 octets without splitting a character. Empty when
// nothing is left.
std::string SafeFolderName(std::string_view typed);

// The collections of a storage folder: the names of its subfolders that are
// collection names, sorted by name.
std::vector<std::string> CollectionFolders(const std::string& storage);

// The first line of folder/displayname without blanks at its ends; empty when
// there is none.
std::string ReadDisplayName(const std::string& collection);

// The files of a collection ending in extension (".vcf"), oldest change first
// (equal times by name). Hidden files and temporary files are left out.
std::vector<std::string> ItemFiles(const std::string& collection, std::string_view extension);

// A random version 4 UUID in lower case, for UID and file name.
std::string NewUid();

// The time now as an iCalendar UTC time ("20261207T101500Z").
std::string UtcStamp();

}  // namespace parlenko::exchange::store
