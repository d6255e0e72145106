#pragma once
// What each supported Siemens model offers: the size of its operator logo
// and how its ring melodies are named.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

enum class MelodyLayout {
    NamedA,         // S25, S35i
    NamedB,         // C35i, M35i
    NamedC,         // SL42, SL45, SL45i
    Numbered2To21,  // C45, MT50, M50
    Numbered2To39,  // ME45, S45, S45i
};

struct PhoneModelInfo {
    std::string_view model;     // as AT+CGMM answers it
    std::string_view logoSize;  // "101 x 46"
    MelodyLayout melodies;
};

// The thirteen supported models, in their fixed order.
const std::array<PhoneModelInfo, 13>& PhoneModels();
// The row of a model name (exact, case-sensitive), or nullptr.
const PhoneModelInfo* FindPhoneModel(std::string_view model);

// The logo size of a model, "??? x ???" for an unknown or empty one.
std::string LogoSizeText(std::string_view model);

// The melody list items for melody numbers 1..count in the model's layout
// ("01  -  Mute", "02  -  Standard", "02  -  Melody no. 2", ...). Numbers
// the layout does not name get no item; an unknown model gives no items
// (the caller then lists plain numbers).
std::vector<std::string> FillMelodyList(std::string_view model, int count);
// The items among them the user may overwrite (those of the "Individual"
// category), in order.
std::vector<std::string> OverwritableMelodies(const std::vector<std::string>& items);

}  // namespace parlenko
