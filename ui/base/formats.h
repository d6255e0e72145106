#pragma once
// Date and time as the program prints and reads them everywhere: 31.12.2003
// and 23:59:59 (QDate/QTime format strings).

namespace parlenko::ui {

inline constexpr char kDateFormat[] = "dd.MM.yyyy";
inline constexpr char kTimeFormat[] = "hh:mm:ss";

}  // namespace parlenko::ui
