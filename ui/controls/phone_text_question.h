#pragma once
// The question asked before text goes to the phone, which stores names and
// texts only in its own small character set: which items hold characters it
// cannot store, those characters, and what would be written in their place.
// Nothing is written changed unless the user answers Yes.

#include "engine/text/gsm_alphabet.h"

#include <QString>

#include <vector>

class QWidget;

namespace parlenko::ui {

// One item about to be written: as the user knows it, and its text as the
// phone would store it (ToPhoneText).
struct TextForPhone {
    QString Item;
    PhoneText Phone;
};

// True when every item's text goes to the phone as it is, or when the user,
// shown the items whose text would change, chose to write them changed (Yes).
// No, or closing the box, cancels.
bool WriteChangedTexts(QWidget* parent, const std::vector<TextForPhone>& items);

}  // namespace parlenko::ui
