#include "engine/session/data_files.h"

#include "engine/objects/object_answers.h"
#include "exchange/formats/atomic_file.h"
#include "exchange/formats/backup_files.h"
#include "exchange/formats/location_names.h"
#include "exchange/formats/phonebook_file.h"

#include <array>
#include <string_view>

namespace parlenko {

void RemoveStaleTempFiles(EngineContext& ctx) {
    const std::string& dir = ctx.state.Options.DataDir;
    if (dir.empty()) return;
    static constexpr std::array<std::string_view, 4> kOwnFiles = {
        exchange::kPhonebookFileName, exchange::kLocationsFileName, exchange::kBackupPathsFileName,
        kLogoFileName};
    (void)exchange::RemoveStaleTempFiles(dir, kOwnFiles);
}

}  // namespace parlenko
