#pragma once
// The windows' one bridge between the engine's texts and QString. The engine
// holds 8-bit Windows-1252 (names, numbers, its messages and labels) and
// UTF-8 where a text carries more (a message's text, the store); every
// conversion between those is exchange/formats/text_encoding.h, and windows
// only turn one or the other into QString and back with these.
// Message texts break lines with "\r", "\r\n" or "\n"; WithLineFeeds turns
// every one of them into a line break.

#include <QString>

#include <string>
#include <string_view>

namespace parlenko::ui {

QString FromAnsi(std::string_view text);
// Composed first; characters outside Windows-1252 become "?".
std::string ToAnsi(const QString& text);
QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);
// The text with "\r\n" and lone "\r" as "\n".
QString WithLineFeeds(QString text);
// FromAnsi, with "\r\n" and lone "\r" as "\n".
QString ToDisplay(std::string_view text);
// A caption as written in the windows' sources (UTF-8).
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace parlenko::ui
