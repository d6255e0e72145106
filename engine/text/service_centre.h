#pragma once
// The SMS service centre as shown: the number, with the operator's name in
// front for the centres of the two Croatian networks the program knows.

#include <string>
#include <string_view>

namespace parlenko {

// "+385910401" -> "HR VIP  [+385910401]", "+385980501" -> "HR CRONET  [...]";
// any other number as it stands. The whole text is compared.
std::string ServiceCentreName(std::string_view number);

}  // namespace parlenko
