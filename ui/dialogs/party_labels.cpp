#include "ui/dialogs/party_labels.h"

#include "ui/base/text_codec.h"

#include <QLabel>

namespace parlenko::ui {

void TPartyLabels::Show(const std::string& nameText, const std::string& numberText) const {
    name->setText(FromAnsi(nameText));
    number->setText(FromAnsi(numberText));
}

void TPartyLabels::Clear() const {
    name->clear();
    number->clear();
}

}  // namespace parlenko::ui
