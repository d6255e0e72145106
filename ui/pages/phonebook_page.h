#pragma once
// The phonebook page "Imenik": the entries of every memory in ImenikList,
// filtered by the view buttons, with the summary line under it, and the
// commands on the entries (new, edit, change of memory, delete, dial,
// refresh). It is the engine's phonebook view; every command goes to the
// engine with what it acts on.

#include "engine/phonebook/phonebook_view.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TUpisImenik;

class TImenikPage : public QWidget, public IPhonebookView {
public:
    // countriesDir holds "CountryList.dat" for the entry dialog.
    TImenikPage(PhoneEngine& engine, const QString& countriesDir, QWidget* parent = nullptr);
    ~TImenikPage() override;

    // --- IPhonebookView
    void ClearPhonebookRows() override;
    void AddPhonebookRow(const PhonebookRow& row) override;
    void SortPhonebookRows() override;
    void SetPhonebookViewEnabled(PhonebookMemory memory, bool enabled) override;
    void ShowPhonebookSummary(const PhonebookCapacities& capacities) override;
    void ReapplyPhonebookFilter() override;
    void FocusFirstPhonebookRow(bool onlyWhenActive) override;
    void PhonebookEntrySaved(const std::string& name, const std::string& number,
                             const std::string& position) override;

    // The phonebook items of the main menu ("&Telefonski imenik"), sharing
    // the popup's handlers by Tag.
    void FillMenu(QMenu* menu);

    // --- handlers
    // View filter: tag 0 all, 1 SIM card, 2 mobile memory, 3 own numbers,
    // 4 service numbers.
    void AllNumTBClick(int tag);
    void ImenikListChange();
    void ImenikListClick();
    void ImenikListDblClick();
    void ImenikListColumnClick(int column);
    void UpisImeTBClick();
    void IzmjenaImeTBClick();
    void PrebaciImeTBClick();
    void BrisanjeImeTBClick();
    void PozoviBrojTBClick();
    void OsvjeziTBClick();
    // Popup (and menu) items by their Tag.
    void Izmjenapodataka1Click(int tag);
    // The summary with the engine's capacities.
    void ShowSummary();
    // The view button that is down (0..4).
    int ViewTag() const { return viewTag_; }

    // The entry dialog. Another page that fills in its number (and the
    // Outlook exchange its name too) sets NumberPreset (FromOutlookContact)
    // before UpisImeTBClick; the next new entry shows them once, whether it
    // is saved or not.
    TUpisImenik& UpisImenik() { return *upis_; }
    bool NumberPreset = false;
    bool FromOutlookContact = false;
    // An entry was saved (the contacts exchange's list follows).
    std::function<void()> OnEntrySaved;
    // Shows a dialog modally (tests replace it).
    std::function<int(QWidget&)> ExecDialog;
    // Actions owned by others: business card, SMS, Outlook, export, backup.
    std::function<void(int tag)> OtherCommand;

    QToolBar* ToolBar2 = nullptr;
    QAction* UpisImeTB = nullptr;
    QAction* IzmjenaImeTB = nullptr;
    QAction* BrisanjeImeTB = nullptr;
    QAction* PrebaciImeTB = nullptr;
    std::array<QAction*, 5> ViewTB{};  // AllNumTB, SimNumTB, MobNumTB, OwnNumTB, SerNumTB
    QAction* PozoviBrojTB = nullptr;
    QAction* NewSmsIme1TB = nullptr;
    QAction* NewSmsIme2TB = nullptr;
    QAction* ExpImeTB = nullptr;
    QAction* BackupTB = nullptr;
    QAction* OutlookCTB = nullptr;
    QAction* OsvjeziTB = nullptr;
    QTreeWidget* ImenikList = nullptr;
    QMenu* ImenikPopup = nullptr;
    // Main-menu items (after FillMenu).
    QAction* Izmjenipodatke2 = nullptr;
    QAction* Izbrisiosobu2 = nullptr;
    QAction* Promjenilokaciju2 = nullptr;
    QAction* Pozoviosobu2 = nullptr;
    QAction* PosaljiSMSporuku2 = nullptr;
    QAction* kaoBusinessCard1 = nullptr;
    QAction* uOutlookContacts1 = nullptr;
    QAction* Pohranaipovratpodataka1 = nullptr;
    QAction* RazmjenapodatakaOutlookContacts1 = nullptr;  // follows OutlookCTB
    QLabel* SBTPrikazLab = nullptr;
    QLabel* SBTKapacitetLab = nullptr;
    QLabel* SBTUpisanoLab = nullptr;
    QLabel* SBTSlobodnoLab = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row at PhonebookIndex selected again; nullptr when there is none.
    QTreeWidgetItem* SelectIndexRow();
    // The refusal before a read has finished; true when refused.
    bool RefuseUnloaded(const char* caption);
    int Ask(const QString& caption, const QString& text);

    PhoneEngine& engine_;
    TUpisImenik* upis_ = nullptr;
    int viewTag_ = 0;
    int phonebookIndex_ = -1;
    bool filling_ = false;
};

}  // namespace parlenko::ui
