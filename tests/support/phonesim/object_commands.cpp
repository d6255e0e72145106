// Binary objects (calendar entries, melodies, logos): ^SBNR and ^SBNW.

#include "phonesim/command_util.h"
#include "phonesim/gsm_text.h"
#include "phonesim/pdu.h"
#include "phonesim/phone.h"

#include <algorithm>

namespace phonesim {

using namespace detail;

// ---------------------------------------------------------------- binary objects

std::optional<Phone::Answer> Phone::ObjectCommand(const Command& c, std::int64_t nowMs) {
    static constexpr CommandRow kTable[] = {
        {"^SBNR", &Phone::OnSbnr},
        {"^SBNW", &Phone::OnSbnw},
    };
    return Dispatch(kTable, c, nowMs);
}

// The test form of both: every object type with its range of indexes.
Phone::Answer Phone::ObjectTypes(const std::string& name) const {
    Answer ok;
    std::string list;
    // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
    for (const auto& [type, store] : state_.objects)
        list.append(list.empty() ? "(" : ",(")
            .append(Quote(type))
            .append(",(")
            .append(std::to_string(store.lowest))
            .append("-")
            .append(std::to_string(store.highest))
            .append("))");
    ok.lines = {name + ": " + list};
    return ok;
}

// The "type",index of a set form: the object's store, or the answer refusing it.
std::variant<ObjectStore*, Phone::Answer> Phone::ObjectSlot(const Command& c, const Params& params,
                                                            std::string& type, int& index) {
    if (c.form != Command::Set || params.size() < 2) return Error();
    type = params[0].text;
    for (char& ch : type)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    auto storeIt = state_.objects.find(type);
    auto parsed = ToInt(params[1].text);
    if (storeIt == state_.objects.end() || !parsed) return Error();
    ObjectStore& store = storeIt->second;
    if (*parsed < store.lowest || *parsed > store.highest) return CmeError(21);
    index = *parsed;
    return &store;
}

Phone::Answer Phone::OnSbnr(const Command& c, const Params& params, std::int64_t) {
    if (c.form == Command::Test) return ObjectTypes(c.name);
    std::string type;
    int index = 0;
    auto slot = ObjectSlot(c, params, type, index);
    if (auto* refused = std::get_if<Answer>(&slot)) return *refused;
    ObjectStore& store = *std::get<ObjectStore*>(slot);
    Answer ok;
    if (params.size() != 2) return Error();
    auto it = store.objects.find(index);
    if (it == store.objects.end()) return ok;  // an empty slot: no lines
    const std::string& data = it->second;
    std::size_t count = std::max<std::size_t>(1, (data.size() + kObjectPacket - 1) / kObjectPacket);
    for (std::size_t part = 0; part < count; ++part) {
        ok.lines.push_back("^SBNR: " + Quote(type) + "," + std::to_string(index) + "," +
                           std::to_string(part + 1) + "," + std::to_string(count));
        ok.lines.push_back(
            ToHex(std::string_view(data).substr(part * kObjectPacket, kObjectPacket)));
    }
    return ok;
}

// A delete ("type",index,0) or one packet ("type",index,part,count), whose
// bytes follow the prompt.
Phone::Answer Phone::OnSbnw(const Command& c, const Params& params, std::int64_t) {
    if (c.form == Command::Test) return ObjectTypes(c.name);
    std::string type;
    int index = 0;
    auto slot = ObjectSlot(c, params, type, index);
    if (auto* refused = std::get_if<Answer>(&slot)) return *refused;
    ObjectStore& store = *std::get<ObjectStore*>(slot);
    auto part = params.size() >= 3 ? ToInt(params[2].text) : std::nullopt;
    if (!part) return Error();
    if (*part == 0 && params.size() == 3) {
        store.objects.erase(index);
        return Answer{};
    }
    auto count = params.size() == 4 ? ToInt(params[3].text) : std::nullopt;
    if (!count || *part < 1 || *count < 1 || *part > *count) return Error();
    if (*part == 1) {
        uploadType_ = type;
        uploadIndex_ = index;
        uploadNextPart_ = 1;
        uploadData_.clear();
    }
    if (uploadType_ != type || uploadIndex_ != index || uploadNextPart_ != *part)
        return CmeError(3);
    uploadNextPart_ = *part;  // confirmed when the packet arrives
    Answer prompt;
    prompt.final.clear();
    prompt.prompt = true;
    return prompt;
}

}  // namespace phonesim
