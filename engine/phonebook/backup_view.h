#pragma once
// The backup wizard: its mirror of a phonebook read and the ends of its
// backup and restore runs. A view call only shows.

#include "engine/phonebook/phonebook_views.h"

namespace parlenko {

class IBackupView {
public:
    virtual ~IBackupView() = default;
    // The wizard's mirror of the read changed.
    virtual void BackupReadProgressChanged(const BackupReadView& view) { (void)view; }
    // The wizard's re-read finished: it writes its file and turns to its last page.
    virtual void BackupRefreshFinished() {}
    // The restore run wrote every entry chosen: the wizard turns to its last page.
    virtual void RestoreFinished() {}
};

}  // namespace parlenko
