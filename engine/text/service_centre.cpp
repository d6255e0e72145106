#include "engine/text/service_centre.h"

#include <array>

namespace parlenko {

namespace {

struct KnownCentre {
    std::string_view number;
    std::string_view operatorName;
};

constexpr std::array<KnownCentre, 2> kKnownCentres = {{
    {"+385910401", "HR VIP"},
    {"+385980501", "HR CRONET"},
}};

}  // namespace

std::string ServiceCentreName(std::string_view number) {
    for (const auto& centre : kKnownCentres)
        if (centre.number == number)
            return std::string(centre.operatorName) + "  [" + std::string(number) + "]";
    return std::string(number);
}

}  // namespace parlenko
