#include "ui/pages/general_page.h"

#include "ui/artwork/artwork.h"
#include "ui/base/pictures.h"
#include "ui/base/text_codec.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace parlenko::ui {
namespace {

constexpr int kBarStep = 20;
constexpr int kMaxBars = 10;
constexpr int kRowHeight = 19;

using controls::Group;

// A caption at x and its value label at valueX on the same row.
QLabel* Row(QWidget* group, const char* name, int tag, const char* caption, int x, int valueX,
            int y, int valueWidth, const char* hint = nullptr) {
    QLabel* c = controls::Caption(group, caption, QRect(x, y, valueX - x - 4, kRowHeight));
    QLabel* v = controls::PageValue(group, name, QRect(valueX, y, valueWidth, kRowHeight));
    if (tag != 0) v->setProperty("Tag", tag);
    if (hint != nullptr) {
        c->setToolTip(U(hint));
        v->setToolTip(U(hint));
    }
    return v;
}

TLevelBars* Bars(QWidget* group, const char* name, int x, int y) {
    auto* b = new TLevelBars(group);
    b->setObjectName(name);
    b->setGeometry(x, y, kBarStep * (kMaxBars - 1) + artwork::kNivoWidth, artwork::kNivoHeight + 2);
    return b;
}

}  // namespace

bool IsPlainPictureName(const std::string& model) {
    if (model.empty() || model == "." || model == "..") return false;
    return model.find_first_of("/\\") == std::string::npos;
}

TLevelBars::TLevelBars(QWidget* parent) : QWidget(parent) {}

void TLevelBars::SetTag(int bars) {
    tag_ = bars;
    update();
}

void TLevelBars::paintEvent(QPaintEvent*) {
    static const QImage bar = artwork::NivoPicture();
    QPainter p(this);
    for (int i = 0; i < tag_ && i * kBarStep < width(); ++i) p.drawImage(i * kBarStep, 1, bar);
}

TGeneralPage::TGeneralPage(QWidget* parent) : QWidget(parent) {
    setObjectName("OsnovnoPage");

    QGroupBox* phone = Group(this, " Tehnički podaci mobitela:", QRect(8, 4, 504, 188));
    MobImage = new QLabel(phone);
    MobImage->setObjectName("MobImage");
    MobImage->setGeometry(16, 26, artwork::kPhoneWidth, artwork::kPhoneHeight);
    const int cx = 132;
    const int vx = 228;
    const int vw = 504 - vx - 10;
    int y = 24;
    ProLab = Row(phone, "ProLab", 101, "Proizvođač:", cx, vx, y, vw);
    ModLab = Row(phone, "ModLab", 102, "Model:", cx, vx, y += kRowHeight, vw);
    SoftLab = Row(phone, "SoftLab", 103, "Software:", cx, vx, y += kRowHeight, vw);
    StatMobLab = Row(phone, "StatMobLab", 104, "Status:", cx, vx, y += kRowHeight, vw);
    ImeiLab =
        Row(phone, "ImeiLab", 105, "IMEI:", cx, vx, y += kRowHeight, vw, "Serijski broj mobitela");
    ImsiLab = Row(phone, "ImsiLab", 106, "IMSI:", cx, vx, y += kRowHeight, vw,
                  "Internacionalni identifikacijski broj pretplatnika");
    SimIdLab = Row(phone, "SimIdLab", 107, "SIM ID:", cx, vx, y += kRowHeight, vw,
                   "Identifikacijski broj SIM kartice");
    DatMobLab = Row(phone, "DatMobLab", 108, "Datum i sat:", cx, vx, y += kRowHeight, vw);

    QGroupBox* power = Group(this, " Napajanje mobitela:", QRect(8, 196, 504, 66));
    NapLab = Row(power, "NapLab", 109, "Napajanje:", 16, 110, 22, 380);
    NapBatLab = Row(power, "NapBatLab", 110, "Napunjenost:", 16, 110, 41, 60);
    NapStatPB = Bars(power, "NapStatPB", 180, 43);

    QGroupBox* net = Group(this, " Podaci o mreži:", QRect(8, 266, 504, 140));
    OperLab = Row(net, "OperLab", 111, "Naziv mreže:", 16, 110, 22, 140);
    PodrucjeLab = Row(net, "PodrucjeLab", 113, "Lokacija:", 16, 110, 22 + kRowHeight, 140);
    BazaIDLab = Row(net, "BazaIDLab", 114, "Bazna stanica:", 16, 110, 22 + 2 * kRowHeight, 140);
    LokacijaLab = Row(net, "LokacijaLab", 0, "Naziv lokacije:", 16, 110, 22 + 3 * kRowHeight, 250);
    StatMreLab = Row(net, "StatMreLab", 112, "Status mreže:", 270, 366, 22, 130);
    PrijemLab = Row(net, "PrijemLab", 115, "Prijemni signal:", 270, 366, 22 + kRowHeight, 130);
    PrijemStatPB = Bars(net, "PrijemStatPB", 270, 24 + 2 * kRowHeight);
    SaveNetLocBtn =
        controls::Button(net, "SaveNetLocBtn", "<< Snimi lokaciju", {370, 104, 120, 26});
    SaveNetLocBtn->setEnabled(false);
    connect(SaveNetLocBtn, &QPushButton::clicked, this, &TGeneralPage::SaveLocationRequested);
}

void TGeneralPage::Render(const GeneralInfoView& v) {
    ProLab->setText(FromAnsi(v.ProLab));
    ModLab->setText(FromAnsi(v.ModLab));
    SoftLab->setText(FromAnsi(v.SoftLab));
    StatMobLab->setText(FromAnsi(v.StatMobLab));
    ImeiLab->setText(FromAnsi(v.ImeiLab));
    ImsiLab->setText(FromAnsi(v.ImsiLab));
    SimIdLab->setText(FromAnsi(v.SimIdLab));
    DatMobLab->setText(FromAnsi(v.DatMobLab));
    NapLab->setText(FromAnsi(v.NapLab));
    NapBatLab->setText(FromAnsi(v.NapBatLab));
    NapStatPB->SetTag(v.NapStatBars);
    OperLab->setText(FromAnsi(v.OperLab));
    StatMreLab->setText(FromAnsi(v.StatMreLab));
    PodrucjeLab->setText(FromAnsi(v.PodrucjeLab));
    BazaIDLab->setText(FromAnsi(v.BazaIDLab));
    LokacijaLab->setText(FromAnsi(v.LokacijaLab));
    PrijemLab->setText(FromAnsi(v.PrijemLab));
    PrijemStatPB->SetTag(v.PrijemStatBars);
    SaveNetLocBtn->setEnabled(v.SaveNetLocEnabled);
}

void TGeneralPage::ShowPhonePicture(const QString& imagesDir, const std::string& model) {
    QString path;
    const QString own = imagesDir + FromAnsi(model) + ".jpg";
    if (IsPlainPictureName(model) && QFileInfo(own).isFile()) path = own;
    else if (QFileInfo(imagesDir + "QuestionMark.jpg").isFile())
        path = imagesDir + "QuestionMark.jpg";
    if (path.isEmpty()) return;
    if (auto picture = LoadJpegPicture(path)) {
        MobImage->setPixmap(QPixmap::fromImage(*picture));
        return;
    }
    MobImage->clear();
    ShowError(this, QStringLiteral("Error"), QStringLiteral("Cannot open picture!"));
}

}  // namespace parlenko::ui
