#include "ui/pages/barring_page.h"

#include "engine/session/phone_engine.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/barring_form.h"
#include "ui/pages/services_pages.h"

namespace parlenko::ui {
namespace {

constexpr const char* kClassGroups[3] = {
    " Glasovni pozivi:", " Podatkovni pozivi:", " Faks pozivi:"};
constexpr const char* kBarrings[5] = {
    "Zabrana svih odlaznih poziva",
    "Zabrana internacionalnih odlaznih poziva",
    "Zabrana internacionalnih odlaznih poziva, osim prema vlastitoj državi",
    "Zabrana svih dolaznih poziva",
    "Zabrana dolaznih poziva ako je mobitel prijavljen na stranu mrežu (Roaming)",
};
constexpr int kGroupHeight = 106;
constexpr int kRowHeight = 17;

}  // namespace

TBarringPage::TBarringPage(PhoneEngine& engine, QWidget* mainWindow)
    : engine_(engine), form_(std::make_unique<TBarringForm>(mainWindow, engine)) {
    using namespace controls;
    setObjectName("BarringPage");
    static constexpr const char* kGroupNames[3] = {"BarVoiceGB", "BarDataGB", "BarFaxGB"};
    for (int column = 0; column < 3; ++column) {
        QGroupBox* g = Group(this, kGroupNames[column], kClassGroups[column],
                             {8, 4 + column * (kGroupHeight + 4), 504, kGroupHeight});
        for (int row = 0; row < 5; ++row) {
            const int number = row + 5 * column + 1;
            const int y = 19 + row * kRowHeight;
            const QByteArray pb = "Bar" + QByteArray::number(number) + "PB";
            auto* box = new TIndicatorBox(g, pb.constData());
            box->move(12, y);
            BarPB[static_cast<std::size_t>(number - 1)] = box;
            Label(g, nullptr, kBarrings[row], {34, y, 464, 17});
        }
    }
    BarringCheckBtn = Button(this, "BarringCheckBtn", "Osvježi", {346, 336, 80, 24});
    BarringBtn = Button(this, "BarringBtn", "Izmjeni", {432, 336, 80, 24});
    BarringBtn->setEnabled(false);
    connect(BarringCheckBtn, &QPushButton::clicked, this, &TBarringPage::BarringCheckBtnClick);
    connect(BarringBtn, &QPushButton::clicked, this, &TBarringPage::BarringBtnClick);
}

TBarringPage::~TBarringPage() = default;

void TBarringPage::ShowBarring(int number, int picture) {
    if (TIndicatorBox* box = controls::Numbered(BarPB, number)) box->SetTag(picture);
}

void TBarringPage::SetChangeEnabled(bool enabled) { BarringBtn->setEnabled(enabled); }

void TBarringPage::BarringCheckBtnClick() { engine_.CheckBarrings(); }

void TBarringPage::BarringBtnClick() {
    if (!engine_.Connected()) return;
    form_->exec();
}

}  // namespace parlenko::ui
