// The entry dialog's checks and the "AT+CPBW" line it sends.

#include "engine/phonebook/entry_line.h"

#include <gtest/gtest.h>

namespace parlenko {
namespace {

TEST(EntryLine, WriteLineAndStoredEntry) {
    // The position without zeros, the number filtered, the name escaped for
    // the phone and stored with "?" for what it cannot hold.
    const auto w = BuildPhonebookWrite("Ana \"Mala\"\xE9", "+385 (91) 123-4567", "010");
    EXPECT_EQ(w.Line, "AT+CPBW=10,\"+385911234567\",,\"Ana \\22Mala\\22?\"\r");
    EXPECT_EQ(w.Entry.Name, "Ana \"Mala\"?");
    EXPECT_EQ(w.Entry.Phone, "+385911234567");
    EXPECT_EQ(w.Entry.Position, "010");
}

TEST(EntryLine, VipMarkAndTheSaveRule) {
    EXPECT_EQ(VipName("Abcdefghijklmno"), "Abcdefghijklmno!");   // 15 -> 16
    EXPECT_EQ(VipName("Abcdefghijklmnop"), "Abcdefghijklmno!");  // 16 stays 16
    EXPECT_EQ(UnsupportedNameChars("A{b}~"), "{ } ~ ");
    EXPECT_TRUE(CanSaveEntry("Ana", "091", "006"));
    EXPECT_FALSE(CanSaveEntry("Ana", "091", "Memory full"));
    EXPECT_FALSE(CanSaveEntry("  ", "091", "006"));
    EXPECT_FALSE(CanSaveEntry("Ana", "09a", "006"));
    EXPECT_FALSE(CanSaveEntry("Ana{", "091", "006"));
}

}  // namespace
}  // namespace parlenko
