#pragma once
// The general page "Osnovno": the phone's technical data with its picture,
// the power supply with the battery bars, and the network with the reception
// bars and the button that names the current cell. It shows what the engine
// keeps in GeneralInfoView; the main window hands it every change.

#include "engine/general/general_view.h"
#include "ui/controls/tag_painted.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace parlenko::ui {

// A row of level bars: Tag bars of the level picture, 20 pixels apart.
class TLevelBars : public controls::TTagPainted {
    Q_OBJECT
public:
    explicit TLevelBars(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TGeneralPage : public QWidget {
    Q_OBJECT
public:
    explicit TGeneralPage(QWidget* parent = nullptr);

    // Shows the texts, the bars and the save button's state.
    void Render(const GeneralInfoView& view);
    // The picture of the phone model from imagesDir (model + ".jpg", else
    // "QuestionMark.jpg"; nothing changes when neither exists). The model
    // names a file only when it is a plain file name. A file that cannot be
    // decoded clears the picture and shows "Cannot open picture!".
    void ShowPhonePicture(const QString& imagesDir, const std::string& model);

signals:
    // "<< Snimi lokaciju": the user names the current cell.
    void SaveLocationRequested();

private:
    QLabel* MobImage = nullptr;
    // Each value label ("ProLab", "ModLab" ...) and the view's text it shows.
    struct ShownText {
        QLabel* label;
        std::string GeneralInfoView::*text;
    };
    std::vector<ShownText> texts_;
    TLevelBars* NapStatPB = nullptr;
    TLevelBars* PrijemStatPB = nullptr;
    QPushButton* SaveNetLocBtn = nullptr;
};

// True when model can name a picture file: not empty, not "." or "..", and
// without a folder separator.
bool IsPlainPictureName(const std::string& model);

}  // namespace parlenko::ui
