#include "ui/exchange/backup_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "exchange/formats/backup_files.h"
#include "exchange/formats/text_encoding.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/phone_text_question.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <optional>

Q_DECLARE_METATYPE(parlenko::RestoreRow)

namespace parlenko::ui {
namespace {

// The engine's texts use "\r" for a line break.
QString Lines(const std::string& text) { return ui::FromAnsi(text).replace('\r', '\n'); }

constexpr int kWidth = 480;
constexpr int kHeight = 400;
constexpr int kPageWidth = kWidth - 40;

struct PageText {
    const char* title;
    const char* description;
};
const PageText kPageTexts[] = {
    {"Backup or Restore",
     "You can backup phonebook from mobile, or restore data to mobile from previous backups."},
    {"What you want to backup?",
     "You can select mobile locations from where you want to make backup of your phonebook "
     "entries."},
    {"Location and Name", "Your backup data will be saved on location you choose."},
    {"Confirm settings", "Please, confirm settings you choose for this backup."},
    {"Refreshing phonebook entries",
     "By refreshing phonebook entries from your mobile, you can be sure you have the most fresh "
     "data in backup."},
    {"Backup finished", "This was the final step in phonebook backup process."},
    {"Choose backup",
     "You can select one of previous phonebook backups and restore it back to your mobile."},
    {"Restore what...?", "You can select entries you want to restore in your mobile."},
    {"Restore type",
     "You can choose the way you want restore process to write entries in your mobile."},
    {"Confirm settings", "Please, confirm settings you choose for this restore."},
    {"Restoring phonebook in your mobile", "Restore process is in progress. Please, wait . . ."},
};

constexpr char kNext[] = "Next  >>";

// The memories a backup may take: its check box and the box's caption, the
// memory in the summary and in the backup file's choice.
struct Memory {
    const char* name;
    const char* caption;
    const char* summary;
    bool exchange::BackupMemories::*chosen;
};
constexpr std::array<Memory, 3> kMemories = {{
    {"CB1", " SIM kartica", "SIM card", &exchange::BackupMemories::sim},
    {"CB2", " Memorija mobitela", "Mobile memory", &exchange::BackupMemories::mobile},
    {"CB3", " Vlastiti brojevi", "Own numbers", &exchange::BackupMemories::own},
}};

// The ways a restore writes the entries: the choice's radio button, its
// caption and hint, and the way in the summary and while writing.
struct WayToRestore {
    RestoreMode mode;
    const char* name;
    const char* caption;
    const char* hint;
    const char* summary;
    const char* writing;
};
constexpr std::array<WayToRestore, 2> kWaysToRestore = {{
    {RestoreMode::Overwrite, "RestoreMob1RB",
     " Zapisuj podatke iz povrata preko postojećih u mobitelu",
     "EXAMPLE:\nIf you have SIM card with 200 numbers capacity, and\nyou want to restore 50 "
     "numbers, then entries will be\nsaved on first 50 memories on SIM card.\nThe rest 150 "
     "memories will be deleted.",
     "Write entries from backup over existing in mobile",
     "Writing entries from backup over existing in mobile . . ."},
    {RestoreMode::FreePositions, "RestoreMob2RB",
     " Zapisuj podatke iz povrata u slobodna mjesta u mobitelu",
     "Entries you selected for restore will be saved in\nmobile only on free memories, so "
     "your entries\ncurrently existing in your mobile will be saved.",
     "Write entries from backup on free memories in mobile",
     "Writing entries from backup on free memories in mobile . . ."},
}};

const WayToRestore& WayOf(RestoreMode mode) {
    return *std::find_if(kWaysToRestore.begin(), kWaysToRestore.end(),
                         [mode](const WayToRestore& way) { return way.mode == mode; });
}

// The buttons on each page: whether Prev goes back, whether Next goes on
// (none where the page's own choices decide it), and Next's caption.
struct PageButtons {
    bool prev;
    std::optional<bool> nextEnabled;
    const char* next = kNext;
};
const PageButtons kPageButtons[] = {
    {false, true},            // Start
    {true, {}},               // Backup1: a memory is chosen
    {true, {}},               // Backup2: the folder and name, or the phone to re-read
    {true, true, "Backup"},   // Backup3
    {false, false},           // Backup4
    {false, false},           // BackupEnd
    {true, {}},               // Restore1: a backup is chosen
    {true, {}},               // Restore2: an entry is checked
    {true, true},             // Restore3
    {true, true, "Restore"},  // Restore4
    {false, false},           // Restore5
};
// A restore row's record.
constexpr int kRowRole = Qt::UserRole;

// A rule across the window at y.
void Rule(QWidget* window, int y) {
    auto* rule = new QFrame(window);
    rule->setGeometry(0, y, kWidth, 2);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
}

// A read-only text filling a page.
QPlainTextEdit* Memo(QWidget* page, const char* name) {
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setGeometry(0, 0, kPageWidth, 268);
    return memo;
}

// A list as wide as the page, from y down, height high, with its columns;
// the first columns as wide as widths say.
QTreeWidget* PageList(QWidget* page, const char* name, int y, int height,
                      const QStringList& columns, std::initializer_list<int> widths) {
    auto* list = new QTreeWidget(page);
    list->setObjectName(name);
    list->setGeometry(0, y, kPageWidth, height);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(columns);
    int column = 0;
    for (int width : widths) list->setColumnWidth(column++, width);
    return list;
}

// The list pictures: 49 a backup file, 3 a phonebook entry, 4 a VIP entry.
QIcon ListImage(int index) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 49) {
        p.setPen(QColor(60, 60, 90));
        p.setBrush(QColor(250, 236, 170));
        p.drawRect(2, 1, 11, 14);
        p.setBrush(QColor(90, 120, 200));
        p.drawRect(4, 3, 7, 3);
        p.drawLine(4, 9, 11, 9);
        p.drawLine(4, 12, 11, 12);
    } else {
        const QColor body = index == 4 ? QColor(210, 60, 50) : QColor(60, 110, 190);
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(QRectF(5, 1.5, 6, 6));
        p.drawRoundedRect(QRectF(2.5, 8.5, 11, 7), 3, 3);
        if (index == 4) {
            p.setBrush(QColor(255, 210, 40));
            p.drawEllipse(QRectF(10, 0, 6, 6));
        }
    }
    return QIcon(pm);
}

