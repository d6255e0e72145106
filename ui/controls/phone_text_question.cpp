#include "ui/controls/phone_text_question.h"

#include "ui/base/text_codec.h"
#include "ui/controls/message_dialog.h"

namespace parlenko::ui {
namespace {

// More would not fit a box; the count of the rest is told.
constexpr std::size_t kItemsShown = 12;

QString ItemLine(const TextForPhone& item) {
    QString characters;
    for (const std::string& c : item.Phone.Changed) characters += FromUtf8(c) + ' ';
    return "   " + item.Item + "   ( " + characters + ")   ->   " + FromAnsi(item.Phone.Text);
}

}  // namespace

bool WriteChangedTexts(QWidget* parent, const std::vector<TextForPhone>& items) {
    QStringList lines;
    std::size_t changed = 0;
    for (const TextForPhone& item : items) {
        if (item.Phone.Changed.empty()) continue;
        if (++changed <= kItemsShown) lines << ItemLine(item);
    }
    if (changed == 0) return true;
    if (changed > kItemsShown)
        lines << QStringLiteral("   . . . and %1 more").arg(changed - kItemsShown);
    const QString text = "Mobile phone can not store following characters:\r\r" + lines.join('\r') +
                         "\r\rWrite to mobile with these characters changed as shown?";
    return Ask(parent, QStringLiteral("Unsupported characters"), text) == DialogResult::Yes;
}

}  // namespace parlenko::ui
