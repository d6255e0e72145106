#include "ui/exchange/store_exchange_form.h"

#include <QTreeWidget>

namespace parlenko::ui {

TStoreExchangeForm::TStoreExchangeForm(QWidget* mainWindow, PhoneEngine& engine,
                                       TStoreSession& session, TCitamForm* citam)
    : TSmallWindow(mainWindow), engine_(engine), session_(session), citam_(citam) {}

void TStoreExchangeForm::OpenModally() {
    if (OpenStore()) exec();
}

void TStoreExchangeForm::ChooseAllPhoneRows(QTreeWidget* list) {
    list->selectAll();
    list->setFocus();
}

}  // namespace parlenko::ui
