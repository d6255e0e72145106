#include "ui/exchange/store_exchange_form.h"

#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/exchange/store_session.h"

#include <QPushButton>
#include <QTreeWidget>

#include <tuple>
#include <utility>

namespace parlenko::ui {

TStoreExchangeForm::TStoreExchangeForm(QWidget* mainWindow, PhoneEngine& engine,
                                       TStoreSession& session, TCitamForm* citam)
    : TSmallWindow(mainWindow), engine_(engine), session_(session), citam_(citam) {}

void TStoreExchangeForm::done(int result) {
    FormClose();
    session_.Logoff();
    TSmallWindow::done(result);
}

void TStoreExchangeForm::OpenModally() {
    if (OpenStore()) exec();
}

namespace {

constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 25;

// A button and the one to its right, gap apart.
std::pair<QPushButton*, QPushButton*> ButtonPair(QWidget* box, QPoint at, int gap,
                                                 const char* leftName, const QString& leftCaption,
                                                 const char* rightName, const QString& rightCaption,
                                                 int rightWidth) {
    QPushButton* left = controls::Button(box, leftName, leftCaption,
                                         QRect(at.x(), at.y(), kButtonWidth, kButtonHeight));
    QPushButton* right =
        controls::Button(box, rightName, rightCaption,
                         QRect(at.x() + kButtonWidth + gap, at.y(), rightWidth, kButtonHeight));
    return {left, right};
}

}  // namespace

void TStoreExchangeForm::AddStoreButtons(QWidget* box, QPoint at, int gap, int saveWidth) {
    std::tie(RefreshBtn, SaveBtn) = ButtonPair(box, at, gap, "RefreshBtn", U("Osvježi popis"),
                                               "SaveBtn", U("Snimi u mobitel"), saveWidth);
    SaveBtn->setEnabled(false);
    connect(RefreshBtn, &QPushButton::clicked, this, [this] { RefreshBtnClick(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
}

void TStoreExchangeForm::AddPhoneButtons(QWidget* box, QPoint at, int gap, int saveWidth,
                                         const char* saveCaption, QTreeWidget* phoneList) {
    std::tie(OutSelectAllBtn, OutSaveBtn) = ButtonPair(
        box, at, gap, "OutSelectAllBtn", U("Označi sve"), "OutSaveBtn", U(saveCaption), saveWidth);
    OutSelectAllBtn->setEnabled(false);
    OutSaveBtn->setEnabled(false);
    connect(OutSelectAllBtn, &QPushButton::clicked, this, [phoneList] {
        phoneList->selectAll();
        phoneList->setFocus();
    });
    connect(OutSaveBtn, &QPushButton::clicked, this, [this] { OutSaveBtnClick(); });
}

}  // namespace parlenko::ui
