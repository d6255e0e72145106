#pragma once
// TOutlookContForm: the contacts exchange between the phonebook and the
// contacts store. The upper half lists the contacts of one store folder and
// sends one number of one contact into the phone's new-entry dialog; the
// lower half lists the phonebook and writes the chosen entries into the
// store as new contacts. TOutFoldersForm lists the default contacts folder
// with its subfolders, adds and deletes subfolders and chooses the folder
// new contacts go to. Both are created once at start; the store references
// live in the shared TStoreSession.

#include "engine/text/gsm_alphabet.h"
#include "exchange/store/outlook_store.h"
#include "ui/controls/small_window.h"
#include "ui/exchange/contacts_exchange.h"
#include "ui/exchange/store_exchange_form.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace parlenko::ui {

class TOutlookContForm;

// The phone form of a store number: blanks and parentheses go, the area
// code's leading "0" only after a country code ("+385 (01) 234 567" gives
// "+3851234567", "(01) 4567-890" gives "014567-890").
QString NormalizeOutlookNumber(const QString& number);

// A store name (UTF-8) as a phonebook name: at most 16 characters, those the
// phone's text characters have not changed (ToPhoneText) and listed.
PhoneText ToPhonebookName(const std::string& utf8Name);

class TOutFoldersForm : public ui::TSmallWindow {
    Q_OBJECT
public:
    TOutFoldersForm(QWidget* mainWindow, TStoreSession& session, TOutlookContForm& contForm);

    // Rebuilds the tree and the exchange window's folder combo from the
    // default contacts folder (root, then its subfolders in the store's order).
    void FillFolderTree();
    // The chosen folder's index: 0 the default folder (also when nothing is
    // chosen), i its subfolder i.
    int SelectedFolderIndex() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The tree and the exchange window's combo; keepChoice: the combo keeps
    // its choice when the folder is still in its place (after an add).
    void ListFolders(bool keepChoice);
    // The tree from the default contacts folder; the folders' names, the
    // default folder first (up to an error, whose text goes into error).
    QStringList FillTree(QString& error);
    void OutFoldersTVChange();
    void Edit1Change();
    // The tree shows a folder of that name (case ignored).
    bool FolderListed(const QString& name) const;
    void Button1Click();  // add
    void Button3Click();  // delete

    QTreeWidget* OutFoldersTV = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Dodaj novu"
    QPushButton* Button3 = nullptr;  // "Izbriši mapu"
    QPushButton* Button2 = nullptr;  // "Prihvati"
    QPushButton* Button4 = nullptr;  // "Odustani"

    TStoreSession& session_;
    TOutlookContForm& contForm_;
};

class TOutlookContForm : public TStoreExchangeForm, public ui::IContactsExchange {
    Q_OBJECT
public:
    TOutlookContForm(QWidget* mainWindow, PhoneEngine& engine, TStoreSession& session,
                     ui::TCitamForm* citamForm);
    ~TOutlookContForm() override;

    // The main window's command: connects to the store, fills both lists and
    // shows the window modally. A failed connection shows its message and
    // opens nothing.
    void Open() override;
    bool OpenStore() override;
    bool Available() const override;
    bool SaveEntry(const std::string& name, const std::string& number, int field) override;
    // Refills the lower list while the window is shown.
    void PhonebookChanged() override;

    // The folder window (its tree, the subfolders added and deleted).
    TOutFoldersForm& OutFoldersForm() { return *outFoldersForm_; }

    // The folder combo lists the store's folders by name, the default folder
    // first; it is chosen.
    void ShowFolders(const QStringList& names);
    // The same after a folder was added: the choice stays when the folder
    // chosen is still in its place, else the default folder is chosen.
    void ShowFoldersKeepingChoice(const QStringList& names);
    // The folder chosen was deleted: none is chosen and no contacts are listed.
    void ForgetChosenFolder();

signals:
    // The phone's new-entry command with the dialog pre-filled (name and
    // number as the phone takes them, Windows-1252).
    void NewEntryFromContact(const std::string& name, const std::string& number);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The store's default contacts folder opened afresh; false when it cannot be.
    bool OpenContactsFolder();
    // "Error occurred while trying to initialize the contacts folder!"
    void ShowContactsFolderError();
    void ReadOutlookContacts();
    // One item of the folder as a row of ContactsList; throws on an item
    // that is not a contact or cannot be read.
    void AddContactRow(const exchange::store::Items& items, long index);
    void FillPhonebookList();
    void ClearContactDetails();
    // The selected rows of PhonebookList into the store as new contacts,
    // moved into target when there is one; throws on a failure.
    void SaveSelectedEntries(const std::optional<exchange::store::Folder>& target);
    // An error outside the guarded steps: its text in an "Error" box.
    void ShowStoreError(const std::exception& error);

    // Event handlers.
    void RefreshBtnClick() override;
    void ContactsListChange();
    void HomeRBClick();
    void SaveBtnClick() override;
    void PhonebookListChange();
    void OutSaveBtnClick() override;
    void FormClose() override;
    void OutFoldersCBChange();

    QComboBox* OutFoldersCB = nullptr;
    QTreeWidget* ContactsList = nullptr;
    // The chosen contact's numbers, home, mobile, business, business 2 and
    // company: the choice of one (HomeRB .. CompanyRB) and the number beside
    // it (HomeLab .. CompanyLab).
    struct NumberChoice {
        QRadioButton* choice = nullptr;
        QLabel* number = nullptr;
    };
    std::array<NumberChoice, 5> numbers_{};
    QTreeWidget* PhonebookList = nullptr;
    QLabel* PhoneSelLab = nullptr;
    // The store field the chosen entries' numbers go into, in the same order
    // (OutHomeRB .. OutCompanyRB).
    std::array<QRadioButton*, 5> outFields_{};
    QPushButton* Button2 = nullptr;  // "Zatvori"

    TOutFoldersForm* outFoldersForm_ = nullptr;
    QString SelectedContactName;  // the chosen contact's name as the store holds it
    QString SelectedNumber;
    // Set while one row is being added; the list-change handlers ignore it.
    bool FillingList = false;
};

}  // namespace parlenko::ui
