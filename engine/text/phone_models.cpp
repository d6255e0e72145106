#include "engine/text/phone_models.h"

#include <cstdio>
#include <optional>

namespace parlenko {
namespace {

constexpr std::array<PhoneModelInfo, 13> kModels{{
    {"S25", "97 x 26", MelodyLayout::NamedA},
    {"C35i", "101 x 21", MelodyLayout::NamedB},
    {"M35i", "101 x 21", MelodyLayout::NamedB},
    {"S35i", "101 x 43", MelodyLayout::NamedA},
    {"C45", "101 x 29", MelodyLayout::Numbered2To21},
    {"ME45", "101 x 46", MelodyLayout::Numbered2To39},
    {"S45", "101 x 46", MelodyLayout::Numbered2To39},
    {"SL42", "101 x 46", MelodyLayout::NamedC},
    {"SL45", "101 x 46", MelodyLayout::NamedC},
    {"SL45i", "101 x 46", MelodyLayout::NamedC},
    {"MT50", "101 x 21", MelodyLayout::Numbered2To21},
    {"M50", "101 x 21", MelodyLayout::Numbered2To21},
    {"S45i", "101 x 46", MelodyLayout::Numbered2To39},
}};

// A category covers the melody numbers first..last (last 0: no upper end).
struct Category {
    int first;
    int last;
    const char* name;
};

// Named layouts; melody 1 is always "Mute".
constexpr Category kNamedA[] = {{2, 5, "Standard"},      {6, 23, "Classical"},
                                {24, 27, "Traditional"}, {28, 33, "Discreet"},
                                {34, 42, "Pop music"},   {43, 43, "Individual"}};
constexpr Category kNamedB[] = {
    {2, 7, "Standard"}, {8, 8, "Traditional"}, {9, 21, "Pop music"}, {22, 22, "Individual"}};
constexpr Category kNamedC[] = {{2, 6, "Standard"},      {7, 24, "Classical"},
                                {25, 28, "Traditional"}, {29, 34, "Discreet"},
                                {35, 40, "Pop music"},   {41, 0, "Individual"}};

std::string Item(int n, const char* category) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2d  -  %s", n, category);
    return buf;
}

std::optional<std::string> NamedItem(int n, const Category* begin, const Category* end) {
    for (const Category* c = begin; c != end; ++c)
        if (n >= c->first && (c->last == 0 || n <= c->last)) return Item(n, c->name);
    return std::nullopt;
}

std::optional<std::string> MelodyItem(MelodyLayout layout, int n) {
    if (n == 1) return Item(n, "Mute");
    switch (layout) {
        case MelodyLayout::NamedA: return NamedItem(n, std::begin(kNamedA), std::end(kNamedA));
        case MelodyLayout::NamedB: return NamedItem(n, std::begin(kNamedB), std::end(kNamedB));
        case MelodyLayout::NamedC: return NamedItem(n, std::begin(kNamedC), std::end(kNamedC));
        case MelodyLayout::Numbered2To21:
        case MelodyLayout::Numbered2To39: {
            int last = layout == MelodyLayout::Numbered2To21 ? 21 : 39;
            if (n > last) return Item(n, "Individual");
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.2d  -  Melody no. %d", n, n);
            return std::string(buf);
        }
    }
    return std::nullopt;
}

}  // namespace

const std::array<PhoneModelInfo, 13>& PhoneModels() { return kModels; }

const PhoneModelInfo* FindPhoneModel(std::string_view model) {
    for (const auto& m : kModels)
        if (m.model == model) return &m;
    return nullptr;
}

std::string LogoSizeText(std::string_view model) {
    const PhoneModelInfo* info = FindPhoneModel(model);
    return info ? std::string(info->logoSize) : std::string("??? x ???");
}

std::vector<std::string> FillMelodyList(std::string_view model, int count) {
    std::vector<std::string> items;
    const PhoneModelInfo* info = FindPhoneModel(model);
    if (!info) return items;
    // The count comes from the phone's answer; no model has near this many.
    constexpr int kMaxMelodies = 999;
    if (count > kMaxMelodies) count = kMaxMelodies;
    for (int n = 1; n <= count; ++n)
        if (auto item = MelodyItem(info->melodies, n)) items.push_back(std::move(*item));
    return items;
}

std::vector<std::string> OverwritableMelodies(const std::vector<std::string>& items) {
    std::vector<std::string> out;
    for (const auto& item : items)
        if (item.find("Individual") != std::string::npos) out.push_back(item);
    return out;
}

}  // namespace parlenko