// A caption of the wizard's pages, and a value beside it: 18 pixels high.
QLabel* Caption(QWidget* page, const QString& text, int x, int y) {
    return controls::Caption(page, text, QRect(x, y, 120, 18));
}
QLabel* Value(QWidget* page, const char* name, int x, int y, int w) {
    return controls::ElidedValue(page, name, QRect(x, y, w, 18));
}

// An entry of a backup as the restore writes it; none when its memory is not
// one of the phonebook's (the backup reader keeps no such entry).
std::optional<RestoreRow> RestoreRowOf(const exchange::PhonebookFileEntry& entry) {
    const auto memory = PhonebookMemoryFromCaption(entry.Location);
    if (!memory) return std::nullopt;
    const bool vip = !entry.Name.empty() && entry.Name.back() == '!';
    return RestoreRow{*memory, vip ? entry.Name.substr(0, entry.Name.size() - 1) : entry.Name,
                      entry.Phone, vip};
}

// A row of the restore's lists: the entry's picture, name and number, and
// its memory's caption in column memoryColumn.
QTreeWidgetItem* EntryItem(QTreeWidget* list, const RestoreRow& row, int numberColumn,
                           int memoryColumn) {
    auto* item = new QTreeWidgetItem(list);
    item->setIcon(0, ListImage(row.Vip ? 4 : 3));
    item->setText(0, ui::FromAnsi(row.Name));
    item->setText(numberColumn, ui::FromAnsi(row.Number));
    item->setText(memoryColumn, ui::FromAnsi(std::string(MemoryCaption(row.Memory))));
    return item;
}

std::string Ansi(const QString& s) { return ui::ToAnsi(s); }

