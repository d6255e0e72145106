#include "ui/dialogs/info_form.h"

#include "components/widgets/url_label.h"
#include "ui/artwork/artwork.h"
#include "ui/controls/controls.h"
#include "ui/controls/dialog_frame.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 313;
constexpr int kHeight = 331;

}  // namespace

TInfoForm::TInfoForm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    FrameDialog(this, "InfoForm", QString::fromUtf8("O programu . . ."),
                kClosableDialog | Qt::WindowStaysOnTopHint, {kWidth, kHeight});

    using namespace controls;
    Image1 = Picture(this, "Image1", QRect(0, 0, kWidth, 84), artwork::AboutBand(kWidth, 84));

    OpisLab = Label(this, "OpisLab",
                    QString::fromUtf8("Program  za jednostavno upravljanje, kontrolu i razmjenu "
                                      "podataka između mobitela i računala."),
                    QRect(16, 94, kWidth - 32, 44));
    OpisLab->setWordWrap(true);
    OpisLab->setAlignment(Qt::AlignCenter);

    QGroupBox* group = Group(this, "GroupBox1", " Kontakt: ", QRect(12, 146, kWidth - 24, 136));
    Label(group, "Label1", "Autor:", QRect(14, 24, 90, 16));
    Value(group, "AutorLab", QRect(110, 24, 170, 16))->setText("Parlenko projekt");
    Label(group, "Label2", "E-mail:", QRect(14, 46, 90, 16));
    EmailLab = new widgets::TUrlLabel(QString::fromUtf8("parlenko@example.org"), group);
    EmailLab->setObjectName("EmailLab");
    EmailLab->setGeometry(110, 46, 170, 16);
    EmailLab->UrlType = widgets::TUrlType::Mail;
    Label(group, "Label3", "Web:", QRect(14, 68, 90, 16));
    WebLab = new widgets::TUrlLabel(QString::fromUtf8("www.example.org/parlenko"), group);
    WebLab->setObjectName("WebLab");
    WebLab->setGeometry(110, 68, 170, 16);
    WebLab->UrlType = widgets::TUrlType::Http;
    auto* line = new QFrame(group);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(14, 94, kWidth - 24 - 28, 4);
    Label(group, "Label4", "Verzija programa:", QRect(14, 106, 110, 16));
    VerzijaLab = Value(group, "VerzijaLab", QRect(130, 106, 100, 16));
    VerzijaLab->setText("1.0.1.0");

    ZatvoriBtn =
        Button(this, "ZatvoriBtn", "Zatvori", QRect((kWidth - 90) / 2, kHeight - 40, 90, 27));
    ZatvoriBtn->setDefault(true);
    connect(ZatvoriBtn, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace parlenko::ui
