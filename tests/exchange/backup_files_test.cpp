// The backup wizard's files: what a backup holds, the list of known backups,
// and the records a restore refuses to list.
#include "exchange/formats/backup_files.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace parlenko::exchange {
namespace {

using testing::TempFolder;

const std::vector<PhonebookFileEntry> kList = {
    {"Ana!", "+385911234567", "SIM card", "001"},
    {"Emergency", "112", "Service numbers", "001"},
    {"Marko", "+385981112223", "Mobile memory", "001"},
    {"My number", "+385915550001", "Own numbers", "001"},
    {"Ivo", "0912", "SIM card", "007"},  // saved after the read: at the end
};

TEST(BackupFiles, BackupHoldsTheCheckedMemoriesRecordsInListOrderNeverServiceNumbers) {
    TempFolder dir;
    const std::string path = dir.file("Backup_071226.pbb");
    ASSERT_TRUE(WriteBackupFile(path, kList, {}).ok());
    EXPECT_EQ(dir.Get("Backup_071226.pbb"),
              EncodePhonebookRecords({kList[0], kList[2], kList[3], kList[4]}));
    ASSERT_TRUE(WriteBackupFile(path, kList, {.sim = true, .mobile = false, .own = false}).ok());
    EXPECT_EQ(dir.Get("Backup_071226.pbb"), EncodePhonebookRecords({kList[0], kList[4]}));
    // Read back for a restore: the same entries, in file order.
    EXPECT_EQ(ReadBackupFile(path).entries, (std::vector{kList[0], kList[4]}));
    EXPECT_EQ(DefaultBackupName(7, 12, 2026), "Backup_071226");
}

// Writes fail part way once the file passes a size limit (also as root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(BackupFiles, FailedWriteKeepsTheOldBackup) {
    TempFolder dir;
    const std::string path = dir.file("b.pbb");
    ASSERT_TRUE(WriteBackupFile(path, {kList[0]}, {}).ok());
    const std::string old = dir.Get("b.pbb");
    {
        FileSizeLimit limit(100);
        const auto written = WriteBackupFile(path, kList, {});
        EXPECT_FALSE(written.ok());
        EXPECT_FALSE(written.error.empty());
    }
    EXPECT_EQ(dir.Get("b.pbb"), old);
    EXPECT_EQ(dir.Listing(), "b.pbb");
}

TEST(BackupFiles, PathListHoldsEachPathOnceSortedAndDropsMissingFiles) {
    TempFolder data;
    TempFolder backups;
    backups.Put("B.pbb", "");
    backups.Put("a.pbb", "");
    backups.Put("X.PBB", "");
    const std::string b = backups.file("B.pbb"), a = backups.file("a.pbb"),
                      x = backups.file("X.PBB");
    for (const auto& p : {b, a, b, x, backups.file("gone.pbb")})
        ASSERT_TRUE(AddBackupPath(data.path(), p).ok());
    // Paths compare exactly: "b.pbb" would be another file here.
    EXPECT_EQ(data.Get("BackupPaths.bup"),
              b + "\r\n" + x + "\r\n" + a + "\r\n" + backups.file("gone.pbb") + "\r\n");
    EXPECT_EQ(LoadBackupPaths(data.path()), (std::vector{b, x, a}));
    EXPECT_EQ(data.Get("BackupPaths.bup"), b + "\r\n" + x + "\r\n" + a + "\r\n");
    // Listed with their names ("X.PBB" keeps its upper-case extension) and full paths.
    const auto listed = ListBackups(data.path());
    ASSERT_EQ(listed.size(), 3u);
    std::vector<std::string> names;
    for (const auto& l : listed) names.push_back(l.name);
    EXPECT_NE(std::find(names.begin(), names.end(), "X.PBB"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "a"), names.end());
    EXPECT_EQ(listed[0].folder, backups.path() + "/");
    EXPECT_EQ(listed[0].date.substr(10, 3), "   ");
}

TEST(BackupFiles, RecordsThatCannotBeWrittenBackAreNotListed) {
    TempFolder dir;
    const std::vector<PhonebookFileEntry> records = {
        {"Ana", "0911", "SIM card", "001"},
        {"Evil", "1\"\rAT^SMSO", "SIM card", "002"},  // would end the command line
        {"Emergency", "112", "Service numbers", "001"},
        {"Odd", "0913", "Somewhere", "001"},
        {"Marko", "+385981112223", "Mobile memory", "001"},
    };
    ASSERT_TRUE(WritePhonebookRecordsFile(dir.file("b.pbb"), records).ok());
    const auto read = ReadBackupFile(dir.file("b.pbb"));
    EXPECT_EQ(read.entries, (std::vector{records[0], records[4]}));
    EXPECT_EQ(read.damagedRecords, 3u);
}

}  // namespace
}  // namespace parlenko::exchange