// The rows' names as the phone stores them, after asking about those it
// cannot store whole; false when the user cancels.
bool NamesAsThePhoneStoresThem(QWidget* parent, std::vector<RestoreRow>& rows) {
    std::vector<ui::TextForPhone> names;
    for (const RestoreRow& row : rows)
        names.push_back(
            {ui::FromAnsi(row.Name), ToPhoneText(exchange::Windows1252ToUtf8(row.Name))});
    if (!ui::WriteChangedTexts(parent, names)) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].Name = names[i].Phone.Text;
    return true;
}

}  // namespace

TBackupForm::TBackupForm(QWidget* mainWindow, PhoneEngine& engine, QString dataDir)
    : TSmallWindow(mainWindow), engine_(engine), dataDir_(std::move(dataDir)) {
    setObjectName("BackupForm");
    setWindowTitle(U("Pohrana i povrat podataka"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    BuildHeader();
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName("Notebook1");
    Notebook1->setGeometry(20, 74, kPageWidth, 272);
    BuildStartPage();
    BuildBackupPages();
    BuildRestorePages();
    connect(Notebook1, &QStackedWidget::currentChanged, this, [this] { Notebook1PageChanged(); });
    BuildButtons();
}

TBackupForm::~TBackupForm() = default;

// The page's title and what it is for, on white, above a rule.
void TBackupForm::BuildHeader() {
    auto* header = new QFrame(this);
    header->setGeometry(0, 0, kWidth, 62);
    header->setAutoFillBackground(true);
    QPalette pal = header->palette();
    pal.setColor(QPalette::Window, Qt::white);
    header->setPalette(pal);
    Label1 = controls::Value(header, "Label1", QRect(16, 8, kWidth - 32, 18));
    Label2 = controls::Label(header, "Label2", {}, QRect(32, 27, kWidth - 48, 32));
    Label2->setWordWrap(true);
    Rule(this, 62);
}

// The rule under the pages and the buttons that turn them.
void TBackupForm::BuildButtons() {
    using controls::Button;
    Rule(this, 352);
    PrevBtn = Button(this, "PrevBtn", "<<  Nazad", QRect(kWidth - 264, 362, 80, 26));
    NextBtn = Button(this, "NextBtn", kNext, QRect(kWidth - 180, 362, 80, 26));
    NextBtn->setDefault(true);
    CancelBtn = Button(this, "CancelBtn", "Cancel", QRect(kWidth - 92, 362, 80, 26));
    connect(PrevBtn, &QPushButton::clicked, this, [this] { PrevBtnClick(); });
    connect(NextBtn, &QPushButton::clicked, this, [this] { NextBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // Enter is the forward button only (Next, Backup, Restore, Finish): no
    // other button becomes the default by having the focus.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
}

QWidget* TBackupForm::AddPage() {
    auto* page = new QWidget(Notebook1);
    Notebook1->addWidget(page);
    return page;
}

// Backup or restore; a restore needs the phonebook read first.
void TBackupForm::BuildStartPage() {
    using namespace controls;
    QWidget* p = AddPage();
    BackupRB =
        Radio(p, "BackupRB", " Pohrana telefonskog imenika iz mobitela", QRect(20, 30, 380, 22));
    BackupRB->setChecked(true);
    RestoreRB =
        Radio(p, "RestoreRB", " Povrat podataka iz prethodne pohrane", QRect(20, 62, 380, 22));
    RestoreRB->setEnabled(false);
    RefreshLab =
        Label(p, "RefreshLab",
              "Prije povrata podataka potrebno je pročitati telefonski imenik iz mobitela.",
              QRect(40, 96, 380, 36));
    RefreshLab->setWordWrap(true);
    RefreshBtn = Button(p, "RefreshBtn", "Pročitaj imenik", QRect(40, 138, 120, 26));
    connect(RefreshBtn, &QPushButton::clicked, this, [this] { RefreshBtnClick(); });
}

// The memories, the file, the confirmation, the re-read and the end.
void TBackupForm::BuildBackupPages() {
    using namespace controls;
    QWidget* p = AddPage();
    for (std::size_t i = 0; i < kMemories.size(); ++i) {
        QCheckBox* check = Check(p, kMemories[i].name, kMemories[i].caption,
                                 QRect(20, 30 + static_cast<int>(i) * 30, 300, 22));
        check->setChecked(true);
        connect(check, &QCheckBox::toggled, this, [this] { CB1Click(); });
        memoryChecks_[i] = check;
    }

    p = AddPage();
    Caption(p, U("Mapa:"), 20, 20);
    Edit1 = Edit(p, "Edit1", QRect(20, 40, 340, 22));
    BrowseBtn = Button(p, "BrowseBtn", ". . .", QRect(366, 39, 40, 24));
    Caption(p, U("Naziv pohrane:"), 20, 76);
    Edit2 = Edit(p, "Edit2", QRect(20, 96, 220, 22));
    RefreshCB = Check(p, "RefreshCB", " Prije pohrane pročitaj telefonski imenik iz mobitela",
                      QRect(20, 140, 400, 22));
    connect(Edit1, &QLineEdit::textChanged, this, [this] { UpdateLocationNext(); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] { UpdateLocationNext(); });
    connect(BrowseBtn, &QPushButton::clicked, this, [this] { BrowseBtnClick(); });
    connect(RefreshCB, &QCheckBox::toggled, this, [this] { UpdateLocationNext(); });

    BackupMemo = Memo(AddPage(), "BackupMemo");

    backupRun_ = Run(AddPage(), 30,
                     {{{"Lokacija:", "MemLab", 250},
                       {"Kapacitet:", "CapLab", 250},
                       {"Zapisano:", "WritenLab", 250}}},
                     "PosLab", "BackupProBar", "PercLab", 120);

    p = AddPage();
    SuccessLab = Label(p, "SuccessLab", {}, QRect(20, 40, 400, 60));
    SuccessLab->setWordWrap(true);
    NotWrittenList =
        PageList(p, "NotWrittenList", 104, 164,
                 {U("Naziv osobe"), U("Telefon"), U("Lokacija"), U("Razlog")}, {120, 100, 100});
    NotWrittenList->hide();
}

// The backup, its entries, the way to write them, the confirmation and the
// run.
void TBackupForm::BuildRestorePages() {
    using namespace controls;
    QWidget* p = AddPage();
    BackupList = PageList(p, "BackupList", 0, 268,
                          {U("Naziv pohrane"), U("Datum pohrane"), U("Mapa")}, {176, 120});
    BackupList->setColumnHidden(2, true);
    BackupList->setSortingEnabled(false);
    connect(BackupList, &QTreeWidget::itemSelectionChanged, this, [this] { BackupListChange(); });

    p = AddPage();
    RestoreList = PageList(p, "RestoreList", 0, 240,
                           {U("Naziv osobe"), U("Lokacija"), U("Telefon")}, {186, 110});
    RestoreList->setColumnHidden(2, true);
    connect(RestoreList, &QTreeWidget::itemChanged, this, [this] { RestoreListClick(); });
    SelectionCB = Check(p, "SelectionCB", " Označi sve podatke ", QRect(0, 246, 300, 22));
    connect(SelectionCB, &QCheckBox::clicked, this, [this] { SelectionCBClick(); });

    p = AddPage();
    for (std::size_t i = 0; i < kWaysToRestore.size(); ++i) {
        const WayToRestore& way = kWaysToRestore[i];
        restoreWays_[i] =
            Radio(p, way.name, way.caption, QRect(20, 30 + static_cast<int>(i) * 32, 400, 22));
        restoreWays_[i]->setToolTip(U(way.hint));
    }
    restoreWays_[0]->setChecked(true);

    RestoreMemo = Memo(AddPage(), "RestoreMemo");

    p = AddPage();
    WayToRestoreLab = Value(p, "WayToRestoreLab", 20, 20, 400);
    restoreRun_ = Run(p, 60,
                      {{{"Lokacija:", "RestoreLokLab", 250},
                        {"Preostalo:", "ToWriteLab", 250},
                        {"Zapisujem:", "RestNameLab", 270}}},
                      "RestorePosLab", "RestoreProgBar", "RestPercLab", 146);
    restoreRun_.captions[2]->setObjectName("WritingLab");
}

TBackupForm::RunView TBackupForm::Run(QWidget* page, int y, const std::array<RunValue, 3>& rows,
                                      const char* position, const char* bar, const char* percent,
                                      int progressY) {
    RunView run;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        run.captions[i] = Caption(page, U(rows[i].caption), 20, y);
        run.values[i] = Value(page, rows[i].name, 150, y, rows[i].width);
        y += 24;
    }
    run.position = Value(page, position, 20, progressY, 380);
    run.position->setFont(font());
    run.bar = new QProgressBar(page);
    run.bar->setObjectName(bar);
    run.bar->setGeometry(20, progressY + 26, 340, 18);
    run.bar->setTextVisible(false);
    run.percent = Value(page, percent, 368, progressY + 26, 50);
    return run;
}

void TBackupForm::RunView::Show(const std::array<QString, 3>& valueTexts,
                                const QString& positionText, int value,
                                const QString& percentText) const {
    for (std::size_t i = 0; i < values.size(); ++i) values[i]->setText(valueTexts[i]);
    position->setText(positionText);
    bar->setValue(value);
    percent->setText(percentText);
}

// ------------------------------------------------------------- opening

void TBackupForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    FormShow();
}

void TBackupForm::FormShow() {
    const QString folder = dataDir_ + "Backup";
    QDir().mkpath(folder);
    BackupRB->setChecked(true);
    Edit1->setText(folder);
    const QDate today = QDate::currentDate();
    Edit2->setText(
        ui::FromAnsi(exchange::DefaultBackupName(today.day(), today.month(), today.year())));
    if (engine_.PhonebookReadComplete()) PhonebookReadFinished();
    else {
        RestoreRB->setEnabled(false);
        RefreshLab->show();
        RefreshBtn->show();
    }
    CancelBtn->setEnabled(true);
    TurnTo(Start);
}

void TBackupForm::PhonebookReadFinished() {
    RestoreRB->setEnabled(true);
    RefreshLab->hide();
    RefreshBtn->hide();
}

void TBackupForm::RefreshBtnClick() { engine_.RefreshPhonebook(); }

// ------------------------------------------------------------- pages

void TBackupForm::TurnTo(int page) {
    if (Notebook1->currentIndex() == page) Notebook1PageChanged();
    else Notebook1->setCurrentIndex(page);
}

void TBackupForm::Notebook1PageChanged() {
    const int page = Notebook1->currentIndex();
    const PageButtons& buttons = kPageButtons[page];
    Label1->setText(U(kPageTexts[page].title));
    Label2->setText(U(kPageTexts[page].description));
    NextBtn->setText(U(buttons.next));
    PrevBtn->setEnabled(buttons.prev);
    if (buttons.nextEnabled) NextBtn->setEnabled(*buttons.nextEnabled);
    switch (page) {
        case Backup1: CB1Click(); break;
        case Backup2: UpdateLocationNext(); break;
        case Backup4:
        case Restore5: CancelBtn->setEnabled(false); break;
        case BackupEnd:
            NotWrittenList->hide();
            CancelBtn->setEnabled(true);
            CancelBtn->setText(U("Finish"));
            if (BackupRB->isChecked()) {
                SuccessLab->setText(
                    U("Your phonebook entries from mobile are successfully saved "
                      "on your hard disc."));
            } else {
                Label1->setText(U("Restore finished"));
                Label2->setText(U("This was the final step in phonebook restore process."));
            }
            break;
        case Restore1: BackupListChange(); break;
        case Restore2:
            SelectionCB->setChecked(false);
            RestoreListClick();
            break;
        default: break;
    }
    if (page != BackupEnd) CancelBtn->setText(U("Cancel"));
    // The last page goes forward by "Finish".
    (page == BackupEnd ? CancelBtn : NextBtn)->setDefault(true);
    if (page == Restore5) {
        WayToRestoreLab->setText(U(WayOf(Mode()).writing));
    }
}

void TBackupForm::CB1Click() {
    NextBtn->setEnabled(std::any_of(memoryChecks_.begin(), memoryChecks_.end(),
                                    [](const QCheckBox* check) { return check->isChecked(); }));
}

// Without a name the file would be the hidden ".pbb"; the re-read needs the
// phone.
void TBackupForm::UpdateLocationNext() {
    const bool named = !Edit1->text().trimmed().isEmpty() && !Edit2->text().trimmed().isEmpty();
    NextBtn->setEnabled(named && (!RefreshCB->isChecked() || engine_.Connected()));
}

void TBackupForm::BrowseBtnClick() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, U("Select folder where you want to save this phonebook backup!"), Edit1->text());
    if (folder.isEmpty()) return;
    Edit1->setText(folder);
    Edit2->setFocus();
}

