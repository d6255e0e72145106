#include "ui/pages/services_pages.h"

#include "ui/artwork/services_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"

#include <QPainter>

namespace parlenko::ui {

TIndicatorBox::TIndicatorBox(QWidget* parent, const char* name) : TTagPainted(parent) {
    setObjectName(name);
    setFixedSize(artwork::kCheckedSize, artwork::kCheckedSize + 1);
}

void TIndicatorBox::paintEvent(QPaintEvent*) {
    const QImage picture = artwork::CheckedPicture(Tag());
    if (picture.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 1, picture);
}

namespace services {

QGroupBox* CallClassGroup(QWidget* page, const char* name, int column, int height) {
    static constexpr const char* kCaptions[3] = {
        " Glasovni pozivi:", " Podatkovni pozivi:", " Faks pozivi:"};
    return controls::Group(page, name, kCaptions[column],
                           {8, 4 + column * (height + 4), 504, height});
}

TIndicatorBox* IndicatorRow(QWidget* group, const QByteArray& name, const char* caption, int y,
                            int captionWidth) {
    auto* box = new TIndicatorBox(group, name.constData());
    box->move(12, y);
    controls::Caption(group, caption, {34, y, captionWidth, 17});
    return box;
}

std::pair<QPushButton*, QPushButton*> CheckAndChange(QWidget* page, const char* checkName,
                                                     const char* changeName, int y) {
    QPushButton* check = controls::Button(page, checkName, "Osvježi", {346, y, 80, 24});
    QPushButton* change = controls::Button(page, changeName, "Izmjeni", {432, y, 80, 24});
    change->setEnabled(false);
    return {check, change};
}

}  // namespace services

TServicesPages::TServicesPages(PhoneEngine& engine, QWidget* mainWindow)
    : diverts_(new TDivertPage(engine, mainWindow)),
      barrings_(new TBarringPage(engine, mainWindow)),
      locks_(new TLocksPage(engine, mainWindow)) {}

void TServicesPages::DivertChanged(int number, int picture, const std::string& divertNumber) {
    diverts_->ShowDivert(number, picture, FromAnsi(divertNumber));
}

void TServicesPages::DivertTimeChanged(int column, const std::string& seconds) {
    diverts_->ShowNoReplyTime(column, FromAnsi(seconds));
}

void TServicesPages::BarringChanged(int number, int picture) {
    barrings_->ShowBarring(number, picture);
}

void TServicesPages::LockChanged(int number, int picture) { locks_->ShowLock(number, picture); }

void TServicesPages::DivertButtonEnabled(bool enabled) { diverts_->SetChangeEnabled(enabled); }

void TServicesPages::BarringButtonEnabled(bool enabled) { barrings_->SetChangeEnabled(enabled); }

void TServicesPages::CheckLocks() { locks_->RefreshLocksBtnClick(); }

}  // namespace parlenko::ui
