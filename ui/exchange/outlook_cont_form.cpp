#include "ui/exchange/outlook_cont_form.h"

#include "engine/core/modes.h"
#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "exchange/store/outlook_store.h"
#include "ui/artwork/artwork.h"
#include "ui/artwork/small_images.h"
#include "ui/base/name_order.h"
#include "ui/base/text_codec.h"
#include "ui/controls/activity_picture.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/phone_text_question.h"
#include "ui/dialogs/citam_form.h"
#include "ui/exchange/store_session.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace parlenko::ui {
namespace {

QIcon FolderIcon() { return controls::SmallIcon(43); }
QIcon EntryIcon(bool vip) { return controls::SmallIcon(vip ? 4 : 3); }

// The window's list views: report style, read-only, whole rows.
QTreeWidget* ReportList(QWidget* parent, const char* name, const QStringList& columns, bool multi) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    list->setHeaderLabels(columns);
    list->header()->setSectionsClickable(false);
    list->header()->setSectionResizeMode(QHeaderView::Fixed);
    list->setColumnWidth(0, 204);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 1; c < columns.size(); ++c) list->setColumnHidden(c, true);
    return list;
}

QLabel* Text(QWidget* parent, const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 18);
    return l;
}

QRadioButton* Radio(QWidget* parent, const char* name, const char* caption, int tag, int x, int y,
                    int w) {
    auto* rb = new QRadioButton(U(caption), parent);
    rb->setObjectName(name);
    rb->setProperty("Tag", tag);
    rb->setGeometry(x, y, w, 18);
    return rb;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
    return controls::Button(parent, name, caption, QRect(x, y, w, 25));
}

// A contact's numbers in the order of the window's choices: home, mobile,
// business, business 2 and company.
struct NumberField {
    const std::string& (exchange::store::ContactItem::*get)() const;
    void (exchange::store::ContactItem::*set)(std::string);
};
constexpr std::array<NumberField, 5> kNumberFields = {{
    {&exchange::store::ContactItem::HomeTelephoneNumber,
     &exchange::store::ContactItem::SetHomeTelephoneNumber},
    {&exchange::store::ContactItem::MobileTelephoneNumber,
     &exchange::store::ContactItem::SetMobileTelephoneNumber},
    {&exchange::store::ContactItem::BusinessTelephoneNumber,
     &exchange::store::ContactItem::SetBusinessTelephoneNumber},
    {&exchange::store::ContactItem::Business2TelephoneNumber,
     &exchange::store::ContactItem::SetBusiness2TelephoneNumber},
    {&exchange::store::ContactItem::CompanyMainTelephoneNumber,
     &exchange::store::ContactItem::SetCompanyMainTelephoneNumber},
}};

// A new contact of name with its number in the field of kindIndex (of
// kNumberFields), saved into target or the default folder; throws StoreError.
void SaveContact(const exchange::store::Application& app, const std::string& utf8Name,
                 const std::string& utf8Number, std::size_t kindIndex,
                 const std::optional<exchange::store::Folder>& target) {
    exchange::store::ContactItem c = app.CreateItem(exchange::store::olContactItem).AsContactItem();
    c.SetFullName(utf8Name);
    (c.*kNumberFields[kindIndex].set)(utf8Number);
    if (target) c.Move(*target);
    else c.Save();
}

}  // namespace

QString NormalizeOutlookNumber(const QString& number) {
    QString s = number;
    QString result;
    const qsizetype open = s.indexOf('(');
    if (open >= 0 && s.indexOf(')') >= 0) {
        result = s.left(open + 1);
        s.remove(0, open + 1);
        const qsizetype close = s.indexOf(')');
        QString area = s.left(close + 1);
        s.remove(0, close + 1);
        // "+385 (01)": the area code's "0" is the trunk prefix, not dialled
        // after the country code; without one in front it is part of the number.
        QString front = result;
        front.remove(' ').remove('(');
        if (!front.isEmpty() && area.startsWith('0')) area.remove(0, 1);
        result += area + s;
        while (result.contains(' ') || result.contains('(') || result.contains(')')) {
            for (const QChar c : {QChar(' '), QChar('('), QChar(')')}) {
                const qsizetype at = result.indexOf(c);
                if (at >= 0) result.remove(at, 1);
            }
        }
    } else {
        result = s;
    }
    result.remove(' ');
    return result;
}