void TBackupForm::BackupListChange() {
    NextBtn->setEnabled(!BackupList->selectedItems().isEmpty());
}

void TBackupForm::RestoreListClick() {
    bool any = false;
    for (int i = 0; i < RestoreList->topLevelItemCount() && !any; ++i)
        any = RestoreList->topLevelItem(i)->checkState(0) == Qt::Checked;
    NextBtn->setEnabled(any);
}

void TBackupForm::SelectionCBClick() {
    const auto state = SelectionCB->isChecked() ? Qt::Checked : Qt::Unchecked;
    QSignalBlocker block(RestoreList);
    for (int i = 0; i < RestoreList->topLevelItemCount(); ++i)
        RestoreList->topLevelItem(i)->setCheckState(0, state);
    RestoreListClick();
}

RestoreMode TBackupForm::Mode() const {
    for (std::size_t i = 0; i < kWaysToRestore.size(); ++i)
        if (restoreWays_[i]->isChecked()) return kWaysToRestore[i].mode;
    return RestoreMode::Overwrite;
}

// ------------------------------------------------------------- navigation

void TBackupForm::PrevBtnClick() {
    const int page = Notebook1->currentIndex();
    TurnTo(page == Restore1 ? Start : page - 1);
}

void TBackupForm::NextBtnClick() {
    switch (Notebook1->currentIndex()) {
        case Start:
            if (BackupRB->isChecked()) {
                TurnTo(Backup1);
            } else {
                LoadBackupList();
                TurnTo(Restore1);
            }
            break;
        case Backup1: TurnTo(Backup2); break;
        case Backup2: ConfirmBackupSettings(); break;
        case Backup3: StartBackup(); break;
        case Restore1:
            if (LoadRestoreList()) TurnTo(Restore2);
            break;
        case Restore2: TurnTo(Restore3); break;
        case Restore3: ConfirmRestoreSettings(); break;
        case Restore4: StartRestore(); break;
        default: break;
    }
}

