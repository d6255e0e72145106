#include "ui/dialogs/sms_form.h"

#include "engine/session/phone_engine.h"
#include "engine/text/gsm_alphabet.h"
#include "engine/text/sms_counts.h"
#include "ui/artwork/sms_pictures.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/message_dialog.h"
#include "ui/dialogs/sms_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>

#include <algorithm>

namespace parlenko::ui {
namespace {

// A count of the text: bold, on the right.
QLabel* Count(QWidget* parent, const char* name, const QRect& r) {
    QLabel* l = controls::Value(parent, name, r);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QString Dashes(int n) { return QString(n, QChar('-')); }

// Code units of one typed character in a message (see SmsTextLength): a
// character of the phone's extension table ("{", "€" ...) takes two.
int Units(QChar c, bool flash) { return flash ? 1 : GsmUnits(c.unicode()); }

int Length(const QString& text, bool flash) {
    int n = 0;
    for (const QChar c : text) n += Units(c, flash);
    return n;
}

// The longest start of text within limit.
QString FitPrefix(const QString& text, bool flash, int limit) {
    int n = 0;
    qsizetype end = 0;
    for (; end < text.size(); ++end) {
        const int u = Units(text[end], flash);
        if (n + u > limit) break;
        n += u;
    }
    return text.left(end);
}

}  // namespace

TSmsForm::TSmsForm(PhoneEngine& engine, QWidget* mainWindow)
    : TSmallWindow(mainWindow), engine_(engine), balloon_(this) {
    FrameDialog(this, "SmsForm", "SMS", windowFlags() | Qt::WindowStaysOnTopHint, {460, 414});

    BuildRecipient();
    BuildOptions();
    BuildText();
    BuildPictures();
    BuildButtons();
    ConnectHandlers();
    FlashCheck->setToolTip(U("This message will be automatically\rdisplayed on mobile display."));
    ReportCheck->setToolTip(U("SMS center will confirm when\rmessage is delivered."));
    AddPicBtn->setToolTip(
        U("Add picture to message...\r\rPictures will be visible only if\r"
          "receiver has 'Siemens' mobile."));
    PorukaMemoChange();
    SmsPicturesPBPaint();
}

void TSmsForm::BuildRecipient() {
    using namespace controls;
    QGroupBox* recipient = Group(this, " Primatelj poruke:", QRect(8, 6, 444, 78));
    Caption(recipient, "Telefonski broj:", QRect(12, 22, 100, 21));
    TelEdit = Edit(recipient, "TelEdit", QRect(116, 22, 316, 22));
    TelEdit->setMaxLength(20);
    Caption(recipient, "Naziv osobe:", QRect(12, 48, 100, 21));
    NazivCB = Combo(recipient, "NazivCB", QRect(116, 48, 316, 22));
}

// The validity period in the centre, flash and the status report.
void TSmsForm::BuildOptions() {
    using namespace controls;
    QGroupBox* validity =
        Group(this, " Period čuvanja poruke u SMS centru:", QRect(8, 88, 214, 78));
    Caption(validity, "Period čuvanja:", QRect(12, 22, 100, 21));
    TrajanjeUpDown = SpinBox(validity, "TrajanjeUpDown", QRect(116, 22, 98, 22), 1, 63);
    TrajanjeEdit = TrajanjeUpDown->findChild<QLineEdit*>();
    TrajanjeEdit->setObjectName("TrajanjeEdit");
    TrajanjeEdit->setReadOnly(true);
    Caption(validity, "Vrsta perioda:", QRect(12, 48, 100, 21));
    TrajanjeCB = Combo(validity, "TrajanjeCB", QRect(116, 48, 98, 22));
    TrajanjeCB->addItems({"Minute", "Sati", "Dani", "Tjedni"});
    TrajanjeCB->setCurrentIndex(3);

    QGroupBox* options = Group(this, " Dodatne opcije:", QRect(226, 88, 226, 78));
    FlashCheck =
        Check(options, "FlashCheck", " Specijalna poruka  (Flash SMS)", QRect(10, 22, 212, 21));
    ReportCheck =
        Check(options, "ReportCheck", " Potvrda dostave  (Status Report)", QRect(10, 48, 212, 21));
}

// The text with its counts, and the message centre it goes through.
void TSmsForm::BuildText() {
    using namespace controls;
    QGroupBox* text = Group(this, " Tekst poruke:", QRect(8, 170, 290, 200));
    PorukaMemo = Placed(new QPlainTextEdit(text), "PorukaMemo", QRect(10, 20, 270, 142));
    PorukaMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PorukaMemo->setTabChangesFocus(true);
    // The counts in a row under the text, each after its caption.
    struct CountCell {
        const char* caption;
        QRect captionAt;
        QLabel** count;
        const char* name;
        QRect countAt;
    };
    for (const CountCell& c :
         {CountCell{"Maksimalno:", {10, 170, 72, 20}, &MaxLab, "MaxLab", {80, 170, 24, 20}},
          CountCell{"Upisano:", {114, 170, 54, 20}, &UpisLab, "UpisLab", {166, 170, 24, 20}},
          CountCell{"Preostaje:", {200, 170, 60, 20}, &PreLab, "PreLab", {254, 170, 26, 20}}}) {
        Caption(text, c.caption, c.captionAt);
        *c.count = Count(text, c.name, c.countAt);
    }

    QGroupBox* centre = Group(this, " SMS centar:", QRect(302, 170, 150, 46));
    SmscLab = Label(centre, "SmscLab", {}, QRect(4, 20, 142, 20));
    SmscLab->setAlignment(Qt::AlignCenter);
}

void TSmsForm::BuildPictures() {
    using namespace controls;
    QGroupBox* pictures = Group(this, " Umetanje slika u poruku:", QRect(302, 220, 150, 150));
    SmsPicturesPB = Placed(new QWidget(pictures), "SmsPicturesPB", QRect(10, 22, 48, 48));
    SmsPicturesPB->installEventFilter(this);
    PicNameLab = Value(pictures, "PicNameLab", QRect(64, 24, 80, 20));
    PicNoLab = Label(pictures, "PicNoLab", {}, QRect(64, 46, 80, 20));
    PicturesUD =
        SpinBox(pictures, "PicturesUD", QRect(10, 80, 64, 22), 1, artwork::kSmsPictureCount);
    PicturesUD->setWrapping(true);
    PicturesUD->findChild<QLineEdit*>()->setReadOnly(true);
    AddPicBtn = Button(pictures, "AddPicBtn", "<<", QRect(80, 78, 60, 26));
    AddPicBtn->setFocusPolicy(Qt::NoFocus);
}

void TSmsForm::BuildButtons() {
    using namespace controls;
    Button1 = Button(this, "Button1", "Odustani", QRect(8, 380, 100, 26));
    SaveBtn = Button(this, "SaveBtn", "Snimi poruku", QRect(246, 380, 100, 26));
    SendBtn = Button(this, "SendBtn", "Pošalji poruku", QRect(352, 380, 100, 26));
    for (QPushButton* b : {Button1, SaveBtn, SendBtn}) b->setAutoDefault(false);
}

void TSmsForm::ConnectHandlers() {
    connect(NazivCB, &QComboBox::activated, this, [this] { NazivCBChange(); });
    connect(TelEdit, &QLineEdit::textEdited, this, [this] { TelEditChange(true); });
    connect(TelEdit, &QLineEdit::textChanged, this, [this] { TelEditChange(false); });
    connect(TrajanjeCB, &QComboBox::currentIndexChanged, this, [this] { TrajanjeCBChange(); });
    connect(PorukaMemo, &QPlainTextEdit::textChanged, this, [this] { PorukaMemoChange(); });
    connect(FlashCheck, &QCheckBox::toggled, this, [this] { PorukaMemoChange(); });
    connect(PicturesUD, &QSpinBox::valueChanged, this, [this] { PicturesUDClick(); });
    connect(AddPicBtn, &QPushButton::clicked, this, [this] { AddPicBtnClick(); });
    connect(SendBtn, &QPushButton::clicked, this, [this] { SendBtnClick(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    PorukaMemo->installEventFilter(this);
    TelEdit->installEventFilter(this);
}

TSmsForm::~TSmsForm() = default;

void TSmsForm::PrepareNew() {
    ComposeMode = 1;
    setWindowTitle(U("New message . . ."));
    FillNameList();
    TelEdit->setEnabled(true);
    TelEdit->clear();
    NazivCB->setCurrentIndex(-1);
    SetText({});
}

void TSmsForm::PrepareReply(const QString& name, const QString& number) {
    ComposeMode = 1;
    setWindowTitle(U("Reply to message . . ."));
    FillNameList();
    SetRecipient(name, number);
    // The answer goes to the sender only.
    TelEdit->setEnabled(false);
    NazivCB->setEnabled(false);
    SetText({});
}

void TSmsForm::PrepareEdit(PhoneMemory memory, const std::string& position, const QString& name,
                           const QString& number, const QString& text) {
    ComposeMode = 0;
    editMemory_ = memory;
    editPosition_ = position;
    setWindowTitle(U("Edit message . . ."));
    FillNameList();
    SetRecipient(name, number);
    TelEdit->setEnabled(true);
    SetText(text);
}

bool TSmsForm::Flash() const { return FlashCheck->isChecked(); }

void TSmsForm::FillNameList() { FillNameCombo(NazivCB, engine_.PhonebookList()); }

void TSmsForm::SetRecipient(const QString& name, const QString& number) {
    TelEdit->setText(number);
    SelectNameInCombo(NazivCB, name);
}

void TSmsForm::SetText(const QString& text) {
    QString t = text;
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    // A text put here whole is kept whole, over the limit too (PreLab then
    // shows by how much); only typing and pasting are held to the limit.
    lastText_ = t;
    PorukaMemo->setPlainText(t);
}

QString TSmsForm::Text() const { return PorukaMemo->toPlainText(); }

std::string TSmsForm::PhoneText() const {
    QString t = Text();
    t.replace("\n", "\r\n");
    return ToAnsi(t);
}

void TSmsForm::InsertTemplate(const QString& templ, bool append) {
    QString t = templ;
    t.replace("\r\n", "\n");
    t.replace("\n", "\r\n");
    QString old = Text();
    old.replace("\n", "\r\n");
    SetText(FromUtf8(parlenko::InsertTemplate(ToUtf8(old), ToUtf8(t), append)));
}

QStringList TSmsForm::UnsupportedChars() const {
    QStringList bad;
    for (const std::string& c : parlenko::UnsupportedChars(ToUtf8(Text()), PhoneChars::Message))
        bad << FromUtf8(c);
    return bad;
}

ComposedSms TSmsForm::Message() const {
    ComposedSms m;
    m.Number = ToAnsi(TelEdit->text().trimmed());
    m.Text = PhoneText();
    m.ValidityValue = TrajanjeUpDown->value();
    m.ValidityUnit = TrajanjeCB->currentIndex();
    m.StatusReport = ReportCheck->isChecked();
    m.Flash = Flash();
    return m;
}

void TSmsForm::HandedOver(ComposedSmsResult result) {
    if (result == ComposedSmsResult::InvalidNumber || result == ComposedSmsResult::TextTooLong) {
        const QString why =
            result == ComposedSmsResult::InvalidNumber
                ? U("Invalid phone number!\r\rThe '+' may stand only in front of the number.")
                : U("SMS message is too long!");
        ShowError(this, QStringLiteral("Error"), why);
        return;
    }
    waiting_ = result == ComposedSmsResult::Started;
    UpdateButtons();
}

void TSmsForm::UpdateButtons() {
    const bool number = IsValidNumber(ToAnsi(TelEdit->text()));
    const bool ok = number && IsSmsText() && left_ >= 0 && !waiting_;
    SaveBtn->setEnabled(ok);
    SendBtn->setEnabled(ok && !TelEdit->text().trimmed().isEmpty());
}

void TSmsForm::ShowHint(const QString& text, int dx, int dy) {
    balloon_.Show(text, x() + dx, y() + dy);
}

// --- handlers -------------------------------------------------------------------

void TSmsForm::showEvent(QShowEvent* event) {
    TSmallWindow::showEvent(event);
    FormShow();
}

void TSmsForm::FormShow() {
    TrajanjeCB->setCurrentIndex(3);
    TrajanjeCBChange();
    FlashCheck->setChecked(false);
    ReportCheck->setChecked(false);
    SmscLab->setText(FromAnsi(engine_.Settings().SmscLab));
    PorukaMemoChange();
    if (ComposeMode == 1 && NazivCB->isEnabled()) NazivCB->setFocus();
    else PorukaMemo->setFocus();
    UpdateButtons();
}

void TSmsForm::NazivCBChange() {
    TelEdit->setText(PhoneOfName(engine_.PhonebookList(), NazivCB->currentData().toString()));
}

void TSmsForm::TelEditChange(bool edited) {
    if (edited) SelectNameOfNumber(NazivCB, engine_.PhonebookList(), TelEdit->text());
    if (IsValidNumber(ToAnsi(TelEdit->text()))) balloon_.Free();
    else if (isVisible()) ShowHint(InvalidNumberHint(), 111, 114);
    UpdateButtons();
}

void TSmsForm::TrajanjeCBChange() {
    const int unit = TrajanjeCB->currentIndex();
    const int max = unit <= 1 ? 720 : unit == 2 ? 30 : 63;
    TrajanjeUpDown->setSingleStep(unit <= 1 ? 20 : 1);
    TrajanjeUpDown->setMaximum(max);
    TrajanjeUpDown->setValue(std::clamp(TrajanjeUpDown->value(), 1, max));
}

void TSmsForm::PorukaMemoChange() {
    if (changing_) return;
    const bool flash = Flash();
    const int limit = SmsTextLimit(flash);
    MaxLab->setText(QString::number(limit));
    QString now = Text();
    QString fitted = now;
    int caret = -1;
    if (flash && Length(now, true) > limit) {
        // The flash box cuts the text at once.
        fitted = FitPrefix(now, true, limit);
    } else if (Length(now, flash) > limit && Length(now, flash) > Length(lastText_, flash)) {
        // Typed or pasted past the limit: of what came in, only what fits.
        qsizetype head = 0;
        while (head < now.size() && head < lastText_.size() && now[head] == lastText_[head]) ++head;
        qsizetype tail = 0;
        while (tail < now.size() - head && tail < lastText_.size() - head &&
               now[now.size() - 1 - tail] == lastText_[lastText_.size() - 1 - tail])
            ++tail;
        const QString before = now.left(head);
        const QString after = now.right(tail);
        const QString in = now.mid(head, now.size() - head - tail);
        const int room = limit - Length(before + after, flash);
        const QString kept = room > 0 ? FitPrefix(in, flash, room) : QString();
        fitted = before + kept + after;
        caret = static_cast<int>(before.size() + kept.size());
    }
    if (fitted != now) {
        changing_ = true;
        PorukaMemo->setPlainText(fitted);
        QTextCursor c = PorukaMemo->textCursor();
        c.setPosition(caret >= 0 ? caret : static_cast<int>(fitted.size()));
        PorukaMemo->setTextCursor(c);
        changing_ = false;
        now = fitted;
    }
    lastText_ = now;
    const int typed = SmsTextLength(PhoneText(), flash);
    left_ = limit - typed;
    UpisLab->setText(QString::number(typed));
    PreLab->setText(QString::number(left_));
    const QStringList bad = UnsupportedChars();
    if (bad.isEmpty()) {
        balloon_.Free();
    } else if (isVisible()) {
        QString list;
        for (const QString& c : bad) list += c + ' ';
        ShowHint(U("You entered following\runsupported characters:\r") + Dashes(42) + "\r" + list +
                     "\r" + Dashes(42),
                 31, 281);
    }
    UpdateButtons();
    SmsPicturesPBPaint();
}

void TSmsForm::SmsPicturesPBPaint() {
    const int n = PicturesUD->value();
    const QString name = artwork::SmsPictureName(n - 1);
    PicNameLab->setText(name);
    PicNoLab->setText(QStringLiteral("Picture:  %1/%2").arg(n).arg(artwork::kSmsPictureCount));
    const int tag = static_cast<int>(name.size()) + 3;  // "%Name" in double quotes
    AddPicBtn->setEnabled(left_ >= tag);
    SmsPicturesPB->update();
}

void TSmsForm::PicturesUDClick() { SmsPicturesPBPaint(); }

void TSmsForm::AddPicBtnClick() {
    const QString tag = "\"%" + artwork::SmsPictureName(PicturesUD->value() - 1) + "\"";
    const QString text = Text();
    const int at = PorukaMemo->textCursor().position();
    const QString joined = text.left(at) + tag + text.mid(at).left(160);
    changing_ = true;
    PorukaMemo->setPlainText(joined);
    changing_ = false;
    QTextCursor c = PorukaMemo->textCursor();
    c.setPosition(at + static_cast<int>(tag.size()));
    PorukaMemo->setTextCursor(c);
    PorukaMemo->setFocus();
    PorukaMemoChange();
}

void TSmsForm::SendBtnClick() {
    if (!SendBtn->isEnabled()) return;
    HandedOver(ComposeMode == 1
                   ? engine_.SendSms(Message())
                   : engine_.EditStoredSms(editMemory_, editPosition_, Message(), true));
}

void TSmsForm::SaveBtnClick() {
    if (!SaveBtn->isEnabled()) return;
    HandedOver(ComposeMode == 1
                   ? engine_.StoreSms(Message())
                   : engine_.EditStoredSms(editMemory_, editPosition_, Message(), false));
}

void TSmsForm::MessageDone(bool accepted) {
    if (!waiting_) return;
    waiting_ = false;
    if (accepted && isVisible()) accept();
    else UpdateButtons();
}

void TSmsForm::Button1Click() { reject(); }

void TSmsForm::done(int result) {
    FormClose();
    TSmallWindow::done(result);
}

void TSmsForm::FormClose() {
    waiting_ = false;
    FlashCheck->setChecked(false);
    balloon_.Free();
    NazivCB->setCurrentIndex(-1);
    TelEdit->clear();
    PorukaMemo->clear();
    editPosition_.clear();
    PorukaMemoChange();
}

bool TSmsForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SmsPicturesPB && event->type() == QEvent::Paint) {
        QPainter p(SmsPicturesPB);
        p.fillRect(SmsPicturesPB->rect(), Qt::white);
        p.setPen(QColor(0x83, 0x96, 0xA0));
        p.drawRect(SmsPicturesPB->rect().adjusted(0, 0, -1, -1));
        p.drawImage(4, 4, artwork::SmsPicture(PicturesUD->value() - 1));
        return true;
    }
    if ((watched == PorukaMemo || watched == TelEdit) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            balloon_.Free();
    }
    return TSmallWindow::eventFilter(watched, event);
}

}  // namespace parlenko::ui
