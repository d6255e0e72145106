#pragma once
// The sub-page "Logotip" of the advanced page: the phone's operator logo or
// screensaver picture (read, delete, save as a BMP file) and the BMP files
// of the PC (shown with their size, uploaded as the phone's picture). The
// phone side shows what the engine tells (ILogoView) and starts everything
// through PhoneEngine.

#include "engine/objects/logo_view.h"

#include <QImage>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TPcFileList;

class TLogoPage : public QWidget, public ILogoView {
    Q_OBJECT
public:
    // logosDir: the program's own logo folder, offered in the folder box and
    // by the save dialog.
    TLogoPage(PhoneEngine& engine, const QString& logosDir, QWidget* parent = nullptr);
    ~TLogoPage() override;

    // The sub-page was opened: the phone size text, and the logo read unless
    // one is shown.
    void PageShown();

    // Handlers, by their controls.
    void RefLogBtnClick();
    void DelLogBtnClick();
    void SaveToBmpBtnClick();
    void LogoListViewChange();
    void UploadLogBtnClick();
    void SaveLogoMemCBChange();

    // --- ILogoView
    void LogoKindsChanged(const ObjectCapabilitiesView& view) override;
    void ShowLogo(const std::string& path) override;
    void ShowNoLogo(const std::string& text) override;

    TPcFileList& LogoFiles() { return *logoFiles_; }
    // 0 until a logo of the phone was shown (Tag of MobLogImage).
    int MobLogImageTag() const { return mobLogTag_; }
    // The picture chosen on the PC, as loaded (null when none).
    const QImage& CompLogPicture() const { return compPicture_; }

signals:
    // A success for the main window's status notice.
    void StatusMessageRequested(const QString& text);

private:
    QComboBox* LogosCB = nullptr;
    QLabel* MobLogImage = nullptr;
    QLabel* MobLogSizeLab = nullptr;
    QPushButton* RefLogBtn = nullptr;
    QPushButton* DelLogBtn = nullptr;
    QPushButton* SaveToBmpBtn = nullptr;
    QLabel* CompLogImage = nullptr;
    QLabel* PicSizeLab = nullptr;
    QLabel* PicMaxSizeLab = nullptr;
    QComboBox* SaveLogoMemCB = nullptr;
    QPushButton* UploadLogBtn = nullptr;

    void BuildPhoneSide();
    void BuildPcSide(const QString& logosDir);
    void ConnectHandlers();
    void ClearCompPicture();

    PhoneEngine& engine_;
    QString logosDir_;
    TPcFileList* logoFiles_ = nullptr;
    QString phoneLogoPath_;  // the phone's logo as it gave it
    QImage compPicture_;
    int mobLogTag_ = 0;
};

}  // namespace parlenko::ui
