#include "ui/pages/logo_page.h"

#include "engine/core/host.h"
#include "engine/session/phone_engine.h"
#include "ui/artwork/artwork.h"
#include "ui/artwork/small_images.h"
#include "ui/base/text_codec.h"
#include "ui/controls/click_handlers.h"
#include "ui/controls/controls.h"
#include "ui/controls/message_dialog.h"
#include "ui/controls/page_value_rows.h"
#include "ui/controls/pc_files.h"
#include "ui/controls/transfer_controls.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeView>

#include <algorithm>
#include <tuple>

namespace parlenko::ui {
namespace {

constexpr int kLogoPicture = 52;
constexpr QSize kCanvas(124, 64);
const QColor kNoLogoColour(0xFF, 0xFB, 0xF0);  // $F0FBFF

// A picture box: the canvas in a sunken frame.
QLabel* PictureBox(QWidget* parent, const char* name, const QPoint& at) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setLineWidth(1);
    l->setGeometry(at.x(), at.y(), kCanvas.width() + 2, kCanvas.height() + 2);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void Fill(QComboBox* box, const std::vector<std::string>& items, int index) {
    controls::Fill(box, items, index, controls::SmallIcon(kLogoPicture));
}

// The picture centred on the white canvas. A 1-bit picture is drawn
// transparent: its white (the paper) is the canvas's, only its ink is
// drawn, whatever colour its corner pixels have; other pictures are drawn
// whole.
QPixmap Canvas(const QImage& picture) {
    QImage canvas(kCanvas, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QImage shown = picture.convertToFormat(QImage::Format_ARGB32);
    if (picture.depth() == 1 && !picture.isNull()) {
        const QRgb paper = qRgb(0xFF, 0xFF, 0xFF);
        for (int y = 0; y < shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                if (line[x] == paper) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    QPainter p(&canvas);
    p.drawImage(kCanvas.width() / 2 - shown.width() / 2, kCanvas.height() / 2 - shown.height() / 2,
                shown);
    return QPixmap::fromImage(canvas);
}

QString SizeText(const QImage& picture) {
    return QString::number(picture.width()) + " x " + QString::number(picture.height());
}

bool IsBmpFile(const QString& path) {
    return controls::IsFileWithSuffix(path, QLatin1String("bmp"));
}

}  // namespace

TLogoPage::TLogoPage(PhoneEngine& engine, const QString& logosDir, QWidget* parent)
    : QWidget(parent), engine_(engine), logosDir_(logosDir) {
    setObjectName("LogotipPage");
    BuildPhoneSide();
    BuildPcSide(logosDir);
    // Off until the phone's logo is read, or a picture is chosen.
    for (QPushButton* b : {DelLogBtn, SaveToBmpBtn, UploadLogBtn}) b->setEnabled(false);
    MobLogImage->setPixmap(Canvas(QImage()));
    CompLogImage->setPixmap(Canvas(QImage()));
    ConnectHandlers();
}

// The phone's logo of the kind chosen, and its saving to a file.
void TLogoPage::BuildPhoneSide() {
    using namespace controls;
    QGroupBox* phone = Group(this, " Logotip na mobitelu:", QRect(8, 4, 244, 196));
    LogosCB = Combo(phone, "LogosCB", QRect(12, 24, 220, 22));
    auto* mobPanel = Placed(new QFrame(phone), "MobLogPanel", QRect(12, 52, 220, 104));
    MobLogImage = PictureBox(mobPanel, "MobLogImage", QPoint((220 - kCanvas.width() - 2) / 2, 4));
    MobLogSizeLab = PageValue(mobPanel, "MobLogSizeLab", QRect(0, 76, 220, 20));
    MobLogSizeLab->setAlignment(Qt::AlignCenter);
    RefLogBtn = Button(phone, "RefLogBtn", "Osvježi", QRect(12, 160, 106, 25));
    DelLogBtn = Button(phone, "DelLogBtn", "Izbriši", QRect(126, 160, 106, 25));

    SaveToBmpBtn = SaveToDiskGroup(
        this, 208, " Snimi logotip iz mobitela:", "Logotip će biti snimljen u BMP formatu!",
        "SaveToBmpBtn", "Snimi logotip na disk");
}

// The PC's pictures, the one chosen with its size, and its upload.
void TLogoPage::BuildPcSide(const QString& logosDir) {
    using namespace controls;
    QGroupBox* pc = nullptr;
    std::tie(pc, logoFiles_) = PcFilesSide(this, " Slike na računalu:", "LogoFoldersCB",
                                           "LogoListView", "Logos", logosDir, 126);
    auto* compPanel = Placed(new QFrame(pc), "CompLogPanel", QRect(10, 178, 232, 112));
    CompLogImage =
        PictureBox(compPanel, "CompLogImage", QPoint((232 - kCanvas.width() - 2) / 2, 2));
    PageValueRows(compPanel, {0, 130, 132, 100, 18}, 72, 20,
                  {{&PicSizeLab, "Veličina slike:", "PicSizeLab"},
                   {&PicMaxSizeLab, "Veličina na mobitelu:", "PicMaxSizeLab"}});
    std::tie(SaveLogoMemCB, UploadLogBtn) =
        UploadControls(pc, "Memorija za snimanje logotipa:", "SaveLogoMemCB", "UploadLogBtn",
                       "Snimi logotip u mobitel");
}

void TLogoPage::ConnectHandlers() {
    controls::OnClicked(this, {
                                  {RefLogBtn, &TLogoPage::RefLogBtnClick},
                                  {DelLogBtn, &TLogoPage::DelLogBtnClick},
                                  {SaveToBmpBtn, &TLogoPage::SaveToBmpBtnClick},
                                  {UploadLogBtn, &TLogoPage::UploadLogBtnClick},
                              });
    connect(SaveLogoMemCB, &QComboBox::currentIndexChanged, this,
            [this] { SaveLogoMemCBChange(); });
    connect(logoFiles_, &TPcFileList::SelectionChanged, this, [this] { LogoListViewChange(); });
}

TLogoPage::~TLogoPage() = default;

void TLogoPage::PageShown() {
    SaveLogoMemCBChange();
    if (mobLogTag_ == 0) RefLogBtnClick();
}

// ---------------------------------------------------------------- the phone's logo

void TLogoPage::LogoKindsChanged(const ObjectCapabilitiesView& view) {
    Fill(LogosCB, view.LogosCB, view.LogosIndex);
    const int before = SaveLogoMemCB->currentIndex();
    Fill(SaveLogoMemCB, view.SaveLogoMemCB, view.SaveLogoMemIndex);
    if (SaveLogoMemCB->currentIndex() != before) SaveLogoMemCBChange();
}

void TLogoPage::ShowLogo(const std::string& path) {
    const QString file = QString::fromStdString(path);
    QImage logo(file, "BMP");
    if (logo.isNull()) logo.load(file);
    phoneLogoPath_ = file;
    mobLogTag_ = 1;
    MobLogImage->setPixmap(Canvas(logo));
    MobLogSizeLab->setText(SizeText(logo));
    DelLogBtn->setEnabled(true);
    SaveToBmpBtn->setEnabled(true);
}

void TLogoPage::ShowNoLogo(const std::string& text) {
    QImage canvas(kCanvas, QImage::Format_RGB32);
    canvas.fill(kNoLogoColour);
    {
        QPainter p(&canvas);
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(canvas.rect(), Qt::AlignCenter | Qt::TextSingleLine, FromAnsi(text));
    }
    MobLogImage->setPixmap(QPixmap::fromImage(canvas));
    MobLogSizeLab->setText(QStringLiteral("No logo on mobile!"));
    phoneLogoPath_.clear();
    DelLogBtn->setEnabled(false);
    SaveToBmpBtn->setEnabled(false);
}

void TLogoPage::RefLogBtnClick() {
    if (!engine_.Connected()) return;
    engine_.ReadLogo(std::max(LogosCB->currentIndex(), 0));
}

void TLogoPage::DelLogBtnClick() {
    if (!engine_.Connected()) return;
    if (Ask(this, "Delete logo", "Delete logo from mobile?") != DialogResult::Yes) return;
    engine_.DeleteLogo(std::max(LogosCB->currentIndex(), 0));
}

void TLogoPage::SaveToBmpBtnClick() {
    if (phoneLogoPath_.isEmpty()) return;
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save logo to . . ."),
                                                QDir(logosDir_).filePath("ParlenkoLogo"),
                                                QStringLiteral("BMP pictures (*.bmp)"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().toLower() != QLatin1String("bmp")) name += QStringLiteral(".bmp");
    // The logo as the phone gave it, not the picture box's canvas.
    QFile from(phoneLogoPath_);
    QSaveFile to(name);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly) ||
        to.write(from.readAll()) < 0 || !to.commit()) {
        ShowError(
            this, QStringLiteral("Error"),
            "Error occurred while trying to write file!\n\n" + QDir::toNativeSeparators(name));
        return;
    }
    emit StatusMessageRequested(QStringLiteral("Logo succesfully saved on disc!"));
}

void TLogoPage::SaveLogoMemCBChange() {
    PicMaxSizeLab->setText(SaveLogoMemCB->currentIndex() == 1
                               ? QStringLiteral("101 x 46")
                               : QString::fromStdString(engine_.PhoneLogoSize()));
}

// ---------------------------------------------------------------- BMP files

void TLogoPage::ClearCompPicture() {
    compPicture_ = QImage();
    CompLogImage->setPixmap(Canvas(QImage()));
    PicSizeLab->clear();
    UploadLogBtn->setEnabled(false);
}

void TLogoPage::LogoListViewChange() {
    const QString path = logoFiles_->SelectedPath();
    if (path.isEmpty()) {
        ClearCompPicture();
        return;
    }
    if (!IsBmpFile(path)) return;
    QImage picture;
    if (!picture.load(path, "BMP")) {
        ClearCompPicture();
        ShowError(this, QStringLiteral("Error"), QStringLiteral("Cannot open picture!"));
        return;
    }
    compPicture_ = picture;
    CompLogImage->setPixmap(Canvas(picture));
    PicSizeLab->setText(SizeText(picture));
    UploadLogBtn->setEnabled(true);
}

void TLogoPage::UploadLogBtnClick() {
    if (!engine_.Connected() || compPicture_.isNull()) return;
    if (Ask(this, "Save logo", "Save logo in mobile?") == DialogResult::No) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!compPicture_.save(&buffer, "BMP")) {
        ShowError(this, QStringLiteral("Error"), QStringLiteral("Cannot open picture!"));
        return;
    }
    engine_.UploadLogo(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                       std::max(SaveLogoMemCB->currentIndex(), 0));
}

}  // namespace parlenko::ui
