#include "ui/controls/transfer_controls.h"

#include "ui/controls/controls.h"
#include "ui/controls/pc_files.h"

namespace parlenko::ui::controls {

std::pair<QGroupBox*, TPcFileList*> PcFilesSide(QWidget* page, const QString& caption,
                                                const QString& foldersName, const QString& listName,
                                                const QString& ownCaption, const QString& ownFolder,
                                                int listHeight) {
    QGroupBox* side = Group(page, caption, QRect(260, 4, 252, 376));
    auto* files = new TPcFileList(side, foldersName, listName, ownCaption, ownFolder);
    files->Place({10, 22, 232, 22}, {10, 48, 232, listHeight});
    return {side, files};
}

QPushButton* SaveToDiskGroup(QWidget* page, int y, const QString& caption, const QString& note,
                             const char* buttonName, const QString& buttonCaption) {
    QGroupBox* save = Group(page, caption, QRect(8, y, 244, 96));
    Caption(save, note, QRect(12, 22, 220, 32))->setWordWrap(true);
    return Button(save, buttonName, buttonCaption, QRect(12, 58, 220, 25));
}

std::pair<QComboBox*, QPushButton*> UploadControls(QWidget* pcSide, const QString& memoryCaption,
                                                   const char* memoryName, const char* buttonName,
                                                   const QString& buttonCaption) {
    Caption(pcSide, memoryCaption, QRect(10, 298, 232, 18));
    QComboBox* memory = Combo(pcSide, memoryName, QRect(10, 316, 232, 22));
    return {memory, Button(pcSide, buttonName, buttonCaption, QRect(10, 344, 232, 25))};
}

}  // namespace parlenko::ui::controls
