#pragma once
// The program's folders. ExeDir is where the program keeps its data (the data
// folder, created when missing); ImagesDir is the "ParlenkoImages" folder that
// ships with the program. All but LogosDir end with "/".

#include <QString>

namespace parlenko::ui {

struct TFolders {
    QString ExeDir;
    QString ImagesDir;
    QString MelodiesDir;
    QString LogosDir;
};

// The shipped images folder: $PARLENKO_IMAGES_DIR when set; else
// "ParlenkoImages" beside the executable; else the installed share folder.
// When none exists, the one beside the executable (which the missing-folder
// message then names).
QString FindImagesDir();
// The folder holding the shipped files ("CountryList.dat"): the images
// folder's parent.
QString ShippedFilesDir();

// ExeDir from the data folder (created), ImagesDir from FindImagesDir, the
// other two under ExeDir (not created here).
TFolders ResolveFolders();

}  // namespace parlenko::ui
