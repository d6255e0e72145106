#include "ui/dialogs/sms_names.h"

#include "ui/artwork/small_images.h"
#include "ui/base/name_order.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"

#include <QComboBox>
#include <QStringList>

#include <algorithm>

namespace parlenko::ui {
namespace {

constexpr int kImageEntry = 3;
constexpr int kImageVipEntry = 4;

using controls::SmallIcon;

}  // namespace

void FillNameCombo(QComboBox* combo, const std::vector<AListIme>& phonebook) {
    std::vector<QString> names;
    for (const AListIme& e : phonebook)
        if (!e.Name.empty()) names.push_back(FromAnsi(e.Name));
    SortNames(names);
    combo->clear();
    for (const QString& name : names) {
        const bool vip = name.endsWith('!');
        combo->addItem(SmallIcon(vip ? kImageVipEntry : kImageEntry), vip ? name.chopped(1) : name,
                       name);
    }
    combo->setCurrentIndex(-1);
    combo->setEnabled(combo->count() > 0);
}

void SelectNameInCombo(QComboBox* combo, const QString& name) {
    for (int i = 0; i < combo->count(); ++i) {
        const QString n = combo->itemData(i).toString();
        if (n == name || n == name + "!") {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

QString PhoneOfName(const std::vector<AListIme>& phonebook, const QString& name) {
    const std::string wanted = ToAnsi(name);
    for (const AListIme& e : phonebook)
        if (e.Name == wanted) return FromAnsi(e.Phone);
    return {};
}

void SelectNameOfNumber(QComboBox* combo, const std::vector<AListIme>& phonebook,
                        const QString& number) {
    const std::string wanted = ToAnsi(number);
    for (const AListIme& e : phonebook) {
        if (e.Phone != wanted) continue;
        const int i = combo->findData(FromAnsi(e.Name));
        combo->setCurrentIndex(i);
        return;
    }
    combo->setCurrentIndex(-1);
}

QString InvalidNumberHint() {
    const QString dashes(32, QChar('-'));
    return QStringLiteral("Invalid phone number!\r\rValid characters are:\r") + dashes +
           "\r   Numbers:   '0 - 9'\r   Other:  '+', '*' and '#'\r" + dashes;
}

}  // namespace parlenko::ui