PhoneText ToPhonebookName(const std::string& utf8Name) { return ToPhoneText(utf8Name, 16); }

// ---------------------------------------------------------------------------
// TOutFoldersForm

TOutFoldersForm::TOutFoldersForm(QWidget* mainWindow, TStoreSession& session,
                                 TOutlookContForm& contForm)
    : TSmallWindow(mainWindow), session_(session), contForm_(contForm) {
    setObjectName("OutFoldersForm");
    setWindowTitle(U("Izaberi mapu za snimanje kontakata . . ."));
    setModal(true);
    setFixedSize(325, 248);

    auto* group = new QGroupBox(U(" Lista mapa u mapi kontakata:"), this);
    group->setGeometry(8, 6, 309, 196);
    OutFoldersTV = new QTreeWidget(group);
    OutFoldersTV->setObjectName("OutFoldersTV");
    OutFoldersTV->setHeaderHidden(true);
    OutFoldersTV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OutFoldersTV->setGeometry(10, 22, 289, 130);
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(10, 160, 175, 24);
    Button1 = Button(group, "Button1", "Dodaj novu", 192, 160, 107);
    Button1->setEnabled(false);
    Button3 = Button(this, "Button3", "Izbriši mapu", 8, 214, 100);
    Button2 = Button(this, "Button2", "Prihvati", 130, 214, 90);
    Button4 = Button(this, "Button4", "Odustani", 227, 214, 90);
    Button2->setDefault(true);

    QObject::connect(OutFoldersTV, &QTreeWidget::currentItemChanged, this,
                     [this] { OutFoldersTVChange(); });
    QObject::connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    QObject::connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    QObject::connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    QObject::connect(Button2, &QPushButton::clicked, this, [this] { accept(); });
    QObject::connect(Button4, &QPushButton::clicked, this, [this] { reject(); });
}

void TOutFoldersForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    Edit1->clear();
    // The tree has the focus: its root is the choice until another is made.
    if (OutFoldersTV->currentItem() == nullptr && OutFoldersTV->topLevelItemCount() > 0)
        OutFoldersTV->setCurrentItem(OutFoldersTV->topLevelItem(0));
    OutFoldersTV->setFocus();
}

void TOutFoldersForm::FillFolderTree() { ListFolders(false); }

void TOutFoldersForm::ListFolders(bool keepChoice) {
    QString error;
    const QStringList names = FillTree(error);
    if (keepChoice) contForm_.ShowFoldersKeepingChoice(names);
    else contForm_.ShowFolders(names);
    if (!error.isEmpty()) ShowError(this, U("Error"), error);
    OutFoldersTV->expandAll();
    OutFoldersTV->setFocus();
}

QStringList TOutFoldersForm::FillTree(QString& error) {
    OutFoldersTV->clear();
    QStringList names;
    if (!session_.ContactsFolder) return names;
    try {
        const QString rootName = FromUtf8(session_.ContactsFolder->Name());
        auto* root = new QTreeWidgetItem(OutFoldersTV, {rootName});
        root->setIcon(0, FolderIcon());
        names << rootName;
        const exchange::store::Folders folders = session_.ContactsFolder->GetFolders();
        for (long i = 1; i <= folders.Count(); ++i) {
            const QString name = FromUtf8(folders.Item(i).Name());
            auto* child = new QTreeWidgetItem(root, {name});
            child->setIcon(0, FolderIcon());
            names << name;
        }
    } catch (const std::exception& e) {
        error = FromUtf8(e.what());
    }
    return names;
}

