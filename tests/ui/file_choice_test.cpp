// The file choice of the exports: the folder it opens in, the extension
// rules of its two forms and the question before replacing a file.

#include "ui/controls/file_choice.h"

#include "tests/ui/ui_test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::TempHome;

// Answers the save dialog from a list, "" (cancel) once it is used up.
struct ScriptedDialog {
    explicit ScriptedDialog(TFileChoice& choice) {
        choice.SetSaveDialog([this](QWidget*, const TFileChoice::SaveQuestion& q) {
            asked.push_back(q);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    QStringList answers;
    std::vector<TFileChoice::SaveQuestion> asked;
};

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(FileChoice, AListFileOpensInTheExportFolderAndTakesTheTypesExtension) {
    testing::App();
    TempHome home;
    TFileChoice choice;
    ScriptedDialog dialog(choice);
    const QString folder = home.QDir() + "Export";
    dialog.answers = {folder + "/book", folder + "/book.txt", folder + "/book.XML", ""};
    EXPECT_EQ(choice.ListFile(nullptr, "Export phonebook to . . .", home.QDir(), CsvFiles()),
              folder + "/book.csv");
    EXPECT_EQ(choice.ListFile(nullptr, "t", home.QDir(), XmlFiles()), folder + "/book.txt");
    EXPECT_EQ(choice.ListFile(nullptr, "t", home.QDir(), XmlFiles()), folder + "/book.XML");
    EXPECT_EQ(choice.ListFile(nullptr, "t", home.QDir(), XmlFiles()), "");  // cancelled
    ASSERT_EQ(dialog.asked.size(), 4u);
    EXPECT_EQ(dialog.asked[0].Title, "Export phonebook to . . .");
    EXPECT_EQ(dialog.asked[0].Folder, folder);
    EXPECT_EQ(dialog.asked[0].FileName, "");
    EXPECT_EQ(dialog.asked[0].Filter, "Comma Separated Values (*.csv)");
    EXPECT_EQ(dialog.asked[1].Filter, "Extended Markup Language (*.xml)");
    EXPECT_TRUE(QDir(folder).exists());
}

TEST(FileChoice, AnItemFileEndsInItsExtensionAndAsksBeforeReplacing) {
    testing::App();
    TempHome home;
    TFileChoice choice;
    ScriptedDialog dialog(choice);
    const QString folder = home.QDir() + "Export/";
    dialog.answers = {folder + "Card.VCF", folder + "card.txt", folder + "card.vcf",
                      folder + "card"};
    for (const char* expected : {"Card.VCF", "card.txt.vcf", "card.vcf", "card.vcf"})
        EXPECT_EQ(choice.ItemFile(nullptr, "t", home.QDir(), "Ana", BusinessCardFiles()),
                  folder + expected);
    EXPECT_EQ(dialog.asked[0].FileName, "Ana");
    EXPECT_EQ(dialog.asked[0].Filter, "Business Card (*.vcf)");

    // An existing file: Yes takes it; No shows the dialog again with that name.
    Touch(folder + "card.vcs");
    dialog.asked.clear();
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        dialog.answers = {folder + "card"};
        EXPECT_EQ(choice.ItemFile(nullptr, "Save as \"vCalendar\" to . . .", home.QDir(), "x",
                                  VCalendarFiles()),
                  folder + "card.vcs");
        ASSERT_EQ(yes.Seen().size(), 1u);
        EXPECT_EQ(yes.Seen()[0].caption, "Save as \"vCalendar\" to . . .");
        EXPECT_TRUE(yes.Seen()[0].text.startsWith("card.vcs already exists."))
            << yes.Seen()[0].text.toStdString();
    }
    {
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        dialog.answers = {folder + "card.vcs", folder + "other"};
        EXPECT_EQ(choice.ItemFile(nullptr, "t", home.QDir(), "x", VCalendarFiles()),
                  folder + "other.vcs");
        EXPECT_EQ(no.Seen().size(), 1u);
        ASSERT_EQ(dialog.asked.size(), 3u);
        EXPECT_EQ(dialog.asked[2].FileName, "card.vcs");
    }
}

}  // namespace
}  // namespace parlenko::ui
