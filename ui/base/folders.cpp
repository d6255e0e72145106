#include "ui/base/folders.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace parlenko::ui {
namespace {

QString WithSlash(QString s) {
    if (!s.endsWith('/')) s += '/';
    return s;
}

}  // namespace

QString FindImagesDir() {
    const QString env = qEnvironmentVariable("PARLENKO_IMAGES_DIR");
    if (!env.isEmpty()) return WithSlash(env);
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString beside = WithSlash(appDir) + "ParlenkoImages/";
    if (QFileInfo(beside).isDir()) return beside;
    const QString installed =
        QDir::cleanPath(appDir + "/" PARLENKO_SHARE_FROM_BINDIR "/ParlenkoImages");
    if (QFileInfo(installed).isDir()) return WithSlash(installed);
    return beside;
}

QString ShippedFilesDir() {
    QDir dir(FindImagesDir());
    dir.cdUp();
    return WithSlash(dir.absolutePath());
}

TFolders ResolveFolders() {
    TFolders f;
    f.ExeDir = QString::fromStdString(platform::DataDir());
    platform::MakeDirs(f.ExeDir.toStdString());
    f.ImagesDir = FindImagesDir();
    f.MelodiesDir = f.ExeDir + "Melodies/";
    f.LogosDir = f.ExeDir + "Logos";
    return f;
}

}  // namespace parlenko::ui
