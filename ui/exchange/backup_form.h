#pragma once
// TBackupForm: the eleven-page wizard that copies the phonebook into a ".pbb"
// backup file (optionally after reading the phone again) or writes the
// entries of an earlier backup back into the phone. The main window creates
// it once and opens it modally (exec). It is the engine's backup view: the
// re-read's mirror, the restore's labels and the ends of both runs come
// through it; every operation goes through PhoneEngine.

#include "engine/phonebook/backup_view.h"
#include "ui/controls/small_window.h"

#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace parlenko {
class PhoneEngine;
}  // namespace parlenko

namespace parlenko::ui {

class TBackupForm : public ui::TSmallWindow, public IBackupView {
    Q_OBJECT
public:
    // dataDir: the program's data folder (with its closing '/'), where
    // "BackupPaths.bup" and the default "Backup" folder live.
    TBackupForm(QWidget* mainWindow, PhoneEngine& engine, QString dataDir);
    ~TBackupForm() override;

    // Pages of Notebook1.
    enum Page {
        Start = 0,
        Backup1,
        Backup2,
        Backup3,
        Backup4,
        BackupEnd,
        Restore1,
        Restore2,
        Restore3,
        Restore4,
        Restore5,
    };

    // The engine's backup view.
    void BackupReadProgressChanged(const BackupReadView& view) override;
    void BackupRefreshFinished() override;
    void BackupRefreshFailed() override;
    void PhonebookReadFinished() override;
    void RestoreProgressChanged(const RestoreProgressView& view) override;
    void RestoreFinished(const RestoreOutcome& outcome) override;

    // Escape, Cancel and the title bar's close: the wizard closes, except
    // while a run drives it (the re-read, the restore), when it has no way
    // out; the run's end turns the page.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void BuildHeader();
    void BuildButtons();
    QWidget* AddPage();
    void BuildStartPage();
    void BuildBackupPages();
    void BuildRestorePages();
    // A run's page: three values beside their captions (the memory, a
    // count, the entry), then the position line, the bar and the percentage.
    // The backup's re-read and the restore each have one.
    struct RunView {
        std::array<QLabel*, 3> captions{};
        std::array<QLabel*, 3> values{};
        QLabel* position = nullptr;
        QProgressBar* bar = nullptr;
        QLabel* percent = nullptr;
        void Show(const std::array<QString, 3>& valueTexts, const QString& positionText, int value,
                  const QString& percentText) const;
    };
    // A value's caption, its name and width.
    struct RunValue {
        const char* caption;
        const char* name;
        int width;
    };
    // The values from y down, 24 apart; the progress's names, from
    // progressY down.
    RunView Run(QWidget* page, int y, const std::array<RunValue, 3>& rows, const char* position,
                const char* bar, const char* percent, int progressY);
    void FormShow();
    void Notebook1PageChanged();
    void TurnTo(int page);
    void NextBtnClick();
    void PrevBtnClick();
    void CB1Click();
    // The location page's Next: a folder and a name, and the phone
    // connected when it is to be read again first (Edit1Change and
    // RefreshCBClick).
    void UpdateLocationNext();
    void BrowseBtnClick();
    void RefreshBtnClick();
    void BackupListChange();
    void RestoreListClick();
    void SelectionCBClick();
    void LoadBackupList();
    bool LoadRestoreList();
    void ConfirmBackupSettings();
    void StartBackup();
    void ConfirmRestoreSettings();
    void StartRestore();
    std::vector<RestoreRow> CheckedRows() const;
    RestoreMode Mode() const;
    // Writes the backup file and adds it to the list; false (after a box)
    // when a file could not be written.
    bool WriteBackupFile();
    void ShowNotWritten(const std::vector<RestoreFailure>& entries);

    QLabel* Label1 = nullptr;  // page title
    QLabel* Label2 = nullptr;  // page description
    QStackedWidget* Notebook1 = nullptr;
    QPushButton* PrevBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QRadioButton* BackupRB = nullptr;
    QRadioButton* RestoreRB = nullptr;
    QLabel* RefreshLab = nullptr;
    QPushButton* RefreshBtn = nullptr;
    // The memories to back up: SIM card, mobile memory, own numbers (CB1,
    // CB2, CB3).
    std::array<QCheckBox*, 3> memoryChecks_{};
    QLineEdit* Edit1 = nullptr;
    QPushButton* BrowseBtn = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* RefreshCB = nullptr;
    QPlainTextEdit* BackupMemo = nullptr;
    // MemLab, CapLab, WritenLab; PosLab, BackupProBar, PercLab.
    RunView backupRun_;
    QLabel* SuccessLab = nullptr;
    // After a restore: the entries not written, each with the phone's reason.
    QTreeWidget* NotWrittenList = nullptr;
    QTreeWidget* BackupList = nullptr;
    QTreeWidget* RestoreList = nullptr;
    QCheckBox* SelectionCB = nullptr;
    // The ways to restore: over the entries in the phone, or into free
    // places (RestoreMob1RB, RestoreMob2RB).
    std::array<QRadioButton*, 2> restoreWays_{};
    QPlainTextEdit* RestoreMemo = nullptr;
    QLabel* WayToRestoreLab = nullptr;
    // RestoreLokLab, ToWriteLab, RestNameLab (its caption WritingLab);
    // RestorePosLab, RestoreProgBar, RestPercLab.
    RunView restoreRun_;

    PhoneEngine& engine_;
    QString dataDir_;
    QString backupFolder_;  // BackupFolder: Edit1 with its closing '/'
};

}  // namespace parlenko::ui
