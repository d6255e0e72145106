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

// The do-nothing views: the interfaces' own default bodies.
inline IGeneralView& NullGeneralView() {
    static IGeneralView view;
    return view;
}
inline IPhonebookView& NullPhonebookView() {
    static IPhonebookView view;
    return view;
}
inline ICallListsView& NullCallListsView() {
    static ICallListsView view;
    return view;
}
inline ICallsView& NullCallsView() {
    static ICallsView view;
    return view;
}
inline ISmsView& NullSmsView() {
    static ISmsView view;
    return view;
}
inline ISettingsView& NullSettingsView() {
    static ISettingsView view;
    return view;
}
inline IObjectsView& NullObjectsView() {
    static IObjectsView view;
    return view;
}
inline ILogoView& NullLogoView() {
    static ILogoView view;
    return view;
}
inline IBackupView& NullBackupView() {
    static IBackupView view;
    return view;
}
inline IServicesView& NullServicesView() {
    static IServicesView view;
    return view;
}
inline IMelodiesView& NullMelodiesView() {
    static IMelodiesView view;
    return view;
}

struct Views {
    IGeneralView* general = &NullGeneralView();
    IPhonebookView* phonebook = &NullPhonebookView();
    ICallListsView* callLists = &NullCallListsView();
    ICallsView* calls = &NullCallsView();
    ISmsView* sms = &NullSmsView();
    ISettingsView* settings = &NullSettingsView();
    IObjectsView* objects = &NullObjectsView();
    ILogoView* logo = &NullLogoView();
    IBackupView* backup = &NullBackupView();
    IServicesView* services = &NullServicesView();
    IMelodiesView* melodies = &NullMelodiesView();
};

}  // namespace parlenko
