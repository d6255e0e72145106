#include "engine/melodies/ringer_answers.h"

#include "engine/core/strings.h"
#include "engine/parse/answer_reader.h"
#include "engine/text/phone_models.h"
#include "engine/services/services_state.h"
#include "engine/melodies/melodies_view.h"
#include "engine/melodies/melodies_state.h"
#include "engine/melodies/melody_commands.h"

#include <algorithm>
#include <utility>

namespace parlenko {

namespace {

// A range field "(<low>-<high>)".
std::optional<std::pair<long long, long long>> ParseRange(std::string_view field) {
    std::string text = Trim(field);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') return std::nullopt;
    const std::string_view inner = std::string_view(text).substr(1, text.size() - 2);
    const auto dash = inner.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto low = ParseInt(inner.substr(0, dash));
    const auto high = ParseInt(inner.substr(dash + 1));
    if (!low || !high) return std::nullopt;
    return std::pair{*low, *high};
}

std::optional<AnswerReader> RingerReader(std::string_view line) {
    if (!StartsWith(line, "^SRTC:")) return std::nullopt;
    AnswerReader r(line);
    if (!r.SkipPrefix()) return std::nullopt;
    return r;
}

bool InMelodyRange(long long v) { return v >= 0 && v <= kMaxMelodyCount; }

// Plain items for a model without a melody table: "01 - Melody no. 1".
std::vector<std::string> NumberedMelodies(int count) {
    std::vector<std::string> items;
    // Appended: GCC 12 warns falsely (-Wrestrict) on "text" + a temporary string.
    for (int i = 1; i <= count; ++i)
        items.push_back(std::string(i < 10 ? "0" : "")
                            .append(IntToStr(i))
                            .append(" - Melody no. ")
                            .append(IntToStr(i)));
    return items;
}

bool SelectedIsUserMelody(const MelodyListView& m) {
    if (m.MelodijeIndex < 0 || m.MelodijeIndex >= static_cast<int>(m.MelodijeCB.size()))
        return false;
    return m.MelodijeCB[static_cast<std::size_t>(m.MelodijeIndex)].find("Individual") !=
           std::string::npos;
}

// The melody controls by the playing state.
void SetPlaying(MelodyListView& m, bool playing) {
    m.Playing = playing;
    m.MelodijeCBEnabled = !playing;
    m.VolumeTBEnabled = !playing;
    m.PlayMelBtnEnabled = !playing;
    m.SetMelBtnEnabled = !playing;
    m.StopMelBtnEnabled = playing;
    m.SaveToMidiBtnEnabled = !playing && m.PlayMelBtnEnabled && SelectedIsUserMelody(m);
    m.DelMelBtnEnabled = m.SaveToMidiBtnEnabled;
}

}  // namespace

std::optional<RingerRanges> ParseSrtcTest(std::string_view line) {
    auto r = RingerReader(line);
    if (!r) return std::nullopt;
    const auto melodies = ParseRange(r->NextField());
    if (!melodies) return std::nullopt;
    RingerRanges out;
    const long long count = std::clamp<long long>(melodies->second, -1, kMaxMelodyCount - 1) + 1;
    out.melodyCount = static_cast<int>(count);
    const auto volumes = ParseRange(r->NextField());
    if (volumes && InMelodyRange(volumes->first) && InMelodyRange(volumes->second) &&
        volumes->first <= volumes->second) {
        out.volumeMin = static_cast<int>(volumes->first);
        out.volumeMax = static_cast<int>(volumes->second);
    }
    return out;
}

std::optional<RingerSetting> ParseSrtcQuery(std::string_view line) {
    auto r = RingerReader(line);
    if (!r) return std::nullopt;
    const auto melody = r->NextNumber();
    const auto volume = r->NextNumber();
    if (!melody || !volume || !InMelodyRange(*melody) || !InMelodyRange(*volume))
        return std::nullopt;
    RingerSetting s;
    s.melody = static_cast<int>(*melody);
    s.volume = static_cast<int>(*volume);
    s.playing = Trim(r->Rest()) == "1";
    return s;
}

void ShowMelodyList(EngineContext& ctx) {
    ViewOf<IMelodiesView>(ctx).MelodyListChanged(Melodies(ctx));
}
void ShowRingerState(EngineContext& ctx) {
    ViewOf<IMelodiesView>(ctx).RingerStateChanged(Melodies(ctx));
}

void HandleSrtcTestAnswer(EngineContext& ctx, const std::string& line) {
    const auto ranges = ParseSrtcTest(line);
    if (!ranges) return;
    auto& m = Melodies(ctx);
    if (ranges->volumeMin) {
        m.VolumeMin = *ranges->volumeMin;
        m.VolumeMax = *ranges->volumeMax;
    }
    const int count = ranges->melodyCount;
    m.MelodijeCB = FillMelodyList(ctx.state.Chain.PhoneModel, count);
    m.SaveMelMemCB = OverwritableMelodies(m.MelodijeCB);
    if (m.MelodijeCB.empty() && count > 0) m.MelodijeCB = NumberedMelodies(count);
    if (!m.MelodijeCB.empty() && m.SaveMelMemCB.empty()) m.SaveMelMemCB = {m.MelodijeCB.back()};
    m.MelodijeIndex = -1;
    m.SaveMelMemIndex = m.SaveMelMemCB.empty() ? -1 : 0;
    ShowMelodyList(ctx);
    if (count >= 1) SendAtSrtc(ctx, 1);
}

void HandleSrtcQueryAnswer(EngineContext& ctx, const std::string& line) {
    const auto ringer = ParseSrtcQuery(line);
    if (!ringer) return;
    auto& s = Services(ctx);
    if (s.KeptMelody == -1) s.KeptMelody = ringer->melody;
    if (s.KeptVolume == -1) s.KeptVolume = ringer->volume;
    auto& m = Melodies(ctx);
    m.MelodijeIndex = ringer->melody < static_cast<int>(m.MelodijeCB.size()) ? ringer->melody : -1;
    m.VolumeTB = ringer->volume;
    SetPlaying(m, ringer->playing);
    ShowRingerState(ctx);
    if (!ringer->playing && (ringer->melody != s.KeptMelody || ringer->volume != s.KeptVolume))
        SendAtSrtc(ctx, 2, s.KeptMelody, s.KeptVolume);
}

}  // namespace parlenko
