// The phonebook cache: exact record bytes, damaged files, appends during a
// read, and failed writes that must leave the old cache in place.
#include "exchange/formats/phonebook_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/resource.h>

namespace parlenko::exchange {
namespace {

using testing::TempFolder;

std::string Hex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        if (hex[i] == ' ') {
            --i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// A length byte, the text and zeros up to the field's width.
std::string Field(std::string_view text, std::size_t width) {
    return std::string(1, static_cast<char>(text.size())) + std::string(text) +
           Zeros(width - text.size());
}

const std::vector<PhonebookFileEntry> kThree = {
    {"Anna!", "+385911234567", "SIM card", "001"},
    {"Abcdefghijklmnopq", "0981234567", "Mobile memory", "012"},
    {"Voicemail", "123", "Service numbers", "001"},
};

TEST(PhonebookFile, RecordBytesAreFixedFieldsWithZeroPadding) {
    // A VIP name keeps its "!" in the file.
    std::string vip =
        Hex("05 416e6e6121 0000000000000000000000"
            "0d 2b333835393131323334353637 00000000000000000000000000000000000000"
            "08 53494d2063617264 000000000000000000000000"
            "03 303031 00");
    ASSERT_EQ(vip.size(), 76u);

    // A 17-character name is cut to 16; the memory text and position as held.
    std::string longName = Field("Abcdefghijklmnop", 16) + Field("0981234567", 32) +
                           Field("Mobile memory", 20) + Field("012", 4);
    std::string service =
        Field("Voicemail", 16) + Field("123", 32) + Field("Service numbers", 20) + Field("001", 4);

    EXPECT_EQ(EncodePhonebookRecords(kThree), vip + longName + service);

    TempFolder dir;
    ASSERT_TRUE(SavePhonebookFile(dir.path(), kThree).ok());
    EXPECT_EQ(dir.Get("Phonebook.dat"), vip + longName + service);

    auto loaded = LoadPhonebookFile(dir.path());
    ASSERT_EQ(loaded.entries.size(), 3u);
    EXPECT_EQ(loaded.entries[0], kThree[0]);
    EXPECT_EQ(loaded.entries[1].Name, "Abcdefghijklmnop");
    EXPECT_EQ(loaded.entries[2], kThree[2]);
    EXPECT_EQ(loaded.damagedRecords, 0u);
}

TEST(PhonebookFile, EveryFieldIsCutToItsWidth) {
    auto r = ReadPhonebookRecord(MakePhonebookRecord(std::string(40, 'n'), std::string(40, '5'),
                                                     std::string(40, 'l'), "12345"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Name, std::string(16, 'n'));
    EXPECT_EQ(r->Phone, std::string(32, '5'));
    EXPECT_EQ(r->Location, std::string(20, 'l'));
    EXPECT_EQ(r->Position, "1234");
}

TEST(PhonebookFile, EmptyListGivesEmptyFileAndLoadsEmpty) {
    TempFolder dir;
    dir.Put("Phonebook.dat", "old contents");
    ASSERT_TRUE(SavePhonebookFile(dir.path(), {}).ok());
    EXPECT_EQ(dir.Get("Phonebook.dat"), "");
    auto loaded = LoadPhonebookFile(dir.path());
    EXPECT_TRUE(loaded.entries.empty());
    EXPECT_EQ(loaded.damagedRecords, 0u);

    TempFolder none;
    EXPECT_TRUE(LoadPhonebookFile(none.path()).entries.empty());
}

TEST(PhonebookFile, DamagedCacheLoadsTheSoundRecords) {
    std::string good = EncodePhonebookRecords(kThree);
    std::string badName = good.substr(76, 76);
    badName[0] = 17;  // name length beyond its 16 bytes
    std::string badPhone = good.substr(0, 76);
    badPhone[17] = '\xff';  // phone length beyond its 32 bytes
    std::string bytes = good.substr(0, 76) + badName + badPhone + good.substr(152, 76) + "\x05Tail";

    auto loaded = DecodePhonebookRecords(bytes);
    ASSERT_EQ(loaded.entries.size(), 2u);
    EXPECT_EQ(loaded.entries[0], kThree[0]);
    EXPECT_EQ(loaded.entries[1], kThree[2]);
    EXPECT_EQ(loaded.damagedRecords, 3u);  // two bad records and the incomplete tail

    TempFolder dir;
    dir.Put("Phonebook.dat", bytes);
    EXPECT_EQ(LoadPhonebookFile(dir.path()).entries.size(), 2u);
    dir.Put("Phonebook.dat", "short");
    EXPECT_TRUE(LoadPhonebookFile(dir.path()).entries.empty());
}

TEST(PhonebookFile, RecordsAppendedOneByOneEqualTheSavedList) {
    TempFolder dir;
    for (const auto& e : kThree)
        ASSERT_TRUE(WritePhonebookRecord(dir.path(), e.Name, e.Phone, e.Location, e.Position).ok());
    EXPECT_EQ(dir.Get("Phonebook.dat"), EncodePhonebookRecords(kThree));

    // An incomplete last record is dropped so the new one starts on a record boundary.
    dir.Put("Phonebook.dat", EncodePhonebookRecords({kThree[0]}) + "junk");
    ASSERT_TRUE(WritePhonebookRecord(dir.path(), "Bob", "1", "SIM card", "002").ok());
    auto loaded = LoadPhonebookFile(dir.path());
    ASSERT_EQ(loaded.entries.size(), 2u);
    EXPECT_EQ(loaded.entries[1].Name, "Bob");
    EXPECT_EQ(loaded.damagedRecords, 0u);
}

TEST(PhonebookFile, WriteAtIndexReplacesThatRecordOnly) {
    TempFolder dir;
    ASSERT_TRUE(SavePhonebookFile(dir.path(), kThree).ok());
    ASSERT_TRUE(WritePhonebookRecord(dir.path(), "Changed", "555", "Mobile memory", "012", 1).ok());
    auto loaded = LoadPhonebookFile(dir.path()).entries;
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0], kThree[0]);
    EXPECT_EQ(loaded[1], (PhonebookFileEntry{"Changed", "555", "Mobile memory", "012"}));
    EXPECT_EQ(loaded[2], kThree[2]);

    // The index just past the end appends; further is refused and changes nothing.
    ASSERT_TRUE(WritePhonebookRecord(dir.path(), "Fourth", "4", "SIM card", "004", 3).ok());
    std::string before = dir.Get("Phonebook.dat");
    EXPECT_FALSE(WritePhonebookRecord(dir.path(), "Far", "9", "SIM card", "009", 9).ok());
    EXPECT_EQ(dir.Get("Phonebook.dat"), before);
    EXPECT_EQ(before.size(), 4 * 76u);
}

TEST(PhonebookFile, DeleteRemovesTheCacheAndAMissingOneIsFine) {
    TempFolder dir;
    ASSERT_TRUE(SavePhonebookFile(dir.path(), kThree).ok());
    EXPECT_TRUE(DeletePhonebookFile(dir.path()).ok());
    EXPECT_EQ(dir.Listing(), "");
    EXPECT_TRUE(DeletePhonebookFile(dir.path()).ok());
}

TEST(PhonebookFile, UnwritableFolderIsReportedNotThrown) {
    TempFolder dir;
    dir.Put("plain", "a regular file, not a folder");
    std::string folder = dir.file("plain");

    auto saved = SavePhonebookFile(folder, kThree);
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.error.find("Phonebook.dat"), std::string::npos);
    EXPECT_FALSE(WritePhonebookRecord(folder, "A", "1", "SIM card", "001").ok());
    EXPECT_TRUE(LoadPhonebookFile(folder).entries.empty());
    EXPECT_EQ(dir.Get("plain"), "a regular file, not a folder");
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

TEST(PhonebookFile, FailedWriteKeepsTheOldCache) {
    TempFolder dir;
    ASSERT_TRUE(SavePhonebookFile(dir.path(), {kThree[0]}).ok());
    const std::string old = dir.Get("Phonebook.dat");
    {
        FileSizeLimit limit(100);
        auto saved = SavePhonebookFile(dir.path(), kThree);  // 228 bytes
        EXPECT_FALSE(saved.ok());
        EXPECT_NE(saved.error.find("Phonebook.dat"), std::string::npos);
        EXPECT_FALSE(WritePhonebookRecord(dir.path(), "Bob", "1", "SIM card", "002").ok());
    }
    EXPECT_EQ(dir.Get("Phonebook.dat"), old);
    EXPECT_EQ(dir.Listing(), "Phonebook.dat");  // no temporary file left behind
}

// Whatever stands at the cache's place, reading it ends at once and reports
// it: a folder, a pipe nobody writes (would block), an endless device (would
// grow without end), and a file longer than any phonebook.
TEST(PhonebookFile, CacheThatIsNoRegularFileOrTooLongIsAnErrorNotAHangOrAThrow) {
    TempFolder dir;
    const std::string cache = PhonebookFilePath(dir.path());
    const auto check = [&](const char* what) {
        PhonebookFileContents c;
        EXPECT_NO_THROW(c = LoadPhonebookFile(dir.path())) << what;
        EXPECT_TRUE(c.entries.empty()) << what;
        EXPECT_NE(c.error.find(cache), std::string::npos) << what << ": " << c.error;
        std::filesystem::remove(cache);
    };
    std::filesystem::create_directory(cache);
    check("folder");
    ASSERT_EQ(::mkfifo(cache.c_str(), 0600), 0);
    check("pipe");
    std::filesystem::create_symlink("/dev/zero", cache);
    check("device");
    dir.Put("Phonebook.dat", std::string((kMaxPhonebookRecords + 1) * kPhonebookRecordSize, '\0'));
    check("too long");

    // A missing cache is no error.
    EXPECT_EQ(LoadPhonebookFile(dir.path()).error, "");
}

}  // namespace
}  // namespace parlenko::exchange
