#pragma once
// The views of the pages, one per page, held by the engine's context. Each
// points to a do-nothing view until a window sets its own through
// PhoneEngine; none is ever null. The views are not owned: a window that
// sets one must outlive the engine or set it back (nullptr) first.

#include "engine/calls/calls_view.h"
#include "engine/general/general_view.h"
#include "engine/melodies/melodies_view.h"
#include "engine/objects/logo_view.h"
#include "engine/objects/objects_view.h"
#include "engine/phonebook/backup_view.h"
#include "engine/phonebook/call_lists_view.h"
#include "engine/phonebook/phonebook_view.h"
#include "engine/services/services_view.h"
#include "engine/settings/settings_view.h"
#include "engine/sms/sms_view.h"

namespace parlenko {

// The do-nothing view of an interface: its own default bodies.
template <class View>
View* NullView() {
    static View view;
    return &view;
}

struct Views {
    IGeneralView* general = NullView<IGeneralView>();
    IPhonebookView* phonebook = NullView<IPhonebookView>();
    ICallListsView* callLists = NullView<ICallListsView>();
    ICallsView* calls = NullView<ICallsView>();
    ISmsView* sms = NullView<ISmsView>();
    ISettingsView* settings = NullView<ISettingsView>();
    IObjectsView* objects = NullView<IObjectsView>();
    ILogoView* logo = NullView<ILogoView>();
    IBackupView* backup = NullView<IBackupView>();
    IServicesView* services = NullView<IServicesView>();
    IMelodiesView* melodies = NullView<IMelodiesView>();
};

}  // namespace parlenko
