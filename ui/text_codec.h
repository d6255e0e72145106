#pragma once
// The engine's texts are 8-bit Windows-1252; the windows show QString.
// Message texts break lines with "\r", "\r\n" or "\n"; ToDisplay turns every
// one of them into a line break.

#include <QString>

#include <string>
#include <string_view>

namespace parlenko::ui {

QString FromAnsi(std::string_view text);
// Characters outside Windows-1252 become "?".
std::string ToAnsi(const QString& text);
// FromAnsi, with "\r\n" and lone "\r" as "\n".
QString ToDisplay(std::string_view text);

}  // namespace parlenko::ui
