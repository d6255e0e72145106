#include "engine/phonebook/phonebook_cache.h"

#include "engine/phonebook/phonebook_read.h"
#include "engine/phone/phone_memory.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/phonebook/phonebook_state.h"
#include "exchange/formats/phonebook_file.h"

#include <set>

namespace parlenko {

namespace {

const std::string& DataDir(EngineContext& ctx) { return ctx.state.Options.DataDir; }

void Report(EngineContext& ctx, const exchange::WriteResult& result) {
    auto& r = PhonebookRead(ctx);
    if (result.ok() || r.CacheErrorReported) return;
    r.CacheErrorReported = true;
    ctx.host.ShowMessageDialog(
        "Error", "Error occurred while trying to save phonebook file!\r\r" + result.error,
        DialogKind::Error, DialogButtons::Ok);
}

std::string DamagedCacheText(std::size_t damaged, const std::string& dataDir) {
    const std::string count = std::to_string(damaged) + (damaged == 1 ? " entry" : " entries");
    return "Phonebook file is damaged!\r\r" + count + " could not be read from \"" +
           exchange::PhonebookFilePath(dataDir) + "\".";
}

}  // namespace

void SavePhonebookCache(EngineContext& ctx) {
    if (DataDir(ctx).empty()) return;
    std::vector<exchange::PhonebookFileEntry> entries;
    for (const auto& e : Phonebook(ctx).PhonebookList)
        entries.push_back({e.Name, e.Phone, e.Location, e.Position});
    Report(ctx, exchange::SavePhonebookFile(DataDir(ctx), entries));
}

void LoadPhonebookCache(EngineContext& ctx) {
    auto& list = Phonebook(ctx).PhonebookList;
    list.clear();
    ViewOf<IPhonebookView>(ctx).ClearPhonebookRows();
    std::set<PhoneMemory> present;
    if (!DataDir(ctx).empty()) {
        auto cache = exchange::LoadPhonebookFile(DataDir(ctx));
        // The program starts with an empty phonebook; the next read from the
        // phone replaces whatever stands at the cache's place.
        if (!cache.error.empty())
            ShowError(ctx, "Phonebook file cannot be read!\r\r" + cache.error);
        // Damaged records are left out; the user learns how many, once.
        if (cache.damagedRecords > 0)
            ShowError(ctx, DamagedCacheText(cache.damagedRecords, DataDir(ctx)));
        for (auto& e : cache.entries) {
            if (const auto memory = PhonebookMemoryFromCaption(e.Location)) present.insert(*memory);
            list.push_back(AListIme{std::move(e.Name), std::move(e.Phone), std::move(e.Location),
                                    std::move(e.Position)});
        }
    }
    for (auto memory : kPhonebookMemories)
        ViewOf<IPhonebookView>(ctx).SetPhonebookViewEnabled(memory, present.contains(memory));
}

}  // namespace parlenko
