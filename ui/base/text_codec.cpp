#include "ui/base/text_codec.h"

#include "exchange/formats/text_encoding.h"

namespace parlenko::ui {

QString FromAnsi(std::string_view text) { return FromUtf8(exchange::Windows1252ToUtf8(text)); }

std::string ToAnsi(const QString& text) { return exchange::Utf8ToWindows1252(ToUtf8(text)); }

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) { return text.toStdString(); }

QString WithLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

QString ToDisplay(std::string_view text) { return WithLineFeeds(FromAnsi(text)); }

}  // namespace parlenko::ui
