#include "exchange/windows/store_session.h"

namespace parlenko::exchange {

bool TStoreSession::Available() const { return store::StoreAvailable(settings_()); }

store::Application& TStoreSession::ConnectOutlookApp() {
    OutlookApp.emplace(settings_());
    return *OutlookApp;
}

store::NameSpace& TStoreSession::LogonNameSpace() {
    store::Application& app = ConnectOutlookApp();
    OutlookNameSpace.reset();
    store::NameSpace ns = app.GetNamespace("MAPI");
    ns.Logon();
    OutlookNameSpace.emplace(std::move(ns));
    return *OutlookNameSpace;
}

void TStoreSession::Logoff() {
    if (OutlookNameSpace) OutlookNameSpace->Logoff();
}

}  // namespace parlenko::exchange
