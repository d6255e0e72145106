#include "ui/pages/divert_page.h"

#include "engine/session/phone_engine.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/divert_form.h"
#include "ui/pages/services_pages.h"

#include <tuple>

namespace parlenko::ui {
namespace {

constexpr const char* kReasons[4] = {
    "Uvijek:", "Ako ste zauzeti:", "Ako se ne javite:", "Ako niste dostupni:"};
constexpr int kGroupHeight = 96;
constexpr int kRowHeight = 18;

}  // namespace

TDivertPage::TDivertPage(PhoneEngine& engine, QWidget* mainWindow)
    : engine_(engine), form_(std::make_unique<TDivertForm>(mainWindow, engine)) {
    using namespace controls;
    setObjectName("DivertPage");
    static constexpr const char* kGroupNames[3] = {"DivertVoiceGB", "DivertDataGB", "DivertFaxGB"};
    for (int column = 0; column < 3; ++column) {
        QGroupBox* g = services::CallClassGroup(this, kGroupNames[column], column, kGroupHeight);
        for (int reason = 0; reason < 4; ++reason) {
            const int number = 3 * reason + column + 1;
            const auto k = static_cast<std::size_t>(number - 1);
            const int y = 20 + reason * kRowHeight;
            DivertPB[k] = services::IndicatorRow(g, "Divert" + QByteArray::number(number) + "PB",
                                                 kReasons[reason], y, 120);
            const QByteArray lab = "Divert" + QByteArray::number(number) + "Lab";
            DivertLab[k] = Label(g, lab.constData(), "", {156, y, 170, 17});
            DivertLab[k]->setStyleSheet(QStringLiteral("color: #1D3A66; font-weight: bold;"));
        }
        const int y = 20 + 2 * kRowHeight;
        Label(g, nullptr, "Preusmjeri nakon:", {340, y, 100, 17});
        const QByteArray sek = "DivertSek" + QByteArray::number(column + 1) + "Lab";
        DivertSekLab[static_cast<std::size_t>(column)] =
            Label(g, sek.constData(), "", {440, y, 24, 17});
        DivertSekLab[static_cast<std::size_t>(column)]->setAlignment(Qt::AlignRight |
                                                                     Qt::AlignVCenter);
        DivertSekLab[static_cast<std::size_t>(column)]->setStyleSheet(
            QStringLiteral("color: #1D3A66; font-weight: bold;"));
        Label(g, nullptr, "sek.", {468, y, 30, 17});
    }
    std::tie(DivertCheckBtn, DivertBtn) =
        services::CheckAndChange(this, "DivertCheckBtn", "DivertBtn", 310);
    OnClicked(this, {
                        {DivertCheckBtn, &TDivertPage::DivertCheckBtnClick},
                        {DivertBtn, &TDivertPage::DivertBtnClick},
                    });
}

TDivertPage::~TDivertPage() = default;

void TDivertPage::ShowDivert(int number, int picture, const QString& divertNumber) {
    TIndicatorBox* box = controls::Numbered(DivertPB, number);
    if (box == nullptr) return;
    box->SetTag(picture);
    controls::Numbered(DivertLab, number)->setText(divertNumber);
}

void TDivertPage::ShowNoReplyTime(int column, const QString& seconds) {
    if (QLabel* time = controls::Numbered(DivertSekLab, column)) time->setText(seconds);
}

void TDivertPage::SetChangeEnabled(bool enabled) { DivertBtn->setEnabled(enabled); }

// The indicators, numbers and times go blank and the button off through the
// services view as the check starts.
void TDivertPage::DivertCheckBtnClick() { engine_.CheckDiverts(); }

void TDivertPage::DivertBtnClick() {
    if (!engine_.Connected()) return;
    form_->exec();
}

}  // namespace parlenko::ui
