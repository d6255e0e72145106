#include "engine/session/data_files.h"

#include "engine/objects/object_answers.h"
#include "exchange/formats/atomic_file.h"
#include "exchange/formats/backup_files.h"
#include "exchange/formats/location_names.h"
#include "exchange/formats/phonebook_file.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace parlenko {

namespace {

// The folder of the backups the wizard writes by default.
constexpr char kBackupFolder[] = "Backup";

// The backups whose writes may have left a temporary file in folder: the
// names the temporary files there carry ("Imenik.pbb" of
// "Imenik.pbb.tmp4711_0"), whether the backup itself is there or not.
std::vector<std::string> BackupsWritten(const std::string& folder) {
    namespace fs = std::filesystem;
    const std::string_view extension = exchange::kBackupExtension;
    const std::string mark = std::string(extension) + ".tmp";
    std::vector<std::string> backups;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (const auto at = name.rfind(mark); at != std::string::npos)
            backups.push_back(name.substr(0, at + extension.size()));
    }
    return backups;
}

}  // namespace

void RemoveStaleTempFiles(EngineContext& ctx) {
    const std::string& dir = ctx.state.Options.DataDir;
    if (dir.empty()) return;
    static constexpr std::array<std::string_view, 4> kOwnFiles = {
        exchange::kPhonebookFileName, exchange::kLocationsFileName, exchange::kBackupPathsFileName,
        kLogoFileName};
    (void)exchange::RemoveStaleTempFiles(dir, kOwnFiles);
    const std::string backups = exchange::JoinPath(dir, kBackupFolder);
    const std::vector<std::string> written = BackupsWritten(backups);
    const std::vector<std::string_view> targets(written.begin(), written.end());
    (void)exchange::RemoveStaleTempFiles(backups, targets);
}

}  // namespace parlenko
