#pragma once
// The name combos of the SMS windows: the phonebook's names, a VIP entry's
// drawn with its picture and without its "!", and the lookups between a
// name and its number.

#include "engine/phone/records.h"

#include <QString>

#include <vector>

class QComboBox;

namespace parlenko::ui {

// Every phonebook name into combo, sorted (the item's data is the name as
// stored, "!" included); no item selected; enabled only with names in it.
void FillNameCombo(QComboBox* combo, const std::vector<AListIme>& phonebook);
// Selects the first item whose name is name or name + "!"; nothing changes
// when neither is listed.
void SelectNameInCombo(QComboBox* combo, const QString& name);
// The number of the first entry named name (as stored); empty when none.
QString PhoneOfName(const std::vector<AListIme>& phonebook, const QString& name);
// Selects the name of the first entry with this number, else nothing.
void SelectNameOfNumber(QComboBox* combo, const std::vector<AListIme>& phonebook,
                        const QString& number);
// The balloon of a number with other characters than a phone number's.
QString InvalidNumberHint();

}  // namespace parlenko::ui
