#include "ui/dialogs/info_form.h"

#include "components/widgets/url_label.h"
#include "ui/artwork/artwork.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace parlenko::ui {
namespace {

constexpr int kWidth = 313;
constexpr int kHeight = 331;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                 bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

}  // namespace

TInfoForm::TInfoForm(QWidget* mainWindow) : TSmallWindow(mainWindow) {
    setObjectName("InfoForm");
    setWindowTitle(QString::fromUtf8("O programu . . ."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, kWidth, 84);
    Image1->setPixmap(QPixmap::fromImage(artwork::AboutBand(kWidth, 84)));

    OpisLab = AddLabel(this, "OpisLab",
                       QString::fromUtf8("Program  za jednostavno upravljanje, kontrolu i razmjenu "
                                         "podataka između mobitela i računala."),
                       QRect(16, 94, kWidth - 32, 44));
    OpisLab->setWordWrap(true);
    OpisLab->setAlignment(Qt::AlignCenter);

    auto* group = new QGroupBox(QString::fromUtf8(" Kontakt: "), this);
    group->setObjectName("GroupBox1");
    group->setGeometry(12, 146, kWidth - 24, 136);
    AddLabel(group, "Label1", QString::fromUtf8("Autor:"), QRect(14, 24, 90, 16));
    AddLabel(group, "AutorLab", QString::fromUtf8("Parlenko projekt"), QRect(110, 24, 170, 16),
             true);
    AddLabel(group, "Label2", QString::fromUtf8("E-mail:"), QRect(14, 46, 90, 16));
    EmailLab = new widgets::TUrlLabel(QString::fromUtf8("parlenko@example.org"), group);
    EmailLab->setObjectName("EmailLab");
    EmailLab->setGeometry(110, 46, 170, 16);
    EmailLab->UrlType = widgets::TUrlType::Mail;
    AddLabel(group, "Label3", QString::fromUtf8("Web:"), QRect(14, 68, 90, 16));
    WebLab = new widgets::TUrlLabel(QString::fromUtf8("www.example.org/parlenko"), group);
    WebLab->setObjectName("WebLab");
    WebLab->setGeometry(110, 68, 170, 16);
    WebLab->UrlType = widgets::TUrlType::Http;
    auto* line = new QFrame(group);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(14, 94, kWidth - 24 - 28, 4);
    AddLabel(group, "Label4", QString::fromUtf8("Verzija programa:"), QRect(14, 106, 110, 16));
    VerzijaLab =
        AddLabel(group, "VerzijaLab", QString::fromUtf8("1.0.1.0"), QRect(130, 106, 100, 16), true);

    ZatvoriBtn = new QPushButton(QString::fromUtf8("Zatvori"), this);
    ZatvoriBtn->setObjectName("ZatvoriBtn");
    ZatvoriBtn->setGeometry((kWidth - 90) / 2, kHeight - 40, 90, 27);
    ZatvoriBtn->setDefault(true);
    connect(ZatvoriBtn, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace parlenko::ui
