#pragma once
// The sixteen user options and their storage: an INI file "Parlenko.ini" in
// the data folder, group "Options", one integer value per option under the
// option's name ("Serial Port", "Baud Rate" ... "Splash Screen"). Booleans are
// 0 or 1 and read as true when non-zero; combo choices are item indexes. A
// serial device chosen in place of "COM n" is kept as its path under
// "Serial Device" (absent while a "COM n" is chosen).
// A missing file or value leaves the default; a value that is not a number
// or lies outside its range is ignored (the default or the current value
// stays).

#include "exchange/store/store_settings.h"

#include <QString>

#include <cstdint>

namespace parlenko::ui {

struct TOptions {
    bool RefreshGeneralInfo = false;
    int RefreshInterval = 30;  // seconds, 10..60
    bool ShowStatusMessages = true;
    int StatusMessagesInterval = 3;  // seconds, 1..30
    bool CheckCellInfo = false;
    bool SplashScreen = true;
    bool ConfirmDelete = true;
    bool AutoConnect = true;
    int SerialPort = 1;           // "COM 1".."COM 8": index 0..7
    QString SerialDevice;         // a device path chosen instead; empty: SerialPort
    int BaudRate = 8;             // index into BaudRateItems (8 = 19200)
    int DataBits = 3;             // 5, 6, 7, 8 bits: index 0..3
    int Parity = 0;               // none, odd, even
    int StopBits = 0;             // 1, 1.5, 2
    int HardwareFlowControl = 2;  // off, RTS only, RTS/CTS
    int SoftwareFlowControl = 0;  // off, XON/XOFF
    bool DeviceCheck = true;

    // SerialDevice when one is chosen, else "COM" + (SerialPort + 1).
    QString PortName() const;
    // The number of the chosen baud rate item.
    std::uint32_t BaudRateValue() const;
};

// The items of the baud rate choice, in order.
inline constexpr std::uint32_t BaudRateItems[] = {110,    300,    600,    1200,  2400,  4800,
                                                  9600,   14400,  19200,  38400, 56000, 57600,
                                                  115200, 128000, 230400, 256000};

// DataDir() + "Parlenko.ini".
QString OptionsFilePath();

// Reads what the file holds into options; false (options unchanged) when the
// file does not exist.
bool LoadOptionsFile(const QString& path, TOptions& options);
// Writes all sixteen values; false when the file cannot be written.
bool SaveOptionsFile(const QString& path, const TOptions& options);

// The contacts and calendar store: group "Store", keys "Contacts",
// "ContactsDefault", "Calendars" and "CalendarDefault" (texts, UTF-8),
// resolved against the data folder (exchange/store/store_settings.h). The
// program never writes them; a missing file or key gives the default.
exchange::store::StoreSettings LoadStoreSettings(const QString& path);

}  // namespace parlenko::ui