int TOutFoldersForm::SelectedFolderIndex() const {
    const QTreeWidgetItem* item = OutFoldersTV->currentItem();
    if (item == nullptr || !item->isSelected() || item->parent() == nullptr) return 0;
    return item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) + 1;
}

void TOutFoldersForm::OutFoldersTVChange() {
    const QTreeWidgetItem* item = OutFoldersTV->currentItem();
    Button3->setEnabled(item != nullptr && item->parent() != nullptr);
}

void TOutFoldersForm::Edit1Change() { Button1->setEnabled(!Edit1->text().trimmed().isEmpty()); }

void TOutFoldersForm::Button1Click() {
    if (!session_.ContactsFolder) return;
    try {
        session_.ContactsFolder->GetFolders().Add(Edit1->text().toStdString(),
                                                  exchange::store::olFolderContacts);
    } catch (const std::exception& e) {
        // The folder that is there already, or why the store could not add it
        // (a folder it may not write, a full disc).
        if (FolderListed(Edit1->text().trimmed()))
            ShowError(this, U("Error!"), U("Folder you trying to add already exists!"));
        else
            ShowError(this, U("Error!"),
                      U("Folder could not be added!\n\nReason:  ") + FromUtf8(e.what()));
    }
    ListFolders(true);
    Edit1->clear();
}

