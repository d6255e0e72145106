#pragma once
// The phonebook backups of the backup wizard: ".pbb" files of the phonebook
// cache's 76-byte records (phonebook_file.h), in a folder the user picks, and
// "BackupPaths.bup" in the data folder, the list of known backup files (one
// full path per line, sorted). Both are replaced whole and atomically: a
// failed write keeps the old file.

#include "exchange/formats/atomic_file.h"
#include "exchange/formats/phonebook_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace parlenko::exchange {

inline constexpr char kBackupPathsFileName[] = "BackupPaths.bup";
inline constexpr char kBackupExtension[] = ".pbb";

// "Backup_" and the day, month and year of two digits each ("Backup_071226").
std::string DefaultBackupName(int day, int month, int year);

// Which memories a backup takes.
struct BackupMemories {
    bool sim = true;
    bool mobile = true;
    bool own = true;
};
// The entries of memories in list order; never the service numbers.
std::vector<PhonebookFileEntry> SelectBackupEntries(const std::vector<PhonebookFileEntry>& list,
                                                    BackupMemories memories);
// Writes those entries to path (replaced atomically).
WriteResult WriteBackupFile(const std::string& path, const std::vector<PhonebookFileEntry>& list,
                            BackupMemories memories);

// A backup read for a restore: the records that can be written back, in file
// order. A record is dropped (and counted as damaged) when its lengths are
// out of range, its memory is not "SIM card", "Mobile memory" or "Own
// numbers", or its number holds other characters than "#", "*", "+" and
// digits (it goes into the write command as it stands).
PhonebookFileContents ReadBackupFile(const std::string& path);

// "BackupPaths.bup" of the data folder.
std::string BackupPathsFilePath(const std::string& dataDir);
// The lines that name an existing file, in file order; the file is rewritten
// with just those when any was dropped. Paths compare exactly.
std::vector<std::string> LoadBackupPaths(const std::string& dataDir);
// Adds path once (exact comparison) and saves the list sorted.
WriteResult AddBackupPath(const std::string& dataDir, const std::string& path);

// One known backup as the wizard lists it.
struct BackupFileInfo {
    std::string path;        // as listed
    std::string name;        // file name without a ".pbb" extension
    std::string folder;      // with its closing '/'
    std::string date;        // "dd.mm.yyyy   hh:mm:ss" (local time), three blanks between
    std::int64_t mtime = 0;  // seconds since the epoch
};
// The known backups that exist, newest first (by the file time itself).
std::vector<BackupFileInfo> ListBackups(const std::string& dataDir);

}  // namespace parlenko::exchange