// ------------------------------------------------------------- backup

// Next on the location page: the summary of the backup, after the
// overwrite question when a backup of that name exists.
void TBackupForm::ConfirmBackupSettings() {
    backupFolder_ = Edit1->text();
    QDir().mkdir(backupFolder_);
    if (!backupFolder_.endsWith('/')) backupFolder_ += '/';
    QStringList memo = {"Action:", "     Backup phonebook", "", "Backup from locations:"};
    for (std::size_t i = 0; i < kMemories.size(); ++i)
        if (memoryChecks_[i]->isChecked()) memo << QString("     ") + kMemories[i].summary;
    memo << ""
         << "Backup path:"
         << "     " + Edit1->text() << ""
         << "Backup name:"
         << "     " + Edit2->text() << ""
         << (RefreshCB->isChecked() ? "Refresh phonebook:  YES" : "Refresh phonebook:  NO");
    BackupMemo->setPlainText(memo.join('\n'));
    if (QFileInfo::exists(backupFolder_ + Edit2->text() + ".pbb") &&
        Ask(this, U("Warning"), U("Backup with this name already exists!\n\nOverwrite?")) !=
            DialogResult::Yes) {
        Edit2->setFocus();
        return;
    }
    TurnTo(Backup3);
}

// Next on the confirmation page: the backup from the list as it stands, or
// after reading the phone again.
void TBackupForm::StartBackup() {
    if (!RefreshCB->isChecked()) {
        // The list of a read that stopped part way is not the phonebook.
        if (engine_.PhonebookListPartial())
            ShowError(this, U("Error"),
                      U("Phonebook was not read completely from mobile!\n\n"
                        "Please, read phonebook from mobile again."));
        else if (WriteBackupFile()) TurnTo(BackupEnd);
        return;
    }
    backupRun_.Show({U("SIM card"), "0", "0"}, U("Reading entry from position no. 1"), 0, "0%");
    TurnTo(Backup4);
    // Disconnected: nothing starts, back to the confirmation.
    if (!engine_.RefreshPhonebookForBackup()) TurnTo(Backup3);
}

