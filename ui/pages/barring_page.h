#pragma once
// The barrings sub-page "Zabrana poziva": for voice, data and fax calls the
// five call barrings, each with its indicator. "Osvježi" asks the phone;
// "Izmjeni" (enabled by the check's last answer) opens the barring dialog.

#include <QWidget>

#include <array>
#include <memory>

class QPushButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TBarringForm;
class TIndicatorBox;

class TBarringPage : public QWidget {
    Q_OBJECT
public:
    TBarringPage(PhoneEngine& engine, QWidget* mainWindow);
    ~TBarringPage() override;

    void BarringCheckBtnClick();
    void BarringBtnClick();

    // The indicator picture of the barring numbered barring row + 5 x class
    // column + 1 (rows "AO", "OI", "OX", "AI", "IR"; columns voice, data,
    // fax).
    void ShowBarring(int number, int picture);
    // "Izmjeni".
    void SetChangeEnabled(bool enabled);
    TBarringForm* BarringForm() const { return form_.get(); }

private:
    std::array<TIndicatorBox*, 15> BarPB{};
    QPushButton* BarringCheckBtn = nullptr;
    QPushButton* BarringBtn = nullptr;
    PhoneEngine& engine_;
    std::unique_ptr<TBarringForm> form_;
};

}  // namespace parlenko::ui
