#include "ui/main_window/engine_views.h"

namespace parlenko::ui {

void SetEngineView(PhoneEngine& e, IGeneralView* v) { e.SetGeneralView(v); }
void SetEngineView(PhoneEngine& e, IPhonebookView* v) { e.SetPhonebookView(v); }
void SetEngineView(PhoneEngine& e, ICallListsView* v) { e.SetCallListsView(v); }
void SetEngineView(PhoneEngine& e, ICallsView* v) { e.SetCallsView(v); }
void SetEngineView(PhoneEngine& e, ISmsView* v) { e.SetSmsView(v); }
void SetEngineView(PhoneEngine& e, ISettingsView* v) { e.SetSettingsView(v); }
void SetEngineView(PhoneEngine& e, IObjectsView* v) { e.SetObjectsView(v); }
void SetEngineView(PhoneEngine& e, ILogoView* v) { e.SetLogoView(v); }
void SetEngineView(PhoneEngine& e, IBackupView* v) { e.SetBackupView(v); }
void SetEngineView(PhoneEngine& e, IServicesView* v) { e.SetServicesView(v); }
void SetEngineView(PhoneEngine& e, IMelodiesView* v) { e.SetMelodiesView(v); }

}  // namespace parlenko::ui
