// Writes the pictures of the "ParlenkoImages" folder: the page header bars in
// both languages, one picture per phone model and "QuestionMark.jpg"; or,
// with --icons, the program's icon in the sizes of the desktop's icon theme
// (OUTDIR/NxN/apps/NAME.png, the layout of share/icons/hicolor).
//
//   parlenko_imagegen OUTDIR                (run with QT_QPA_PLATFORM=offscreen)
//   parlenko_imagegen --icons OUTDIR NAME

#include "ui/artwork/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdio>

namespace {

bool Write(const QImage& image, const QDir& dir, const QString& name) {
    QImageWriter writer(dir.filePath(name), "jpg");
    writer.setQuality(92);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "imagegen: cannot write %s: %s\n", qPrintable(dir.filePath(name)),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool WriteIcons(const QDir& dir, const QString& name) {
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = dir.filePath(folder + "/" + name + ".png");
        if (!dir.mkpath(folder) || !parlenko::artwork::ProgramIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--icons") {
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        return WriteIcons(dir, QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: parlenko_imagegen OUTDIR | --icons OUTDIR NAME\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "imagegen: cannot create %s\n", argv[1]);
        return 1;
    }
    namespace art = parlenko::artwork;
    bool ok = true;
    for (int language = 0; language <= 1; ++language)
        for (int page = 1; page <= 6; ++page)
            ok = Write(art::PageBar(language, page), dir, art::PageBarFileName(language, page)) &&
                 ok;
    for (const QString& model : art::PhoneModels())
        ok = Write(art::PhonePicture(model), dir, model + ".jpg") && ok;
    ok = Write(art::QuestionMarkPicture(), dir, "QuestionMark.jpg") && ok;
    return ok ? 0 : 1;
}
