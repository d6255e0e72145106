#include "ui/controls/file_choice.h"

#include "ui/controls/message_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace parlenko::ui {
namespace {

QString AskWithDialog(QWidget* parent, const TFileChoice::SaveQuestion& q) {
    QFileDialog dialog(parent, q.Title, q.Folder, q.Filter);
    dialog.setObjectName("ImenaSaveDlg");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(q.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString AskFolderWithDialog(QWidget* parent, const QString& caption) {
    return QFileDialog::getExistingDirectory(parent, caption);
}

}  // namespace

ExportFileType CsvFiles() { return {"Comma Separated Values (*.csv)", "csv"}; }
ExportFileType XmlFiles() { return {"Extended Markup Language (*.xml)", "xml"}; }
ExportFileType BusinessCardFiles() { return {"Business Card (*.vcf)", "vcf"}; }
ExportFileType VCalendarFiles() { return {"vCalendar (*.vcs)", "vcs"}; }

TFileChoice::TFileChoice() : askFileName_(AskWithDialog), askFolder_(AskFolderWithDialog) {}

QString MakeExportFolder(const QString& exeDir) {
    const QString folder = QDir(exeDir).filePath("Export");
    QDir().mkpath(folder);
    return folder;
}

QString TFileChoice::ListFile(QWidget* parent, const QString& title, const QString& exeDir,
                              const ExportFileType& type) {
    QString file = askFileName_(parent, {title, MakeExportFolder(exeDir), QString(), type.Filter});
    if (file.isEmpty()) return {};
    if (QFileInfo(file).suffix().isEmpty()) {
        if (!file.endsWith('.')) file += '.';
        file += type.Extension;
    }
    return file;
}

QString TFileChoice::ItemFile(QWidget* parent, const QString& title, const QString& exeDir,
                              const QString& offeredName, const ExportFileType& type) {
    SaveQuestion q{title, MakeExportFolder(exeDir), offeredName, type.Filter};
    for (;;) {
        QString file = askFileName_(parent, q);
        if (file.isEmpty()) return {};
        const QString ending = "." + type.Extension;
        if (!file.toLower().endsWith(ending)) file += ending;
        const QFileInfo info(file);
        if (!info.exists() || info.isDir() ||
            Ask(parent, title,
                info.fileName() + " already exists.\n\nDo you want to replace it?") ==
                DialogResult::Yes)
            return file;
        q.Folder = info.absolutePath();
        q.FileName = info.fileName();
    }
}

QString TFileChoice::Folder(QWidget* parent, const QString& caption) {
    return askFolder_(parent, caption);
}

bool WrittenOrReported(QWidget* parent, const exchange::WriteResult& written) {
    if (written.ok()) return true;
    ShowError(parent, QStringLiteral("Error"), QString::fromStdString(written.error));
    return false;
}

}  // namespace parlenko::ui
