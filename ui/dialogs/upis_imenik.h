#pragma once
// The phonebook entry dialog (new entry, edit, change of memory) and the
// country calling-code picker it uses. The dialog checks name and number
// live against the phone's character sets (the hint window lists what is
// wrong), takes the first free position of the chosen memory, and on
// "Snimi" hands the write to the engine.

#include "components/widgets/tessary_hint.h"
#include "engine/phone/phone_memory.h"
#include "engine/phone/records.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace parlenko {
class PhoneEngine;
}
namespace parlenko::exchange {
struct CountryEntry;
}

namespace parlenko::ui {

class TZemljeForm : public QDialog {
    Q_OBJECT
public:
    // countriesDir holds "CountryList.dat" (read once here).
    TZemljeForm(const QString& countriesDir, QWidget* parent = nullptr);
    ~TZemljeForm() override;
    // Selects the country named name (none when absent) and shows its code.
    void SelectCountry(const QString& name);
    void ZemljeCBChange();
    // The calling code shown ("+385"; empty when no country is chosen).
    QString CallingCode() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<exchange::CountryEntry> countries_;
    QComboBox* ZemljeCB = nullptr;
    QLabel* PozivniLab = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

// The number with a calling code in front: an empty code leaves it as it
// is; an empty number becomes the code; a leading "0" is dropped.
QString AddCountryCode(const QString& number, const QString& code);

class TUpisImenik : public QDialog {
    Q_OBJECT
public:
    TUpisImenik(PhoneEngine& engine, const QString& countriesDir, QWidget* parent = nullptr);
    ~TUpisImenik() override;

    // The caller's preparations (the page's commands).
    // A new entry: name and number as given (keepNumber: a number filled in
    // by another page stays), the SIM card chosen, radios by the memories
    // that answered.
    void PrepareNew(const QString& name, const QString& number);
    // An edit (move false) or a change of memory (move true) of entry, shown
    // as caption/number with its VIP mark.
    void PrepareEdit(const AListIme& entry, const QString& caption, bool vip, bool move);
    // Fills in name and number (another page's, for the next new entry).
    void FillIn(const QString& name, const QString& number);
    // The name and number the fields hold.
    QString Name() const;
    QString Number() const;

    // Live checks of the two texts (Validate with the edit typed in).
    void ImeEditChange();
    void TelEditChange();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The validation balloon, null when none is shown.
    widgets::TTessaryHintWindow* Hint() const { return hint_; }
    bool MoveEntry() const { return moveEntry_; }
    // Shows the country picker modally: exec unless tests set their own.
    void SetCountryPickerRunner(std::function<int(TZemljeForm&)> run) {
        execCountries_ = std::move(run);
    }
    TZemljeForm& ZemljeForm() { return *zemlje_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPerson();
    void BuildLocation();
    void BuildButtons();
    // Memory radio (Tag 100, 200, 300) by its index in MemoryRadio.
    void SimRadioBtnClick(std::size_t index);
    void EnableMemories(bool enabled);
    // "Snimi" on exactly when the entry can be saved; the balloon beside
    // a text the phone cannot take (typing's first), the button's hint with
    // the reason while it is off.
    void Validate(const QLineEdit* typing);
    void ShowBalloon(const QString& text, int top);
    void FreeHint();

    PhoneEngine& engine_;
    QPointer<widgets::TTessaryHintWindow> hint_;
    TZemljeForm* zemlje_ = nullptr;
    std::function<int(TZemljeForm&)> execCountries_;
    PhoneMemory targetMemory_ = PhoneMemory::Sim;
    PhoneMemory entryMemory_ = PhoneMemory::Sim;
    std::string entryPosition_;
    bool moveEntry_ = false;

    QLineEdit* ImeEdit = nullptr;
    QLineEdit* TelEdit = nullptr;
    // SimRadioBtn, MobRadioBtn, VlaRadioBtn: the SIM card, the phone's
    // memory, the own numbers.
    std::array<QRadioButton*, 3> MemoryRadio{};
    // The chosen memory's box (GroupXP4, titled by the memory): the position
    // the entry goes to (PozicijaLab), the memory's capacity (MaxLab) and its
    // free places (FreeLab).
    struct MemoryBox {
        QGroupBox* group = nullptr;
        QLabel* position = nullptr;
        QLabel* capacity = nullptr;
        QLabel* free = nullptr;
        void Show(const QString& title, const QString& at, int places, int freePlaces) const;
    } Where;
    QCheckBox* VipCheck = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

}  // namespace parlenko::ui
