#pragma once
// The parts the melody and logo pages share: the phone side saves the
// phone's item to a file on disk, the PC side uploads a file into a memory
// of the phone.

#include <QString>

#include <utility>

class QComboBox;
class QGroupBox;
class QPushButton;
class QWidget;

namespace parlenko::ui {
class TPcFileList;
}

namespace parlenko::ui::controls {

// The PC side's frame (the page's right half) with the folders above the
// files, the list of files listHeight high.
std::pair<QGroupBox*, TPcFileList*> PcFilesSide(QWidget* page, const QString& caption,
                                                const QString& foldersName, const QString& listName,
                                                const QString& ownCaption, const QString& ownFolder,
                                                int listHeight);

// A frame of the page at y (244 x 96, left) with a note on the file's
// format and the button that saves; the button.
QPushButton* SaveToDiskGroup(QWidget* page, int y, const QString& caption, const QString& note,
                             const char* buttonName, const QString& buttonCaption);

// At the foot of the PC side's frame: the memory to upload into, under its
// caption, and the upload button.
std::pair<QComboBox*, QPushButton*> UploadControls(QWidget* pcSide, const QString& memoryCaption,
                                                   const char* memoryName, const char* buttonName,
                                                   const QString& buttonCaption);

}  // namespace parlenko::ui::controls
