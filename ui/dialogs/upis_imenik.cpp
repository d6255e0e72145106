#include "ui/dialogs/upis_imenik.h"

#include "components/widgets/tessary_hint.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/country_list.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/window_owner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

namespace parlenko::ui {

namespace {

// The memories an entry can go to, in the order of their radios: the radio
// (name, caption, Tag) and the title of the memory's box.
struct MemoryChoice {
    PhoneMemory memory;
    const char* name;
    const char* caption;
    int tag;
    const char* title;
};
constexpr std::array<MemoryChoice, 3> kMemories = {{
    {PhoneMemory::Sim, "SimRadioBtn", "SIM kartica", 100, " SIM card:"},
    {PhoneMemory::Phone, "MobRadioBtn", "Memorija mobitela", 200, " Mobile memory:"},
    {PhoneMemory::Own, "VlaRadioBtn", "Vlastiti brojevi", 300, " Own numbers:"},
}};

// A caption of the window's rows: 18 pixels high.
QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w) {
    return controls::Caption(parent, text, QRect(x, y, w, 18));
}

const QString kDashes = QStringLiteral("--------------------------------");

// The most a name holds in the phone: characters of its extension table
// ("{", "€" ...) take two.
constexpr int kNameSeptets = 16;

// Typing stops when the name fills the phone's septets; a longer name put
// there by the program stays whole and may be shortened.
class NameLengthLimit final : public QValidator {
public:
    explicit NameLengthLimit(QLineEdit* edit) : QValidator(edit) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { previous_ = Septets(text); });
    }
    State validate(QString& input, int& pos) const override {
        (void)pos;
        const int n = Septets(input);
        return n <= kNameSeptets || n < previous_ ? Acceptable : Invalid;
    }

private:
    static int Septets(const QString& text) { return PhoneEngine::NameLength(ToAnsi(text)); }
    int previous_ = 0;
};

// Centres w on the main window: the window its parents end in.
void CentreOnParent(QWidget* w) {
    QWidget* main = w->parentWidget();
    if (main == nullptr) return;
    while (main->parentWidget() != nullptr) main = main->parentWidget();
    const QRect r = main->frameGeometry();
    w->move(r.center() - QPoint(w->width() / 2, w->height() / 2));
}

}  // namespace

QString AddCountryCode(const QString& number, const QString& code) {
    if (code.isEmpty()) return number;
    if (number.isEmpty()) return code;
    if (number.startsWith('0')) return code + number.mid(1);
    return code + number;
}

// ----------------------------------------------------------------- TZemljeForm

TZemljeForm::TZemljeForm(const QString& countriesDir, QWidget* parent) : QDialog(parent) {
    setObjectName("ZemljeForm");
    setWindowTitle(U("Pozivni brojevi zemalja . . ."));
    setFixedSize(330, 150);
    using namespace controls;
    QGroupBox* group = Group(this, " Naziv i pozivni broj zemlje:", QRect(8, 8, 314, 96));
    Caption(group, "Izaberi zemlju:", 12, 26, 100);
    ZemljeCB = Combo(group, "ZemljeCB", QRect(112, 24, 190, 22));
    Caption(group, "Pozivni broj:", 12, 60, 100);
    PozivniLab = Label(group, "PozivniLab", {}, QRect(112, 60, 190, 18));
    Button1 = Button(this, "Button1", "Dodaj", QRect(160, 114, 78, 26));
    Button2 = Button(this, "Button2", "Odustani", QRect(244, 114, 78, 26));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    Button2->setAutoDefault(false);
    Button1->setDefault(true);  // Enter adds the code

    countries_ = exchange::LoadCountryList(countriesDir.toStdString());
    for (const auto& c : countries_) ZemljeCB->addItem(FromAnsi(c.Name));
    connect(ZemljeCB, &QComboBox::currentIndexChanged, this, [this] { ZemljeCBChange(); });
}

TZemljeForm::~TZemljeForm() = default;

void TZemljeForm::SelectCountry(const QString& name) {
    ZemljeCB->setCurrentIndex(ZemljeCB->findText(name, Qt::MatchExactly));
    ZemljeCBChange();
}

