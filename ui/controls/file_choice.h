#pragma once
// The file choice of every export: the phonebook's CSV, XML and vCard files,
// the business card, the call lists and an appointment's vCalendar file. Each
// command creates the folder "Export" in the data folder and opens the save
// dialog there. The dialogs themselves are replaceable (tests answer them).

#include "exchange/formats/atomic_file.h"

#include <QString>

#include <functional>

class QWidget;

namespace parlenko::ui {

// A type of export file: the dialog's filter and the extension its files carry.
struct ExportFileType {
    QString Filter;     // "Comma Separated Values (*.csv)"
    QString Extension;  // "csv"
};
ExportFileType CsvFiles();
ExportFileType XmlFiles();
ExportFileType BusinessCardFiles();
ExportFileType VCalendarFiles();

class TFileChoice {
public:
    TFileChoice();

    // What the save dialog shows.
    struct SaveQuestion {
        QString Title;
        QString Folder;    // where it opens
        QString FileName;  // the name offered
        QString Filter;
    };
    // The save dialog: the file as the user gave it ("" when cancelled); it
    // neither adds an extension nor asks about replacing (the rules below
    // do). A QFileDialog named "ImenaSaveDlg" unless replaced.
    using SaveDialog = std::function<QString(QWidget* parent, const SaveQuestion& question)>;
    void SetSaveDialog(SaveDialog dialog) { askFileName_ = std::move(dialog); }
    // The folder dialog: the folder chosen, "" when cancelled.
    using FolderDialog = std::function<QString(QWidget* parent, const QString& caption)>;
    void SetFolderDialog(FolderDialog dialog) { askFolder_ = std::move(dialog); }

    // A whole list's file (phonebook CSV or XML, a call list): the dialog
    // opens in exeDir + "Export" (created first) with no name offered; a name
    // typed without an extension gets the type's ("book" -> "book.csv"), and
    // an existing file is replaced without asking. "" when cancelled.
    QString ListFile(QWidget* parent, const QString& title, const QString& exeDir,
                     const ExportFileType& type);
    // One item's file (business card, vCalendar): as ListFile, with the name
    // offered; "." + the extension is added unless the name already ends so,
    // read in lower case ("Card.VCF" stays, "card.txt" -> "card.txt.vcf"). An
    // existing file is replaced only when the user says so; otherwise the
    // dialog comes again.
    QString ItemFile(QWidget* parent, const QString& title, const QString& exeDir,
                     const QString& offeredName, const ExportFileType& type);
    // A folder, chosen with caption and no preset folder; "" when cancelled.
    QString Folder(QWidget* parent, const QString& caption);

private:
    SaveDialog askFileName_;
    FolderDialog askFolder_;
};

// The export folder of the data folder exeDir, created when missing.
QString MakeExportFolder(const QString& exeDir);

// A failed write shows its text in an error box; true when it was written.
bool WrittenOrReported(QWidget* parent, const exchange::WriteResult& written);

}  // namespace parlenko::ui