bool TOutFoldersForm::FolderListed(const QString& name) const {
    for (QTreeWidgetItemIterator it(OutFoldersTV); *it != nullptr; ++it)
        if ((*it)->text(0).compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void TOutFoldersForm::Button3Click() {
    const QTreeWidgetItem* item = OutFoldersTV->currentItem();
    // The default folder itself is never deleted.
    if (item == nullptr || item->parent() == nullptr) return;
    const int index = item->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) + 1;
    if (Ask(this, U("Delete folder"), U("Delete folder from the contacts folder?")) !=
        DialogResult::Yes)
        return;
    if (!session_.ContactsFolder) return;
    try {
        session_.ContactsFolder->GetFolders().Remove(index);
    } catch (const std::exception& e) {
        ShowError(this, U("Error"), FromUtf8(e.what()));
    }
    FillFolderTree();
    contForm_.ForgetChosenFolder();
}

// ---------------------------------------------------------------------------
// TOutlookContForm

TOutlookContForm::TOutlookContForm(QWidget* mainWindow, PhoneEngine& engine, TStoreSession& session,
                                   ui::TCitamForm* citamForm)
    : TStoreExchangeForm(mainWindow, engine, session, citamForm) {
    setObjectName("OutlookContForm");
    setWindowTitle(U("Razmjena podataka:  Parlenko  <>  Mapa kontakata"));
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(531, 483);

    auto* upper = new QGroupBox(U(" Mapa kontakata:"), this);
    upper->setGeometry(8, 4, 515, 226);
    OutFoldersCB = new QComboBox(upper);
    OutFoldersCB->setObjectName("OutFoldersCB");
    OutFoldersCB->setGeometry(10, 20, 204, 22);
    ContactsList =
        ReportList(upper, "ContactsList",
                   {U("Naziv osobe"), "Home", "Mobile", "Work1", "Work2", "Company"}, false);
    ContactsList->setGeometry(10, 46, 204, 170);
    Text(upper, U("Telefonski brojevi:"), 228, 20, 200);
    struct Row {
        const char* rbName;
        const char* labName;
        const char* caption;
    };
    const Row rows[] = {{"HomeRB", "HomeLab", " Kuća:"},
                        {"MobRB", "MobLab", " Mobitel:"},
                        {"Work1RB", "Work1Lab", " Posao 1:"},
                        {"Work2RB", "Work2Lab", " Posao 2:"},
                        {"CompanyRB", "CompanyLab", " Firma:"}};
    QPalette green;
    // Dark green while chosen; greyed like any disabled label otherwise.
    green.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 100, 0));
    green.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 100, 0));
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        const int y = 44 + static_cast<int>(i) * 24;
        NumberChoice& row = numbers_[i];
        row.choice =
            Radio(upper, rows[i].rbName, rows[i].caption, static_cast<int>(i) + 1, 236, y, 86);
        row.number = new QLabel(upper);
        row.number->setObjectName(rows[i].labName);
        row.number->setGeometry(324, y, 180, 18);
        row.number->setPalette(green);
        QFont bold = row.number->font();
        bold.setBold(true);
        row.number->setFont(bold);
        QObject::connect(row.choice, &QRadioButton::clicked, this, [this] { HomeRBClick(); });
    }
    AddStoreButtons(upper, QPoint(228, 186), 6, 110);
    controls::ActivityPicture(upper, "ContactsPB", 5, QPoint(468, 178));

    auto* lower = new QGroupBox(U(" Telefonski imenik u mobitelu:"), this);
    lower->setGeometry(8, 236, 515, 206);
    PhonebookList =
        ReportList(lower, "PhonebookList", {U("Naziv osobe"), U("Telefonski broj")}, true);
    PhonebookList->setGeometry(10, 20, 204, 176);
    Text(lower, U("Označeno za snimanje:"), 228, 20, 140);
    PhoneSelLab = Text(lower, "0 of 0", 370, 20, 130);
    PhoneSelLab->setObjectName("PhoneSelLab");
    Text(lower, U("Brojevi za snimanje:"), 228, 44, 270);
    Text(lower, U("Snimi označene brojeve u polje:"), 236, 64, 260);
    outFields_ = {Radio(lower, "OutHomeRB", " Kuća", 1, 244, 84, 120),
                  Radio(lower, "OutMobRB", " Mobitel", 2, 244, 104, 120),
                  Radio(lower, "OutWork1RB", " Posao 1", 3, 244, 124, 120),
                  Radio(lower, "OutWork2RB", " Posao 2", 4, 370, 84, 120),
                  Radio(lower, "OutCompanyRB", " Firma", 5, 370, 104, 120)};
    outFields_[0]->setChecked(true);
    AddPhoneButtons(lower, QPoint(228, 168), 6, 110, "Snimi u kontakte", PhonebookList);
    controls::ActivityPicture(lower, "PhonebookPB", 0, QPoint(468, 160));

    Button2 = Button(this, "Button2", "Zatvori", 423, 450, 100);

    ClearContactDetails();
    QObject::connect(ContactsList, &QTreeWidget::itemSelectionChanged, this,
                     [this] { ContactsListChange(); });
    QObject::connect(PhonebookList, &QTreeWidget::itemSelectionChanged, this,
                     [this] { PhonebookListChange(); });
    // Only the user's choice reads another folder; refilling the combo does not.
    QObject::connect(OutFoldersCB, &QComboBox::activated, this, [this] { OutFoldersCBChange(); });
    QObject::connect(Button2, &QPushButton::clicked, this, [this] { close(); });

    outFoldersForm_ = new TOutFoldersForm(mainWindow, session_, *this);
}

TOutlookContForm::~TOutlookContForm() { delete outFoldersForm_; }

void TOutlookContForm::ShowStoreError(const std::exception& error) {
    if (citam_ != nullptr && citam_->isVisible()) citam_->close();
    ShowError(this, U("Error"), FromUtf8(error.what()));
}

void TOutlookContForm::Open() { OpenModally(); }

