// The options file: defaults, ranges, and what a save writes.

#include "ui/base/options.h"

#include "platform/paths.h"

#include "tests/ui/ui_test_support.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

TEST(OptionsTest, DefaultsWhenThereIsNoFile) {
    testing::TempHome home;
    TOptions o;
    EXPECT_FALSE(LoadOptionsFile(OptionsFilePath(), o));
    EXPECT_EQ(o.PortName(), "COM2");
    EXPECT_EQ(o.BaudRateValue(), 19200u);
    EXPECT_EQ(o.DataBits, 3);
    EXPECT_EQ(o.Parity, 0);
    EXPECT_EQ(o.StopBits, 0);
    EXPECT_EQ(o.HardwareFlowControl, 2);
    EXPECT_TRUE(o.DeviceCheck);
    EXPECT_TRUE(o.SplashScreen);
    EXPECT_TRUE(o.AutoConnect);
    EXPECT_FALSE(o.RefreshGeneralInfo);
    EXPECT_EQ(o.RefreshInterval, 30);
    EXPECT_TRUE(o.ShowStatusMessages);
    EXPECT_EQ(o.StatusMessagesInterval, 3);
    EXPECT_TRUE(o.ConfirmDelete);
    EXPECT_FALSE(o.CheckCellInfo);
}

TEST(OptionsTest, SaveWritesAllSixteenValuesAndLoadReadsThemBack) {
    testing::TempHome home;
    TOptions o;
    o.SerialPort = 7;
    o.BaudRate = 14;
    o.AutoConnect = false;
    o.RefreshInterval = 45;
    ASSERT_TRUE(SaveOptionsFile(OptionsFilePath(), o));
    QSettings s(OptionsFilePath(), QSettings::IniFormat);
    s.beginGroup("Options");
    EXPECT_EQ(s.childKeys().size(), 16);
    for (const char* name :
         {"Serial Port", "Baud Rate", "Data Bits", "Parity", "Stop Bits", "Hardware Flow Control",
          "Software Flow Control", "Device Check", "Auto Connect", "Refresh General Info",
          "Refresh Interval", "Show Status Messages", "Status Messages Interval", "Check Cell Info",
          "Confirm Delete", "Splash Screen"})
        EXPECT_TRUE(s.contains(name)) << name;
    EXPECT_EQ(s.value("Auto Connect").toInt(), 0);

    TOptions back;
    ASSERT_TRUE(LoadOptionsFile(OptionsFilePath(), back));
    EXPECT_EQ(back.PortName(), "COM8");
    EXPECT_EQ(back.BaudRateValue(), 230400u);
    EXPECT_FALSE(back.AutoConnect);
    EXPECT_EQ(back.RefreshInterval, 45);
}

TEST(OptionsTest, AChosenDeviceIsKeptBesideTheComChoice) {
    testing::TempHome home;
    TOptions o;
    o.SerialPort = 4;
    o.SerialDevice = "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
    ASSERT_TRUE(SaveOptionsFile(OptionsFilePath(), o));
    TOptions back;
    ASSERT_TRUE(LoadOptionsFile(OptionsFilePath(), back));
    EXPECT_EQ(back.PortName(), o.SerialDevice);
    EXPECT_EQ(back.SerialPort, 4);
    // Only a path is taken.
    QSettings(OptionsFilePath(), QSettings::IniFormat).setValue("Options/Serial Device", "ttyUSB0");
    TOptions other;
    ASSERT_TRUE(LoadOptionsFile(OptionsFilePath(), other));
    EXPECT_EQ(other.PortName(), "COM5");
}

TEST(OptionsTest, IntervalsAreKeptInRangeAndBadValuesIgnored) {
    testing::TempHome home;
    {
        QSettings s(OptionsFilePath(), QSettings::IniFormat);
        s.beginGroup("Options");
        s.setValue("Refresh Interval", 5);
        s.setValue("Status Messages Interval", 99);
        s.setValue("Serial Port", 12);    // no such item
        s.setValue("Baud Rate", "fast");  // not a number
        s.setValue("Splash Screen", 0);
        s.setValue("Device Check", 7);  // any non-zero is on
    }
    TOptions o;
    o.DeviceCheck = false;
    ASSERT_TRUE(LoadOptionsFile(OptionsFilePath(), o));
    EXPECT_EQ(o.RefreshInterval, 10);
    EXPECT_EQ(o.StatusMessagesInterval, 30);
    EXPECT_EQ(o.SerialPort, 1);
    EXPECT_EQ(o.BaudRate, 8);
    EXPECT_FALSE(o.SplashScreen);
    EXPECT_TRUE(o.DeviceCheck);
}

TEST(OptionsTest, StoreFoldersDefaultIntoTheDataFolderAndFollowTheStoreGroup) {
    testing::TempHome home;
    const std::string data = platform::DataDir();
    auto s = LoadStoreSettings(OptionsFilePath());
    EXPECT_EQ(s.Contacts, data + "contacts");
    EXPECT_EQ(s.Calendars, data + "calendars");
    EXPECT_EQ(s.ContactsDefault, "default");
    {
        QSettings ini(OptionsFilePath(), QSettings::IniFormat);
        ini.beginGroup("Store");
        ini.setValue("Contacts", "/srv/Kontakti ž");
        ini.setValue("ContactsDefault", "personal");
        ini.setValue("Calendars", "cal");
        ini.setValue("CalendarDefault", "home");
    }
    s = LoadStoreSettings(OptionsFilePath());
    EXPECT_EQ(s.Contacts, "/srv/Kontakti \xC5\xBE");
    EXPECT_EQ(s.ContactsDefault, "personal");
    EXPECT_EQ(s.Calendars, data + "cal");
    EXPECT_EQ(s.CalendarDefault, "home");
}

}  // namespace
}  // namespace parlenko::ui