bool TBackupForm::WriteBackupFile() {
    std::vector<exchange::PhonebookFileEntry> list;
    for (const auto& e : engine_.PhonebookList())
        list.push_back({e.Name, e.Phone, e.Location, e.Position});
    const std::string path = Ansi(backupFolder_ + Edit2->text() + ".pbb");
    exchange::BackupMemories memories;
    for (std::size_t i = 0; i < kMemories.size(); ++i)
        memories.*kMemories[i].chosen = memoryChecks_[i]->isChecked();
    auto written = exchange::WriteBackupFile(path, list, memories);
    if (written.ok()) written = exchange::AddBackupPath(Ansi(dataDir_), path);
    if (written.ok()) return true;
    ShowError(this, U("Error"), Lines(written.error));
    TurnTo(Backup3);
    return false;
}

void TBackupForm::BackupReadProgressChanged(const BackupReadView& view) {
    backupRun_.Show(
        {ui::FromAnsi(view.MemLab), ui::FromAnsi(view.CapLab), ui::FromAnsi(view.WritenLab)},
        ui::FromAnsi(view.PosLab), view.BackupProBar, ui::FromAnsi(view.PercLab));
}

void TBackupForm::BackupRefreshFinished() {
    if (!isVisible() || Notebook1->currentIndex() != Backup4) return;
    if (WriteBackupFile()) TurnTo(BackupEnd);
}