QString TZemljeForm::CallingCode() const { return PozivniLab->text(); }

void TZemljeForm::showEvent(QShowEvent* event) {
    CentreOnParent(this);
    QDialog::showEvent(event);
    OwnByOpeningWindow(this, parentWidget());
}

void TZemljeForm::ZemljeCBChange() {
    PozivniLab->setText(
        FromAnsi(exchange::GetCountryCode(countries_, ToAnsi(ZemljeCB->currentText()))));
}

// ----------------------------------------------------------------- TUpisImenik

TUpisImenik::TUpisImenik(PhoneEngine& engine, const QString& countriesDir, QWidget* parent)
    : QDialog(parent), engine_(engine) {
    setObjectName("UpisImenik");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(460, 300);

    BuildPerson();
    BuildLocation();
    BuildButtons();
    zemlje_ = new TZemljeForm(countriesDir, this);
    execCountries_ = [](TZemljeForm& f) { return f.exec(); };
}

TUpisImenik::~TUpisImenik() = default;

// The name and the number, and the VIP mark.
void TUpisImenik::BuildPerson() {
    using namespace controls;
    QGroupBox* person = Group(this, " Podaci o osobi:", QRect(8, 8, 444, 84));
    SmallPicture(person, 3, QPoint(10, 24));
    Caption(person, "Naziv osobe:", 32, 24, 100);
    ImeEdit = Edit(person, "ImeEdit", QRect(136, 22, 296, 22));
    ImeEdit->setMaxLength(kNameSeptets);
    ImeEdit->setValidator(new NameLengthLimit(ImeEdit));
    SmallPicture(person, 28, QPoint(10, 54));
    Caption(person, "Telefonski broj:", 32, 54, 100);
    TelEdit = Edit(person, "TelEdit", QRect(136, 52, 296, 22));
    TelEdit->setMaxLength(32);
    ImeEdit->installEventFilter(this);
    TelEdit->installEventFilter(this);
}

// The memory the entry goes to, with its position, capacity and free places.
void TUpisImenik::BuildLocation() {
    using namespace controls;
    QGroupBox* where = Group(this, " Lokacija:", QRect(8, 98, 216, 96));
    for (std::size_t k = 0; k < kMemories.size(); ++k) {
        const MemoryChoice& m = kMemories[k];
        QRadioButton* r =
            Radio(where, m.name, m.caption, QRect(12, 22 + static_cast<int>(k) * 24, 176, 20));
        r->setProperty("Tag", m.tag);
        connect(r, &QRadioButton::clicked, this, [this, k] { SimRadioBtnClick(k); });
        MemoryRadio[k] = r;
    }
    MemoryRadio[0]->setChecked(true);

    Where.group = Group(this, "GroupXP4", " SIM card:", QRect(232, 98, 220, 96));
    Caption(Where.group, "Pozicija:", 12, 22, 80);
    Caption(Where.group, "Kapacitet:", 12, 44, 80);
    Caption(Where.group, "Slobodno:", 12, 66, 80);
    Where.position = Label(Where.group, "PozicijaLab", {}, QRect(96, 22, 96, 18));
    Where.capacity = Label(Where.group, "MaxLab", {}, QRect(96, 44, 96, 18));
    Where.free = Label(Where.group, "FreeLab", {}, QRect(96, 66, 96, 18));

    QGroupBox* as = Group(this, " Snimi osobu kao:", QRect(8, 200, 444, 58));
    SmallPicture(as, 4, QPoint(10, 22));
    VipCheck = Check(as, "VipCheck", " VIP zapis (Redbook)", QRect(32, 20, 200, 20));
    Caption(as, "Snimi osobu na ovaj način ako je smatraš važnijom od ostalih.", 32, 38, 406)
        ->setStyleSheet("color: #555;");
}

