#include "exchange/formats/backup_files.h"

#include "exchange/formats/text_lines.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace parlenko::exchange {

namespace {

bool IsRestorableLocation(const std::string& location) {
    return location == kSimCardLocation || location == kMobileMemoryLocation ||
           location == kOwnNumbersLocation;
}

bool IsNumberText(const std::string& number) {
    return std::all_of(number.begin(), number.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '#' || c == '*' || c == '+';
    });
}

std::string TwoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", ((v % 100) + 100) % 100);
    return buf;
}

}  // namespace

std::string DefaultBackupName(int day, int month, int year) {
    return "Backup_" + TwoDigits(day) + TwoDigits(month) + TwoDigits(year);
}

std::vector<PhonebookFileEntry> SelectBackupEntries(const std::vector<PhonebookFileEntry>& list,
                                                    BackupMemories memories) {
    std::vector<PhonebookFileEntry> out;
    for (const auto& e : list) {
        const bool take = (e.Location == kSimCardLocation && memories.sim) ||
                          (e.Location == kMobileMemoryLocation && memories.mobile) ||
                          (e.Location == kOwnNumbersLocation && memories.own);
        if (take) out.push_back(e);
    }
    return out;
}

WriteResult WriteBackupFile(const std::string& path, const std::vector<PhonebookFileEntry>& list,
                            BackupMemories memories) {
    return WritePhonebookRecordsFile(path, SelectBackupEntries(list, memories));
}

PhonebookFileContents ReadBackupFile(const std::string& path) {
    PhonebookFileContents contents = ReadPhonebookRecordsFile(path);
    const auto before = contents.entries.size();
    std::erase_if(contents.entries, [](const PhonebookFileEntry& e) {
        return !IsRestorableLocation(e.Location) || !IsNumberText(e.Phone);
    });
    contents.damagedRecords += before - contents.entries.size();
    return contents;
}

std::string BackupPathsFilePath(const std::string& dataDir) {
    return JoinPath(dataDir, kBackupPathsFileName);
}

namespace {

std::vector<std::string> ReadPathLines(const std::string& dataDir) {
    std::vector<std::string> lines;
    const auto bytes = ReadFileBytes(BackupPathsFilePath(dataDir));
    if (!bytes) return lines;
    for (auto& line : SplitLines(*bytes))
        if (!line.empty()) lines.push_back(line);
    return lines;
}

bool IsRegularFile(const std::string& path, std::int64_t* mtime = nullptr) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (mtime) *mtime = static_cast<std::int64_t>(st.st_mtime);
    return true;
}

std::string DateText(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d.%m.%Y   %H:%M:%S", &tm);
    return buf;
}

}  // namespace

std::vector<std::string> LoadBackupPaths(const std::string& dataDir) {
    const auto lines = ReadPathLines(dataDir);
    std::vector<std::string> kept;
    for (const auto& line : lines)
        if (IsRegularFile(line)) kept.push_back(line);
    // Listing never fails: a list that cannot be rewritten is rewritten next time.
    if (kept.size() != lines.size())
        (void)WriteFileAtomically(BackupPathsFilePath(dataDir), JoinLines(kept));
    return kept;
}

WriteResult AddBackupPath(const std::string& dataDir, const std::string& path) {
    auto lines = ReadPathLines(dataDir);
    if (std::find(lines.begin(), lines.end(), path) == lines.end()) lines.push_back(path);
    std::sort(lines.begin(), lines.end());
    return WriteFileAtomically(BackupPathsFilePath(dataDir), JoinLines(lines));
}

std::vector<BackupFileInfo> ListBackups(const std::string& dataDir) {
    std::vector<BackupFileInfo> out;
    for (const auto& path : LoadBackupPaths(dataDir)) {
        BackupFileInfo info;
        if (!IsRegularFile(path, &info.mtime)) continue;
        info.path = path;
        const auto slash = path.find_last_of('/');
        info.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        info.name = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::string ext = kBackupExtension;
        if (info.name.size() > ext.size() &&
            info.name.compare(info.name.size() - ext.size(), ext.size(), ext) == 0)
            info.name.resize(info.name.size() - ext.size());
        info.date = DateText(info.mtime);
        out.push_back(std::move(info));
    }
    std::stable_sort(out.begin(), out.end(), [](const BackupFileInfo& a, const BackupFileInfo& b) {
        return a.mtime > b.mtime;
    });
    return out;
}

}  // namespace parlenko::exchange