void TBackupForm::BackupRefreshFailed() {
    if (isVisible() && Notebook1->currentIndex() == Backup4) TurnTo(Backup3);
}

// ------------------------------------------------------------- restore

// Next on the restore type page: the summary of the restore, once the
// chosen entries fit.
void TBackupForm::ConfirmRestoreSettings() {
    const QString message = Lines(engine_.CheckRestoreSpace(CheckedRows(), Mode()));
    if (!message.isEmpty()) {
        ShowError(this, U("Not enough space in mobile"), message);
        return;
    }
    const auto* selected = BackupList->currentItem();
    RestoreMemo->setPlainText(QStringList{"Action:", "     Restore phonebook", "", "Backup name:",
                                          "     " + (selected ? selected->text(0) : QString()), "",
                                          "Restore type:", QString("     ") + WayOf(Mode()).summary}
                                  .join('\n'));
    TurnTo(Restore4);
}

// Next on the restore's confirmation page: the restore run, after asking
// about names the phone cannot store whole.
void TBackupForm::StartRestore() {
    auto rows = CheckedRows();
    if (!NamesAsThePhoneStoresThem(this, rows)) return;
    restoreRun_.Show({}, {}, 0, "0%");
    TurnTo(Restore5);
    // Disconnected: nothing starts, back to the confirmation.
    if (!engine_.StartRestore(rows, Mode())) TurnTo(Restore4);
}

void TBackupForm::LoadBackupList() {
    BackupList->clear();
    NextBtn->setEnabled(false);
    for (const auto& b : exchange::ListBackups(Ansi(dataDir_))) {
        auto* item = new QTreeWidgetItem(BackupList);
        item->setIcon(0, ListImage(49));
        item->setText(0, ui::FromAnsi(b.name));
        item->setText(1, ui::FromAnsi(b.date));
        item->setText(2, ui::FromAnsi(b.folder));
        item->setData(0, Qt::UserRole, ui::FromAnsi(b.path));
    }
}

