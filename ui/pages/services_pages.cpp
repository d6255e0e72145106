#include "ui/pages/services_pages.h"

#include "ui/artwork/services_images.h"
#include "ui/base/text_codec.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"

#include <QPainter>

namespace parlenko::ui {

TIndicatorBox::TIndicatorBox(QWidget* parent, const char* name) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(artwork::kCheckedSize, artwork::kCheckedSize + 1);
}

void TIndicatorBox::SetTag(int tag) {
    tag_ = tag;
    update();
}

void TIndicatorBox::paintEvent(QPaintEvent*) {
    const QImage picture = artwork::CheckedPicture(tag_);
    if (picture.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 1, picture);
}

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