void TUpisImenik::BuildButtons() {
    using namespace controls;
    Button3 = Button(this, "Button3", "Dodaj pozivni broj zemlje", QRect(8, 266, 180, 26));
    Button1 = Button(this, "Button1", "Snimi", QRect(292, 266, 78, 26));
    Button2 = Button(this, "Button2", "Odustani", QRect(374, 266, 78, 26));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    // Enter is "Snimi" (nothing while it is off): the country-code picker
    // and "Odustani" never become the default by having the focus.
    Button2->setAutoDefault(false);
    Button3->setAutoDefault(false);
    Button1->setDefault(true);
    connect(ImeEdit, &QLineEdit::textChanged, this, [this] { ImeEditChange(); });
    connect(TelEdit, &QLineEdit::textChanged, this, [this] { TelEditChange(); });
}

void TUpisImenik::PrepareNew(const QString& name, const QString& number) {
    moveEntry_ = false;
    ImeEdit->setText(name);
    TelEdit->setText(number);
    SimRadioBtnClick(0);
    EnableMemories(true);
    VipCheck->setChecked(false);
    VipCheck->setEnabled(true);
    ImeEditChange();
}

void TUpisImenik::PrepareEdit(const AListIme& entry, const QString& caption, bool vip, bool move) {
    VipCheck->setEnabled(true);
    ImeEdit->setText(caption);
    TelEdit->setText(FromAnsi(entry.Phone));
    std::size_t memory = 0;  // the SIM card unless another memory holds it
    for (std::size_t k = 1; k < kMemories.size(); ++k)
        if (entry.Location == MemoryCaption(kMemories[k].memory)) memory = k;
    entryMemory_ = kMemories[memory].memory;
    SimRadioBtnClick(memory);
    entryPosition_ = entry.Position;
    Where.position->setText(FromAnsi(entry.Position));
    moveEntry_ = move;
    EnableMemories(move);
    VipCheck->setChecked(vip && VipCheck->isEnabled());
    ImeEditChange();
}

void TUpisImenik::FillIn(const QString& name, const QString& number) {
    ImeEdit->setText(name);
    TelEdit->setText(number);
}

QString TUpisImenik::Name() const { return ImeEdit->text(); }
QString TUpisImenik::Number() const { return TelEdit->text(); }

void TUpisImenik::MemoryBox::Show(const QString& title, const QString& at, int places,
                                  int freePlaces) const {
    group->setTitle(title);
    position->setText(at);
    capacity->setText(QString::number(places));
    free->setText(QString::number(freePlaces));
}

// The radios of the memories the phone answered for (with enabled: they
// may be chosen at all).
void TUpisImenik::EnableMemories(bool enabled) {
    for (std::size_t k = 0; k < kMemories.size(); ++k)
        MemoryRadio[k]->setEnabled(enabled && engine_.PhonebookMemoryLoaded(kMemories[k].memory));
}

void TUpisImenik::SimRadioBtnClick(std::size_t index) {
    VipCheck->setEnabled(true);
    const std::size_t chosen = index < kMemories.size() ? index : 0;
    const PhoneMemory memory = kMemories[chosen].memory;
    int used = 0;
    for (const AListIme& e : engine_.PhonebookList())
        if (e.Location == MemoryCaption(memory)) ++used;
    MemoryRadio[chosen]->setChecked(true);
    targetMemory_ = memory;
    QString position;
    for (const std::string& line : engine_.PhonebookFreePositions(memory))
        if (!line.empty()) {
            position = FromAnsi(line);
            break;
        }
    const int capacity = engine_.PhonebookCapacity(memory);
    Where.Show(U(kMemories[chosen].title),
               position.isEmpty() ? QStringLiteral("Memory full") : position, capacity,
               capacity - used);
    if (memory == PhoneMemory::Own) {
        VipCheck->setChecked(false);
        VipCheck->setEnabled(false);
    }
    ImeEditChange();
    ImeEdit->setFocus();
}

void TUpisImenik::ShowBalloon(const QString& text, int top) {
    // Prepared unseen: the balloon comes when the dialog shows (its edit
    // takes the focus then).
    if (!isVisible()) {
        FreeHint();
        return;
    }
    if (hint_ == nullptr) hint_ = new widgets::TTessaryHintWindow(this);
    const QRect frame = frameGeometry();
    hint_->ShowHintAt(text, nullptr, frame.left() + 51, frame.top() + top);
}

void TUpisImenik::FreeHint() {
    if (hint_ != nullptr) hint_->deleteLater();
    hint_ = nullptr;
}

