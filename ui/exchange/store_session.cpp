#include "ui/exchange/store_session.h"

namespace parlenko::ui {

bool TStoreSession::Available() const { return exchange::store::StoreAvailable(settings_()); }

exchange::store::Application& TStoreSession::ConnectOutlookApp() {
    OutlookApp.emplace(settings_());
    return *OutlookApp;
}

exchange::store::NameSpace& TStoreSession::LogonNameSpace() {
    exchange::store::Application& app = ConnectOutlookApp();
    OutlookNameSpace.reset();
    exchange::store::NameSpace ns = app.GetNamespace("MAPI");
    ns.Logon();
    OutlookNameSpace.emplace(std::move(ns));
    return *OutlookNameSpace;
}

void TStoreSession::Logoff() {
    if (OutlookNameSpace) OutlookNameSpace->Logoff();
}

}  // namespace parlenko::ui
