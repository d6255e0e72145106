#include "ui/pages/services_pages.h"

#include "engine/session/phone_engine.h"
#include "ui/artwork/services_images.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"
#include "ui/text_codec.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

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

namespace {

// The page fills the place Notebook2 keeps for it.
template <typename Page>
Page* Place(QStackedWidget* notebook2, int index, Page* page) {
    QWidget* place = notebook2->widget(index);
    auto* layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    return page;
}

template <typename Array>
bool InRange(const Array& a, int number) {
    return number >= 1 && number <= static_cast<int>(a.size());
}

}  // namespace

TServicesPages::TServicesPages(PhoneEngine& engine, QWidget* mainWindow, QStackedWidget* notebook2)
    : engine_(engine) {
    Diverts = Place(notebook2, 0, new TDivertPage(engine, mainWindow));
    Barrings = Place(notebook2, 1, new TBarringPage(engine, mainWindow));
    Locks = Place(notebook2, 2, new TLocksPage(engine, mainWindow));
    engine_.SetServicesView(this);
}

TServicesPages::~TServicesPages() { engine_.SetServicesView(nullptr); }

void TServicesPages::DivertChanged(int number, int picture, const std::string& divertNumber) {
    if (!InRange(Diverts->DivertPB, number)) return;
    const auto k = static_cast<std::size_t>(number - 1);
    Diverts->DivertPB[k]->SetTag(picture);
    Diverts->DivertLab[k]->setText(FromAnsi(divertNumber));
}

void TServicesPages::DivertTimeChanged(int column, const std::string& seconds) {
    if (!InRange(Diverts->DivertSekLab, column)) return;
    Diverts->DivertSekLab[static_cast<std::size_t>(column - 1)]->setText(FromAnsi(seconds));
}

void TServicesPages::BarringChanged(int number, int picture) {
    if (InRange(Barrings->BarPB, number))
        Barrings->BarPB[static_cast<std::size_t>(number - 1)]->SetTag(picture);
}

void TServicesPages::LockChanged(int number, int picture) {
    if (InRange(Locks->LockPB, number))
        Locks->LockPB[static_cast<std::size_t>(number - 1)]->SetTag(picture);
}

void TServicesPages::DivertButtonEnabled(bool enabled) { Diverts->DivertBtn->setEnabled(enabled); }

void TServicesPages::BarringButtonEnabled(bool enabled) {
    Barrings->BarringBtn->setEnabled(enabled);
}

}  // namespace parlenko::ui
