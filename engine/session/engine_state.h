#pragma once
// Everything the engine remembers between two received chunks, in one place.
// One EngineState belongs to one PhoneEngine; its shared part (CoreState) is
// handed to every unit through the context, and each topic's part is kept in
// the context's TopicStore, where the topic finds it by its type. There are
// no hidden globals.
//
// A topic's state is declared in the topic's folder; a new topic adds its
// member here and keeps it in the store (KeepIn).

#include "engine/calls/calls_state.h"
#include "engine/core/core_state.h"
#include "engine/general/general_view.h"
#include "engine/melodies/melodies_view.h"
#include "engine/objects/objects_state.h"
#include "engine/objects/objects_view.h"
#include "engine/phonebook/phonebook_state.h"
#include "engine/services/services_state.h"
#include "engine/settings/settings_view.h"
#include "engine/sms/sms_state.h"

namespace parlenko {

struct EngineState : CoreState {
    CallState Call;
    NewCallNoticeView NewCallNotice;
    PhonebookOpState Phonebook;
    PhonebookReadState PhonebookRead;
    SmsState Sms;
    UploadState Upload;
    ObjectsState Objects;
    MelodyListView Melodies;
    ServicesState Services;
    GeneralInfoView GeneralInfo;
    PhoneSettingsView Settings;
    ObjectCapabilitiesView Capabilities;

    // Each topic finds its own part by its type.
    void KeepIn(TopicStore& topics) {
        topics.Keep(Call);
        topics.Keep(NewCallNotice);
        topics.Keep(Phonebook);
        topics.Keep(PhonebookRead);
        topics.Keep(Sms);
        topics.Keep(Upload);
        topics.Keep(Objects);
        topics.Keep(Melodies);
        topics.Keep(Services);
        topics.Keep(GeneralInfo);
        topics.Keep(Settings);
        topics.Keep(Capabilities);
    }
};

}  // namespace parlenko