bool TBackupForm::LoadRestoreList() {
    const auto* selected = BackupList->currentItem();
    if (!selected) return false;
    const auto contents =
        exchange::ReadBackupFile(Ansi(selected->data(0, Qt::UserRole).toString()));
    if (!contents.error.empty()) {
        ShowError(this, U("Error"), Lines(contents.error));
        return false;
    }
    if (contents.damagedRecords == 1)
        ShowError(this, U("Error"), U("1 entry of this backup is damaged and cannot be restored!"));
    else if (contents.damagedRecords > 1)
        ShowError(this, U("Error"),
                  QString::number(contents.damagedRecords) +
                      U(" entries of this backup are damaged and cannot be restored!"));
    QSignalBlocker block(RestoreList);
    RestoreList->clear();
    for (const auto& e : contents.entries) {
        const auto row = RestoreRowOf(e);
        if (!row) continue;
        QTreeWidgetItem* item = EntryItem(RestoreList, *row, 2, 1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, kRowRole, QVariant::fromValue(*row));
        item->setToolTip(0, "Name:  " + item->text(0) + "\nPhone number:  " + item->text(2));
        item->setToolTip(1, item->toolTip(0));
    }
    return true;
}

std::vector<RestoreRow> TBackupForm::CheckedRows() const {
    std::vector<RestoreRow> rows;
    for (int i = 0; i < RestoreList->topLevelItemCount(); ++i) {
        const auto* item = RestoreList->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            rows.push_back(item->data(0, kRowRole).value<RestoreRow>());
    }
    return rows;
}

void TBackupForm::RestoreProgressChanged(const RestoreProgressView& view) {
    restoreRun_.captions[2]->setVisible(view.WritingLabVisible);  // WritingLab
    restoreRun_.Show({ui::FromAnsi(view.RestoreLokLab), ui::FromAnsi(view.ToWriteLab),
                      ui::FromAnsi(view.RestNameLab)},
                     ui::FromAnsi(view.RestorePosLab), view.RestoreProgBar,
                     ui::FromAnsi(view.RestPercLab));
}

void TBackupForm::RestoreFinished(const RestoreOutcome& outcome) {
    if (outcome.Stopped || !isVisible()) return;
    TurnTo(BackupEnd);
    ShowNotWritten(outcome.NotWritten);
    const QString notWritten = outcome.NotWritten.empty()
                                   ? QString()
                                   : U("\nEntries from backup not written in your mobile:  %1")
                                         .arg(outcome.NotWritten.size());
    if (outcome.NoAnswer) {
        Label1->setText(U("Restore stopped"));
        Label2->setText(U("Mobile did not answer, so the restore process was stopped."));
        SuccessLab->setText(U("Restore was stopped: mobile did not answer.") + notWritten);
    } else if (outcome.Failed > 0) {
        SuccessLab->setText(U("Restore finished with errors: %1 of %2 steps failed in your mobile.")
                                .arg(outcome.Failed)
                                .arg(outcome.Steps) +
                            notWritten);
    } else {
        SuccessLab->setText(
            U("Your phonebook entries from previous backup are succesfully saved "
              "in your mobile."));
    }
}

void TBackupForm::ShowNotWritten(const std::vector<RestoreFailure>& entries) {
    NotWrittenList->clear();
    for (const auto& e : entries) {
        QTreeWidgetItem* item = EntryItem(NotWrittenList, e.Row, 1, 2);
        item->setText(3, ui::FromAnsi(e.Reason));
        item->setToolTip(3, item->text(3));
    }
    NotWrittenList->setVisible(!entries.empty());
}

// ------------------------------------------------------------- closing

void TBackupForm::reject() {
    const int page = Notebook1->currentIndex();
    if (page == Backup4 || page == Restore5) return;
    TSmallWindow::reject();
}

void TBackupForm::done(int result) {
    CancelBtn->setEnabled(true);
    engine_.BackupWizardClosed();
    TSmallWindow::done(result);
}

}  // namespace parlenko::ui