bool TOutlookContForm::OpenContactsFolder() {
    try {
        session_.LogonNameSpace();
        session_.ContactsFolder.reset();
        session_.ContactsFolder =
            session_.OutlookNameSpace->GetDefaultFolder(exchange::store::olFolderContacts);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TOutlookContForm::ShowContactsFolderError() {
    ShowError(parentWidget(), U("Contacts folder"),
              U("Error occurred while trying to initialize the contacts folder!"));
}

bool TOutlookContForm::OpenStore() {
    if (!OpenContactsFolder()) {
        if (citam_ != nullptr && citam_->isVisible()) citam_->close();
        hide();
        ShowContactsFolderError();
        return false;
    }
    if (!session_.OutlookNameSpace || !session_.ContactsFolder) return false;
    session_.CurrentContactsFolder = session_.ContactsFolder;
    outFoldersForm_->FillFolderTree();
    ReadOutlookContacts();
    FillPhonebookList();
    return true;
}

bool TOutlookContForm::Available() const { return session_.Available(); }

void TOutlookContForm::ShowFolders(const QStringList& names) {
    OutFoldersCB->clear();
    for (const QString& name : names) OutFoldersCB->addItem(FolderIcon(), name);
    if (OutFoldersCB->count() > 0) OutFoldersCB->setCurrentIndex(0);
}

void TOutlookContForm::ShowFoldersKeepingChoice(const QStringList& names) {
    const int j = OutFoldersCB->currentIndex();
    const QString text = OutFoldersCB->currentText();
    ShowFolders(names);
    if (j >= 0 && j < OutFoldersCB->count() && OutFoldersCB->itemText(j) == text)
        OutFoldersCB->setCurrentIndex(j);
    else if (OutFoldersCB->count() > 0) OutFoldersCB->setCurrentIndex(0);
}

void TOutlookContForm::ForgetChosenFolder() {
    OutFoldersCB->setCurrentIndex(-1);
    ContactsList->clear();
    ClearContactDetails();
}

void TOutlookContForm::PhonebookChanged() {
    if (isVisible()) FillPhonebookList();
}

bool TOutlookContForm::SaveEntry(const std::string& name, const std::string& number, int field) {
    const auto failed = [this] {
        ShowContactsFolderError();
        return false;
    };
    if (!OpenContactsFolder()) return failed();
    outFoldersForm_->FillFolderTree();
    if (outFoldersForm_->exec() != QDialog::Accepted) return false;
    const int k = outFoldersForm_->SelectedFolderIndex();
    // Fields 20 .. 50 are the numbers after the home one; any other, home.
    const bool otherThanHome = field % 10 == 0 && field >= 20 && field <= 50;
    const auto kind = otherThanHome ? static_cast<std::size_t>(field / 10 - 1) : 0;
    try {
        std::optional<exchange::store::Folder> target;
        if (k > 0) target = session_.ContactsFolder->GetFolders().Item(k);
        SaveContact(*session_.OutlookApp, exchange::store::Windows1252ToUtf8(name),
                    exchange::store::Windows1252ToUtf8(number), kind, target);
    } catch (const std::exception&) {
        return failed();
    }
    return true;
}

void TOutlookContForm::showEvent(QShowEvent* event) {
    TStoreExchangeForm::showEvent(event);
    if (OutFoldersCB->count() > 0) OutFoldersCB->setCurrentIndex(0);
    ContactsList->setFocus();
}

void TOutlookContForm::FormClose() {
    ContactsList->clear();
    ClearContactDetails();
}

void TOutlookContForm::ClearContactDetails() {
    for (const NumberChoice& row : numbers_) {
        // Qt's exclusive radios cannot be unchecked while exclusive.
        row.choice->setAutoExclusive(false);
        row.choice->setChecked(false);
        row.choice->setAutoExclusive(true);
        row.choice->setEnabled(false);
    }
    for (const NumberChoice& row : numbers_) {
        row.number->clear();
        row.number->setEnabled(false);
    }
    SaveBtn->setEnabled(false);
}

void TOutlookContForm::ReadOutlookContacts() {
    ContactsList->setUpdatesEnabled(false);
    ContactsList->clear();
    ContactsList->setUpdatesEnabled(true);
    ContactsList->setSortingEnabled(false);
    ClearContactDetails();
    if (!session_.CurrentContactsFolder) return;
    engine_.SetMode(ActivityMode::OutlookContacts);

    std::string folderName;
    std::optional<exchange::store::Items> items;
    try {
        folderName = session_.CurrentContactsFolder->Name();
        items = session_.CurrentContactsFolder->GetItems();
    } catch (const std::exception& e) {
        ShowStoreError(e);
        return;
    }
    const long count = items->Count();
    if (citam_ != nullptr) {
        citam_->setWindowTitle(U("Reading contacts from the contacts folder . . ."));
        citam_->ShowLocation("Folder \"" + FromUtf8(folderName) + "\"", QString::number(count));
        citam_->ShowProgress();
    }
    for (long i = 1; i <= count; ++i) {
        const int progress = static_cast<int>(
            std::lround(static_cast<double>(i) * 100.0 / static_cast<double>(count)));
        if (citam_ != nullptr) {
            citam_->ShowPosition("Reading contact from position no. " + QString::number(i));
            citam_->SetPercent(progress);
        }
        QCoreApplication::processEvents();
        FillingList = true;
        try {
            AddContactRow(*items, i);
        } catch (const std::exception&) {
            // Not a contact (a distribution list, a broken file): skipped.
        }
        FillingList = false;
    }
    if (citam_ != nullptr && citam_->isVisible()) citam_->close();
    SortRowsByName(ContactsList, 0);
    if (ContactsList->topLevelItemCount() > 0)
        ContactsList->setCurrentItem(ContactsList->topLevelItem(0));
}

void TOutlookContForm::AddContactRow(const exchange::store::Items& items, long index) {
    const exchange::store::ContactItem c = items.Item(index).AsContactItem();
    auto* row = new QTreeWidgetItem(ContactsList);
    row->setText(0, FromUtf8(c.FullName()));
    for (std::size_t k = 0; k < kNumberFields.size(); ++k)
        row->setText(static_cast<int>(k) + 1,
                     NormalizeOutlookNumber(FromUtf8((c.*kNumberFields[k].get)())));
    row->setIcon(0, FolderIcon());
}

void TOutlookContForm::FillPhonebookList() {
    PhonebookList->clear();
    for (const AListIme& e : engine_.PhonebookList()) {
        FillingList = true;
        std::string name = e.Name;
        const bool vip = !name.empty() && name.back() == '!';
        if (vip) name.pop_back();
        auto* row = new QTreeWidgetItem(PhonebookList);
        row->setText(0, ui::FromAnsi(name));
        row->setText(1, ui::FromAnsi(e.Phone));
        row->setData(0, Qt::UserRole, QByteArray::fromStdString(name));
        row->setData(1, Qt::UserRole, QByteArray::fromStdString(e.Phone));
        row->setIcon(0, EntryIcon(vip));
        FillingList = false;
    }
    SortRowsByName(PhonebookList, 0);
    if (PhonebookList->topLevelItemCount() > 0)
        PhonebookList->setCurrentItem(PhonebookList->topLevelItem(0));
    PhonebookListChange();
}

void TOutlookContForm::RefreshBtnClick() {
    ReadOutlookContacts();
    ContactsList->setFocus();
}

void TOutlookContForm::ContactsListChange() {
    const QList<QTreeWidgetItem*> sel = ContactsList->selectedItems();
    if (ContactsList->topLevelItemCount() == 0 || sel.isEmpty()) {
        ClearContactDetails();
        return;
    }
    if (FillingList) return;
    ClearContactDetails();
    const QTreeWidgetItem* row = sel.front();
    for (std::size_t k = 0; k < numbers_.size(); ++k) {
        const QString number = row->text(static_cast<int>(k) + 1);
        numbers_[k].number->setText(number);
        numbers_[k].choice->setEnabled(!number.trimmed().isEmpty());
    }
    SelectedContactName = row->text(0);
}

void TOutlookContForm::HomeRBClick() {
    for (const NumberChoice& row : numbers_) row.number->setEnabled(false);
    SaveBtn->setEnabled(false);
    for (const NumberChoice& row : numbers_) {
        if (!row.choice->isChecked()) continue;
        row.number->setEnabled(true);
        SelectedNumber = row.number->text();
        SaveBtn->setEnabled(true);
        return;
    }
}

void TOutlookContForm::SaveBtnClick() {
    ContactsList->setFocus();
    const PhoneText name = ToPhonebookName(ui::ToUtf8(SelectedContactName));
    // Closed, the phone takes nothing: the new-entry command refuses.
    if (engine_.Connected() && !ui::WriteChangedTexts(this, {{SelectedContactName, name}})) return;
    const std::string number = KeepNumberChars(ui::ToAnsi(SelectedNumber));
    emit NewEntryFromContact(name.Text, number);
}

void TOutlookContForm::PhonebookListChange() {
    const int rows = PhonebookList->topLevelItemCount();
    if (rows == 0) {
        PhoneSelLab->setText("0 of 0");
        OutSelectAllBtn->setEnabled(false);
        OutSaveBtn->setEnabled(false);
        return;
    }
    OutSelectAllBtn->setEnabled(true);
    if (FillingList) return;
    const auto selected = PhonebookList->selectedItems().size();
    PhoneSelLab->setText(QString::number(selected) + " of " + QString::number(rows));
    OutSaveBtn->setEnabled(selected > 0);
}

void TOutlookContForm::OutSaveBtnClick() {
    if (outFoldersForm_->exec() != QDialog::Accepted) return;
    const int k = outFoldersForm_->SelectedFolderIndex();
    std::optional<exchange::store::Folder> target;
    try {
        if (!session_.ContactsFolder || !session_.OutlookApp)
            throw exchange::store::StoreError("The contacts store is not open.");
        if (k > 0) target = session_.ContactsFolder->GetFolders().Item(k);
    } catch (const std::exception& e) {
        ShowStoreError(e);
        return;
    }
    try {
        SaveSelectedEntries(target);
    } catch (const std::exception&) {
        ReadOutlookContacts();  // the contacts saved before the error are there
        ShowError(this, U("Error"),
                  U("Error occurred while trying to save entries in the contacts folder!"));
        return;
    }
    // The store's list shows what was written.
    ReadOutlookContacts();
    PhonebookList->setFocus();
    Inform(this, U("Information"), U("Entries succesfully saved in the contacts folder!"));
}

void TOutlookContForm::SaveSelectedEntries(const std::optional<exchange::store::Folder>& target) {
    // The field chosen; home when none is.
    const auto chosen = std::find_if(outFields_.begin(), outFields_.end(),
                                     [](const QRadioButton* rb) { return rb->isChecked(); });
    const auto kind =
        chosen == outFields_.end() ? 0 : static_cast<std::size_t>(chosen - outFields_.begin());
    for (int r = 0; r < PhonebookList->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = PhonebookList->topLevelItem(r);
        if (!row->isSelected()) continue;
        const auto utf8 = [row](int column) {
            return exchange::store::Windows1252ToUtf8(
                row->data(column, Qt::UserRole).toByteArray().toStdString());
        };
        SaveContact(*session_.OutlookApp, utf8(0), utf8(1), kind, target);
    }
}

void TOutlookContForm::OutFoldersCBChange() {
    if (OutFoldersCB->count() == 0 || !session_.ContactsFolder) return;
    const int index = OutFoldersCB->currentIndex();
    if (index < 0) return;
    try {
        if (index == 0) session_.CurrentContactsFolder = session_.ContactsFolder;
        else session_.CurrentContactsFolder = session_.ContactsFolder->GetFolders().Item(index);
    } catch (const std::exception& e) {
        ShowStoreError(e);
        return;
    }
    ReadOutlookContacts();
}

}  // namespace parlenko::ui
