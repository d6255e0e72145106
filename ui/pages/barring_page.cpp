#include "ui/pages/barring_page.h"

#include "engine/session/phone_engine.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/barring_form.h"
#include "ui/pages/services_pages.h"

#include <tuple>

namespace parlenko::ui {
namespace {

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
    setObjectName("BarringPage");
    static constexpr const char* kGroupNames[3] = {"BarVoiceGB", "BarDataGB", "BarFaxGB"};
    for (int column = 0; column < 3; ++column) {
        QGroupBox* g = services::CallClassGroup(this, kGroupNames[column], column, kGroupHeight);
        for (int row = 0; row < 5; ++row) {
            const int number = row + 5 * column + 1;
            BarPB[static_cast<std::size_t>(number - 1)] =
                services::IndicatorRow(g, "Bar" + QByteArray::number(number) + "PB", kBarrings[row],
                                       19 + row * kRowHeight, 464);
        }
    }
    std::tie(BarringCheckBtn, BarringBtn) =
        services::CheckAndChange(this, "BarringCheckBtn", "BarringBtn", 336);
    controls::OnClicked(this, {
                                  {BarringCheckBtn, &TBarringPage::BarringCheckBtnClick},
                                  {BarringBtn, &TBarringPage::BarringBtnClick},
                              });
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
