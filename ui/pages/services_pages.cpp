#include "ui/pages/services_pages.h"

#include "engine/session/phone_engine.h"
#include "ui/artwork/services_images.h"
#include "ui/base/text_codec.h"
#include "ui/pages/advanced_page.h"
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

TServicesPages::TServicesPages(PhoneEngine& engine, QWidget* mainWindow, TAdvancedPage& advanced)
    : engine_(engine),
      Diverts(new TDivertPage(engine, mainWindow)),
      Barrings(new TBarringPage(engine, mainWindow)),
      Locks(new TLocksPage(engine, mainWindow)) {
    advanced.FillSubPage(0, Diverts);
    advanced.FillSubPage(1, Barrings);
    advanced.FillSubPage(2, Locks);
    engine_.SetServicesView(this);
}

TServicesPages::~TServicesPages() { engine_.SetServicesView(nullptr); }

void TServicesPages::DivertChanged(int number, int picture, const std::string& divertNumber) {
    Diverts->ShowDivert(number, picture, FromAnsi(divertNumber));
}

void TServicesPages::DivertTimeChanged(int column, const std::string& seconds) {
    Diverts->ShowNoReplyTime(column, FromAnsi(seconds));
}

void TServicesPages::BarringChanged(int number, int picture) {
    Barrings->ShowBarring(number, picture);
}

void TServicesPages::LockChanged(int number, int picture) { Locks->ShowLock(number, picture); }

void TServicesPages::DivertButtonEnabled(bool enabled) { Diverts->SetChangeEnabled(enabled); }

void TServicesPages::BarringButtonEnabled(bool enabled) { Barrings->SetChangeEnabled(enabled); }

void TServicesPages::CheckLocks() { Locks->RefreshLocksBtnClick(); }

}  // namespace parlenko::ui
