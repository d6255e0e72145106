#pragma once
// The diverts sub-page "Preusmjeravanja": for voice, data and fax calls the
// four divert reasons, each with its indicator and divert number, and the
// no-reply time. "Osvježi" asks the phone; "Izmjeni" (enabled by the
// check's last answer) opens the divert dialog.

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TDivertForm;
class TIndicatorBox;

class TDivertPage : public QWidget {
    Q_OBJECT
public:
    TDivertPage(PhoneEngine& engine, QWidget* mainWindow);
    ~TDivertPage() override;

    void DivertCheckBtnClick();
    void DivertBtnClick();

    // The divert numbered 3 x reason + class column + 1 (columns voice, data,
    // fax): its indicator picture and its number.
    void ShowDivert(int number, int picture, const QString& divertNumber);
    // The no-reply time of class column 1..3.
    void ShowNoReplyTime(int column, const QString& seconds);
    // "Izmjeni".
    void SetChangeEnabled(bool enabled);
    TDivertForm* DivertForm() const { return form_.get(); }

private:
    std::array<TIndicatorBox*, 12> DivertPB{};
    std::array<QLabel*, 12> DivertLab{};
    std::array<QLabel*, 3> DivertSekLab{};  // no-reply times: voice, data, fax
    QPushButton* DivertCheckBtn = nullptr;
    QPushButton* DivertBtn = nullptr;
    PhoneEngine& engine_;
    std::unique_ptr<TDivertForm> form_;
};

}  // namespace parlenko::ui