void TUpisImenik::ImeEditChange() { Validate(ImeEdit); }

void TUpisImenik::TelEditChange() { Validate(TelEdit); }

void TUpisImenik::Validate(const QLineEdit* typing) {
    // Every check runs on the texts as typed.
    const QString name = ImeEdit->text();
    const std::string number = ToUtf8(TelEdit->text());
    const std::string typedName = ToUtf8(name);
    const bool nameValid = PhoneEngine::IsValidName(typedName);
    const bool numberValid = PhoneEngine::IsValidNumber(number);
    const bool canSave =
        PhoneEngine::CanSaveEntry(typedName, number, ToUtf8(Where.position->text()));
    Button1->setEnabled(canSave);

    // The balloon names the text the phone cannot take, the one being typed
    // in first, for as long as there is one: "Snimi" is off meanwhile.
    const bool numberFirst = typing == TelEdit;
    if (!numberValid && (numberFirst || nameValid)) {
        ShowBalloon(U("Invalid phone number!\r\rValid characters are:\r") + kDashes + "\r" +
                        U("   Numbers:   '0 - 9'\r   Other:  '+', '*' and '#'\r") + kDashes,
                    146);
    } else if (!nameValid) {
        ShowBalloon(U("You entered following\runsupported characters:\r") + kDashes + "\r" +
                        FromUtf8(PhoneEngine::UnsupportedNameChars(typedName)) + "\r" + kDashes,
                    100);
    } else {
        FreeHint();
    }

    // The button's hint says why it is off, whatever the reason.
    QString why;
    if (!canSave) {
        if (!nameValid) why = U("Name contains unsupported characters!");
        else if (!numberValid) why = U("Invalid phone number!");
        else if (name.trimmed().isEmpty()) why = U("Name is empty!");
        else if (TelEdit->text().trimmed().isEmpty()) why = U("Phone number is empty!");
        else why = U("Memory full!");
    }
    Button1->setToolTip(why);
}

void TUpisImenik::Button1Click() {
    if (!PhoneEngine::CanSaveEntry(ToUtf8(ImeEdit->text()), ToUtf8(TelEdit->text()),
                                   ToUtf8(Where.position->text())))
        return;
    // Every character is the phone's now, and the engine's 8-bit text holds
    // each of them.
    const std::string name = ToAnsi(ImeEdit->text());
    const std::string number = ToAnsi(TelEdit->text());
    const std::string position = ToAnsi(Where.position->text());
    const PhonebookEntryValues entry{targetMemory_, position, name, number, VipCheck->isChecked()};
    // The fields show the entry as the phone will store it (the texts pass
    // the phone's sets already): with its VIP mark.
    ImeEdit->setText(FromAnsi(entry.Vip ? PhoneEngine::VipName(name) : name));
    TelEdit->setText(FromAnsi(number));
    if (moveEntry_) engine_.MovePhonebookEntry(entryMemory_, entryPosition_, entry);
    else engine_.SavePhonebookEntry(entry);
    moveEntry_ = false;
    accept();
}

void TUpisImenik::Button2Click() { reject(); }

void TUpisImenik::Button3Click() {
    zemlje_->SelectCountry(QStringLiteral("Croatia"));
    // The balloon would lie over the picker; it is back when the picker closes.
    FreeHint();
    if (execCountries_(*zemlje_) == QDialog::Accepted)
        TelEdit->setText(AddCountryCode(TelEdit->text(), zemlje_->CallingCode()));
    Validate(TelEdit);
}

void TUpisImenik::showEvent(QShowEvent* event) {
    CentreOnParent(this);
    QDialog::showEvent(event);
    // The phonebook page opens it, and the contacts exchange.
    OwnByOpeningWindow(this, parentWidget());
}

void TUpisImenik::done(int result) {
    // Any close: the balloon goes, and nothing of a move is left over.
    FreeHint();
    moveEntry_ = false;
    QDialog::done(result);
}

bool TUpisImenik::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == ImeEdit || watched == TelEdit))
        Validate(static_cast<QLineEdit*>(watched));
    return QDialog::eventFilter(watched, event);
}

}  // namespace parlenko::ui
