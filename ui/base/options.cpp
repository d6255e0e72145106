#include "ui/base/options.h"

#include "platform/paths.h"

#include <QFileInfo>
#include <QSettings>

#include <iterator>

namespace parlenko::ui {
namespace {

void ReadInt(QSettings& s, const char* name, int& target, int min, int max) {
    if (!s.contains(name)) return;
    bool ok = false;
    const int v = s.value(name).toInt(&ok);
    if (!ok) return;
    target = v < min ? min : (v > max ? max : v);
}

void ReadIndex(QSettings& s, const char* name, int& target, int count) {
    if (!s.contains(name)) return;
    bool ok = false;
    const int v = s.value(name).toInt(&ok);
    if (ok && v >= 0 && v < count) target = v;
}

void ReadBool(QSettings& s, const char* name, bool& target) {
    if (!s.contains(name)) return;
    bool ok = false;
    const int v = s.value(name).toInt(&ok);
    if (ok) target = v != 0;
}

}  // namespace

QString TOptions::PortName() const {
    if (!SerialDevice.isEmpty()) return SerialDevice;
    return QStringLiteral("COM%1").arg(SerialPort + 1);
}

std::uint32_t TOptions::BaudRateValue() const {
    const int n = static_cast<int>(std::size(BaudRateItems));
    return BaudRateItems[BaudRate >= 0 && BaudRate < n ? BaudRate : 8];
}

QString OptionsFilePath() { return QString::fromStdString(platform::DataDir()) + "Parlenko.ini"; }

bool LoadOptionsFile(const QString& path, TOptions& o) {
    if (!QFileInfo::exists(path)) return false;
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup("Options");
    ReadBool(s, "Refresh General Info", o.RefreshGeneralInfo);
    // The interval controls keep their value within their range.
    ReadInt(s, "Refresh Interval", o.RefreshInterval, 10, 60);
    ReadBool(s, "Show Status Messages", o.ShowStatusMessages);
    ReadInt(s, "Status Messages Interval", o.StatusMessagesInterval, 1, 30);
    ReadBool(s, "Check Cell Info", o.CheckCellInfo);
    ReadBool(s, "Splash Screen", o.SplashScreen);
    ReadBool(s, "Confirm Delete", o.ConfirmDelete);
    ReadBool(s, "Auto Connect", o.AutoConnect);
    ReadIndex(s, "Serial Port", o.SerialPort, 8);
    // Only a device path; anything else leaves "COM n" in force.
    if (const QString device = s.value("Serial Device").toString(); device.startsWith('/'))
        o.SerialDevice = device;
    ReadIndex(s, "Baud Rate", o.BaudRate, static_cast<int>(std::size(BaudRateItems)));
    ReadIndex(s, "Data Bits", o.DataBits, 4);
    ReadIndex(s, "Parity", o.Parity, 3);
    ReadIndex(s, "Stop Bits", o.StopBits, 3);
    ReadIndex(s, "Hardware Flow Control", o.HardwareFlowControl, 3);
    ReadIndex(s, "Software Flow Control", o.SoftwareFlowControl, 2);
    ReadBool(s, "Device Check", o.DeviceCheck);
    s.endGroup();
    return true;
}

bool SaveOptionsFile(const QString& path, const TOptions& o) {
    const QString dir = QFileInfo(path).absolutePath();
    platform::MakeDirs(dir.toStdString());
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup("Options");
    s.setValue("Refresh General Info", o.RefreshGeneralInfo ? 1 : 0);
    s.setValue("Refresh Interval", o.RefreshInterval);
    s.setValue("Show Status Messages", o.ShowStatusMessages ? 1 : 0);
    s.setValue("Status Messages Interval", o.StatusMessagesInterval);
    s.setValue("Check Cell Info", o.CheckCellInfo ? 1 : 0);
    s.setValue("Splash Screen", o.SplashScreen ? 1 : 0);
    s.setValue("Confirm Delete", o.ConfirmDelete ? 1 : 0);
    s.setValue("Auto Connect", o.AutoConnect ? 1 : 0);
    s.setValue("Serial Port", o.SerialPort);
    if (o.SerialDevice.isEmpty()) s.remove("Serial Device");
    else s.setValue("Serial Device", o.SerialDevice);
    s.setValue("Baud Rate", o.BaudRate);
    s.setValue("Data Bits", o.DataBits);
    s.setValue("Parity", o.Parity);
    s.setValue("Stop Bits", o.StopBits);
    s.setValue("Hardware Flow Control", o.HardwareFlowControl);
    s.setValue("Software Flow Control", o.SoftwareFlowControl);
    s.setValue("Device Check", o.DeviceCheck ? 1 : 0);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

exchange::store::StoreSettings LoadStoreSettings(const QString& path) {
    exchange::store::StoreSettings written;
    if (QFileInfo::exists(path)) {
        QSettings s(path, QSettings::IniFormat);
        s.beginGroup("Store");
        written.Contacts = s.value("Contacts").toString().toStdString();
        written.ContactsDefault = s.value("ContactsDefault").toString().toStdString();
        written.Calendars = s.value("Calendars").toString().toStdString();
        written.CalendarDefault = s.value("CalendarDefault").toString().toStdString();
        s.endGroup();
    }
    return exchange::store::ResolveStoreSettings(platform::DataDir(), written);
}

}  // namespace parlenko::ui
