#pragma once
// The phonebook page "Imenik": the entries of every memory in ImenikList,
// filtered by the view buttons, with the summary line under it, and the
// commands on the entries (new, edit, change of memory, delete, dial,
// refresh). It is the engine's phonebook view; every command goes to the
// engine with what it acts on. Each row carries its entry's memory and
// position; the entry itself is the engine's (PhoneEngine::PhonebookList).
//
// What other windows carry out (dialling, a message to the entry, the
// backup wizard, the contacts exchange) the page asks for by its signals.

#include "engine/phone/records.h"
#include "engine/phonebook/phonebook_view.h"
#include "exchange/formats/phonebook_file.h"
#include "ui/controls/file_choice_slot.h"
#include "ui/controls/row_menu_items.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TUpisImenik;

class TImenikPage : public QWidget,
                    public IPhonebookView,
                    public TFileChoiceSlot,
                    public IRowMenuItems {
    Q_OBJECT
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
    // Its items on the selected entry.
    std::vector<QAction*> RowMenuItems() const override;

    // --- what other windows set
    // The dial button and items follow the call (the call windows).
    void SetDialEnabled(bool enabled);
    // The contacts exchange is there (its button and menu item are on) or not.
    void SetContactsExchangeAvailable(bool available);
    bool ContactsExchangeAvailable() const;
    // A new entry with a number another page filled in (the call lists, the
    // SMS page), and one with a contact's name and number (the contacts
    // exchange). Each fills the entry dialog as UpisImeTBClick then shows it;
    // the dialog shows them once, whether the entry is saved or not.
    void NewEntryWithNumber(const QString& number);
    void NewEntryFromContact(const QString& name, const QString& number);
    // A contact's pre-fill waits for the next new entry (none after a refusal).
    bool ContactPreFillPending() const { return fromOutlookContact_; }

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

    // The exports: the data folder that holds "Export".
    void SetDataDir(const QString& dir) { dataDir_ = dir; }
    // The whole phonebook (the engine's list, the cache's before the first
    // read; no connection needed) as CSV, XML or one vCard per entry
    // (ExpImePopup; a plain click on ExpImeTB is the CSV export).
    void CommaSeparatedValuesCSV1Click();
    void ExtendedMarkupLanguageXML1Click();
    void vCardVCF1Click();
    // The selected entry as a "Business Card" (Tag 7 of the popup and menu).
    void SnimikaoBusinessCard1Click();

    // The entry dialog.
    TUpisImenik& UpisImenik() { return *upis_; }
    // Shows a dialog modally: exec unless tests set their own.
    void SetDialogRunner(std::function<int(QWidget&)> run) { execDialog_ = std::move(run); }

signals:
    // The selected entry as shown (its caption, without the VIP "!"; its
    // number): dial it (both empty when no row is selected), a new message
    // to it (image: the row's, kImageEntry or kImageVip preset the
    // recipient), a new message carrying its name and number, or save it
    // into the contacts folder (field: 10 home .. 50 company).
    void DialRequested(const QString& name, const QString& number);
    void NewSmsRequested(const QString& caption, const QString& number, int image);
    void NewSmsWithEntryRequested(const QString& caption, const QString& number);
    void SaveToContactsRequested(const QString& name, const QString& number, int field);
    // The backup wizard and the contacts exchange window.
    void BackupRequested();
    void ContactsExchangeRequested();
    // An entry was saved (the contacts exchange's list follows).
    void EntrySaved();
    // A status notice (a saved business card).
    void StatusMessage(const std::string& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildExportButton();
    void BuildList();
    void BuildPopup();
    void BuildSummary();
    // An item of the entry commands (the popup's and the main menu's), by
    // its Tag.
    QAction* EntryItem(QMenu* menu, const char* name, const char* caption, int tag, int image = -1);
    void AddContactFields(QMenu* menu, const std::array<const char*, 5>& names);
    // A row's entry as it shows: the engine's record of the row's memory and
    // position (never null), the caption and the row's image.
    struct ShownEntry {
        const AListIme* record;
        QString caption;
        int image;
    };
    std::optional<ShownEntry> EntryOf(const QTreeWidgetItem* row) const;
    // The first selected row's entry, when a row is selected.
    std::optional<ShownEntry> SelectedEntry() const;
    // The commands other windows carry out, by their Tag.
    void RequestFromOthers(int tag);
    // The edit (move false) or change of memory (move true) of the row at
    // PhonebookIndex, in the entry dialog.
    void EditEntry(bool move);
    // The row at PhonebookIndex selected again; nullptr when there is none.
    QTreeWidgetItem* SelectIndexRow();
    // The refusal before a read has finished; true when refused.
    bool RefuseUnloaded(const char* caption);
    // The engine's phonebook as the export writers take it.
    std::vector<exchange::PhonebookFileEntry> ExportEntries() const;

    PhoneEngine& engine_;
    QString dataDir_;
    TUpisImenik* upis_ = nullptr;
    std::function<int(QWidget&)> execDialog_;
    int viewTag_ = 0;
    int phonebookIndex_ = -1;
    bool filling_ = false;
    // Another page filled in the dialog's number (and the contacts exchange
    // its name too) for the next new entry.
    bool numberPreset_ = false;
    bool fromOutlookContact_ = false;

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
};

}  // namespace parlenko::ui
