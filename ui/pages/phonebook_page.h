#pragma once
// The phonebook page "Imenik": the entries of every memory in ImenikList,
// filtered by the view buttons, with the summary line under it, and the
// commands on the entries (new, edit, change of memory, delete, dial,
// refresh). It is the engine's phonebook view; every command goes to the
// engine with what it acts on.

#include "engine/phonebook/phonebook_view.h"
#include "exchange/formats/phonebook_file.h"
#include "ui/dialogs/file_choice.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

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

    // The exports: the data folder that holds "Export", the file choice
    // (the page's own unless the main window shares its one) and the status
    // notice of a saved business card (set by the main window).
    void SetDataDir(const QString& dir) { dataDir_ = dir; }
    void SetFileChoice(TFileChoice& choice) { fileChoice_ = &choice; }
    TFileChoice& FileChoice() { return *fileChoice_; }
    std::function<void(const std::string&)> ShowStatusMessage = [](const std::string&) {};
    // The whole phonebook (the engine's list, the cache's before the first
    // read; no connection needed) as CSV, XML or one vCard per entry
    // (ExpImePopup; a plain click on ExpImeTB is the CSV export).
    void CommaSeparatedValuesCSV1Click();
    void ExtendedMarkupLanguageXML1Click();
    void vCardVCF1Click();
    // The selected entry as a "Business Card" (Tag 7 of the popup and menu).
    void SnimikaoBusinessCard1Click();

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
    // Actions owned by others: SMS, Outlook, backup.
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
    QAction* ExpImeTB = nullptr;  // drop-down button of ExpImePopup
    QMenu* ExpImePopup = nullptr;
    QAction* CommaSeparatedValuesCSV1 = nullptr;  // the default item
    QAction* ExtendedMarkupLanguageXML1 = nullptr;
    QAction* vCardVCF1 = nullptr;
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
    // The engine's phonebook as the export writers take it.
    std::vector<exchange::PhonebookFileEntry> ExportEntries() const;

    PhoneEngine& engine_;
    QString dataDir_;
    TFileChoice ownFileChoice_;
    TFileChoice* fileChoice_ = &ownFileChoice_;
    TUpisImenik* upis_ = nullptr;
    int viewTag_ = 0;
    int phonebookIndex_ = -1;
    bool filling_ = false;
};

}  // namespace parlenko::ui
