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

#include <initializer_list>

namespace parlenko::ui {
namespace {

constexpr int kBarStep = 20;
constexpr int kMaxBars = 10;
constexpr int kRowHeight = 19;

using controls::Group;

// A value of the page on its row: its name and tag (0: none), its caption
// (and hint), how wide it is and the view's text it shows.
struct TextRow {
    const char* name;
    int tag;
    const char* caption;
    int valueWidth;
    std::string GeneralInfoView::*text;
    const char* hint = nullptr;
};

// The rows from y down, their captions at x and their values at valueX; each
// value label goes to shown with its text.
template <typename Shown>
void AddRows(QWidget* group, int x, int valueX, int y, std::initializer_list<TextRow> rows,
             std::vector<Shown>& shown) {
    for (const TextRow& row : rows) {
        QLabel* c = controls::Caption(group, row.caption, QRect(x, y, valueX - x - 4, kRowHeight));
        QLabel* v =
            controls::PageValue(group, row.name, QRect(valueX, y, row.valueWidth, kRowHeight));
        if (row.tag != 0) v->setProperty("Tag", row.tag);
        if (row.hint != nullptr) {
            c->setToolTip(U(row.hint));
            v->setToolTip(U(row.hint));
        }
        shown.push_back({v, row.text});
        y += kRowHeight;
    }
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

TLevelBars::TLevelBars(QWidget* parent) : TTagPainted(parent) {}

void TLevelBars::paintEvent(QPaintEvent*) {
    static const QImage bar = artwork::NivoPicture();
    QPainter p(this);
    for (int i = 0; i < Tag() && i * kBarStep < width(); ++i) p.drawImage(i * kBarStep, 1, bar);
}

TGeneralPage::TGeneralPage(QWidget* parent) : QWidget(parent) {
    setObjectName("OsnovnoPage");

    QGroupBox* phone = Group(this, " Tehnički podaci mobitela:", QRect(8, 4, 504, 188));
    MobImage = new QLabel(phone);
    MobImage->setObjectName("MobImage");
    MobImage->setGeometry(16, 26, artwork::kPhoneWidth, artwork::kPhoneHeight);
    using V = GeneralInfoView;
    const int vw = 504 - 228 - 10;
    AddRows(phone, 132, 228, 24,
            {
                {"ProLab", 101, "Proizvođač:", vw, &V::ProLab},
                {"ModLab", 102, "Model:", vw, &V::ModLab},
                {"SoftLab", 103, "Software:", vw, &V::SoftLab},
                {"StatMobLab", 104, "Status:", vw, &V::StatMobLab},
                {"ImeiLab", 105, "IMEI:", vw, &V::ImeiLab, "Serijski broj mobitela"},
                {"ImsiLab", 106, "IMSI:", vw, &V::ImsiLab,
                 "Internacionalni identifikacijski broj pretplatnika"},
                {"SimIdLab", 107, "SIM ID:", vw, &V::SimIdLab, "Identifikacijski broj SIM kartice"},
                {"DatMobLab", 108, "Datum i sat:", vw, &V::DatMobLab},
            },
            texts_);

    QGroupBox* power = Group(this, " Napajanje mobitela:", QRect(8, 196, 504, 66));
    AddRows(power, 16, 110, 22,
            {
                {"NapLab", 109, "Napajanje:", 380, &V::NapLab},
                {"NapBatLab", 110, "Napunjenost:", 60, &V::NapBatLab},
            },
            texts_);
    NapStatPB = Bars(power, "NapStatPB", 180, 43);

    QGroupBox* net = Group(this, " Podaci o mreži:", QRect(8, 266, 504, 140));
    AddRows(net, 16, 110, 22,
            {
                {"OperLab", 111, "Naziv mreže:", 140, &V::OperLab},
                {"PodrucjeLab", 113, "Lokacija:", 140, &V::PodrucjeLab},
                {"BazaIDLab", 114, "Bazna stanica:", 140, &V::BazaIDLab},
                {"LokacijaLab", 0, "Naziv lokacije:", 250, &V::LokacijaLab},
            },
            texts_);
    AddRows(net, 270, 366, 22,
            {
                {"StatMreLab", 112, "Status mreže:", 130, &V::StatMreLab},
                {"PrijemLab", 115, "Prijemni signal:", 130, &V::PrijemLab},
            },
            texts_);
    PrijemStatPB = Bars(net, "PrijemStatPB", 270, 24 + 2 * kRowHeight);
    SaveNetLocBtn =
        controls::Button(net, "SaveNetLocBtn", "<< Snimi lokaciju", {370, 104, 120, 26});
    SaveNetLocBtn->setEnabled(false);
    connect(SaveNetLocBtn, &QPushButton::clicked, this, &TGeneralPage::SaveLocationRequested);
}

void TGeneralPage::Render(const GeneralInfoView& v) {
    for (const auto& [label, text] : texts_) label->setText(FromAnsi(v.*text));
    NapStatPB->SetTag(v.NapStatBars);
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
