// The phonebook page's exports without a phone: the phonebook comes from the
// cache file, the save and folder dialogs are answered by the test.

#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "exchange/formats/atomic_file.h"
#include "exchange/formats/exports.h"
#include "exchange/formats/phonebook_file.h"
#include "phonesim/state.h"
#include "tests/support/sim_serial_device.h"
#include "tests/ui/ui_test_support.h"
#include "ui/base/qt_scheduler.h"
#include "ui/main_window/glavna.h"
#include "ui/main_window/window_host.h"
#include "ui/pages/phonebook_page.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace parlenko::ui {
namespace {

using testing::DialogWatcher;
using testing::Find;

const std::vector<exchange::PhonebookFileEntry> kCache = {
    {"Ana!", "091", "SIM card", "001"},
    {"Doe; John", "092", "Mobile memory", "002"},
    {".hid", "093", "Own numbers", "001"},
};

struct ExportRig {
    ExportRig() {
        (void)exchange::SavePhonebookFile(home.Dir(), kCache);
        TFolders folders{home.QDir(), testing::BuiltImagesDir(), home.QDir() + "Melodies/",
                         home.QDir() + "Logos"};
        glavna = std::make_unique<TGlavna>(engine, folders, home.QDir() + "Parlenko.ini");
        host.SetMainWindow(glavna.get());
        page = &Find<TImenikPage>(*glavna, "ImenikPage");
        page->AllNumTBClick(0);
        page->FileChoice().SetSaveDialog([this](QWidget*, const TFileChoice::SaveQuestion& q) {
            asked.push_back(q);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        page->FileChoice().SetFolderDialog([this](QWidget*, const QString& caption) {
            folderCaption = caption;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        QObject::connect(page, &TImenikPage::StatusMessage,
                         [this](const std::string& text) { status = text; });
    }
    ~ExportRig() { host.SetMainWindow(nullptr); }
    QString Export() const { return home.QDir() + "Export/"; }
    std::string Read(const QString& path) const {
        return exchange::ReadFileBytes(path.toStdString()).value_or("(missing)");
    }
    void Select(const QString& caption) {
        auto& list = Find<QTreeWidget>(*page, "ImenikList");
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = list.topLevelItem(i);
            if (row->text(0) != caption) continue;
            list.setCurrentItem(row);
            row->setSelected(true);
            return;
        }
        ADD_FAILURE() << caption.toStdString();
    }
    void Trigger(const char* action) { Find<QAction>(*page, action).trigger(); }

    struct AppFirst {
        AppFirst() { testing::App(); }
    } app;
    testing::TempHome home;
    QtScheduler sched;
    parlenko::testing::SimSerialDevice device{
        sched, phonesim::LoadStateFile(PARLENKO_SOURCE_DIR "/tests/data/s45.state")};
    TSerialPortDriver port{device, sched};
    TWindowHost host;
    PhoneEngine engine{port, sched, host};
    std::unique_ptr<TGlavna> glavna;
    TImenikPage* page = nullptr;
    QStringList answers;
    std::vector<TFileChoice::SaveQuestion> asked;
    QString folderCaption;
    std::string status;
};

TEST(PhonebookExports, TheExportButtonIsADropDownWhoseClickWritesTheCsv) {
    ExportRig rig;
    TImenikPage& p = *rig.page;
    ASSERT_FALSE(rig.engine.Connected());
    auto& popup = Find<QMenu>(p, "ExpImePopup");
    auto& csv1 = Find<QAction>(p, "CommaSeparatedValuesCSV1");
    auto& xml1 = Find<QAction>(p, "ExtendedMarkupLanguageXML1");
    auto& vcf1 = Find<QAction>(p, "vCardVCF1");
    auto& exportButton = Find<QAction>(p, "ExpImeTB");
    ASSERT_EQ(popup.actions(), (QList<QAction*>{&csv1, &xml1, &vcf1}));
    EXPECT_EQ(csv1.text(), "&Comma Separated Values   (*.csv)");
    EXPECT_EQ(xml1.text(), "&Extended Markup Language   (*.xml)");
    EXPECT_EQ(vcf1.text(), "&Business Card   (*.vcf)");
    EXPECT_EQ(popup.defaultAction(), &csv1);
    EXPECT_TRUE(csv1.font().bold());
    auto* button =
        qobject_cast<QToolButton*>(Find<QToolBar>(p, "ToolBar2").widgetForAction(&exportButton));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(exportButton.menu<QMenu*>(), &popup);

    // "book" typed: Export/book.csv, the list order, the VIP "!" kept.
    const std::string csv =
        "NO;NAME;PHONE;LOCATION;POSITION\r\r\n"
        "1;Ana!;'091;SIM card;001\r\n"
        "2;\"Doe; John\";'092;Mobile memory;002\r\n"
        "3;.hid;'093;Own numbers;001\r\n";
    rig.answers = {rig.Export() + "book"};
    button->click();
    ASSERT_EQ(rig.asked.size(), 1u);
    EXPECT_EQ(rig.asked[0].Title, "Export phonebook to . . .");
    EXPECT_EQ(rig.asked[0].Folder, rig.home.QDir() + "Export");
    EXPECT_EQ(rig.asked[0].FileName, "");
    EXPECT_EQ(rig.asked[0].Filter, "Comma Separated Values (*.csv)");
    EXPECT_EQ(rig.Read(rig.Export() + "book.csv"), csv);

    // Cancelled: nothing written. Again to the same file: replaced, no question.
    csv1.trigger();
    EXPECT_EQ(QDir(rig.Export()).entryList(QDir::Files), QStringList{"book.csv"});
    exchange::WriteResult old =
        exchange::WriteFileAtomically(rig.Export().toStdString() + "book.csv", "old");
    ASSERT_TRUE(old.ok());
    {
        DialogWatcher watcher;
        rig.answers = {rig.Export() + "book.csv"};
        exportButton.trigger();
        EXPECT_TRUE(watcher.Seen().empty());
    }
    EXPECT_EQ(rig.Read(rig.Export() + "book.csv"), csv);
    EXPECT_EQ(rig.status, "");

    rig.answers = {rig.Export() + "book"};
    xml1.trigger();
    EXPECT_EQ(rig.asked.back().Filter, "Extended Markup Language (*.xml)");
    EXPECT_EQ(rig.Read(rig.Export() + "book.xml"), exchange::PhonebookXmlText(kCache));
}

TEST(PhonebookExports, VCardsGoToTheChosenFolderOneFilePerEntry) {
    ExportRig rig;
    const QString cards = rig.home.QDir() + "cards";
    QDir().mkpath(cards);
    rig.answers = {cards};
    rig.Trigger("vCardVCF1");
    EXPECT_EQ(rig.folderCaption, "Choose folder where you want to export phonebook . . .");
    EXPECT_TRUE(rig.asked.empty());
    EXPECT_TRUE(QDir(rig.Export()).exists());
    QStringList files = QDir(cards).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{"Ana!.vcf", "Doe; John.vcf", "_.hid.vcf"}));
    EXPECT_EQ(rig.Read(cards + "/Doe; John.vcf"),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe\\; John\r\nFN:Doe; John\r\n"
              "TEL;HOME;VOICE:092\r\nEND:VCARD\r\n");
    EXPECT_EQ(rig.status, "");

    // Cancelled: nothing more.
    rig.Trigger("vCardVCF1");
    EXPECT_EQ(QDir(cards).entryList(QDir::Files).size(), 3);
}

TEST(PhonebookExports, BusinessCardOfTheSelectedRow) {
    ExportRig rig;
    TImenikPage& p = *rig.page;
    rig.Select("Ana");
    rig.answers = {rig.Export() + "Ana"};
    p.SnimikaoBusinessCard1Click();
    ASSERT_EQ(rig.asked.size(), 1u);
    EXPECT_EQ(rig.asked[0].Title, "Save as \"Business Card\" to . . .");
    EXPECT_EQ(rig.asked[0].FileName, "Ana");
    EXPECT_EQ(rig.asked[0].Filter, "Business Card (*.vcf)");
    EXPECT_EQ(rig.asked[0].Folder, rig.home.QDir() + "Export");
    EXPECT_EQ(rig.Read(rig.Export() + "Ana.vcf"), exchange::VCardText("Ana", "091"));
    EXPECT_EQ(rig.status, "Phonebook entry succesfully saved as \"Business Card\"!");

    // The file is there: No brings the dialog back (cancelled here), Yes replaces it.
    rig.status.clear();
    rig.Select(".hid");
    {
        DialogWatcher no([](TMessageDialog& d) { DialogWatcher::Press(d, "No"); });
        rig.answers = {rig.Export() + "Ana.vcf"};
        p.SnimikaoBusinessCard1Click();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, "Save as \"Business Card\" to . . .");
    }
    EXPECT_EQ(rig.asked[1].FileName, "_.hid");
    EXPECT_EQ(rig.asked[2].FileName, "Ana.vcf");
    EXPECT_EQ(rig.status, "");
    EXPECT_EQ(rig.Read(rig.Export() + "Ana.vcf"), exchange::VCardText("Ana", "091"));
    {
        DialogWatcher yes([](TMessageDialog& d) { DialogWatcher::Press(d, "Yes"); });
        rig.answers = {rig.Export() + "ANA.vcf.txt", rig.Export() + "Ana.VCF"};
        p.SnimikaoBusinessCard1Click();  // a new file, no question
        p.SnimikaoBusinessCard1Click();  // "Ana.VCF" is not "Ana.vcf" here: no question either
        EXPECT_TRUE(yes.Seen().empty());
    }
    EXPECT_EQ(rig.Read(rig.Export() + "ANA.vcf.txt.vcf"), exchange::VCardText(".hid", "093"));
    EXPECT_EQ(rig.Read(rig.Export() + "Ana.VCF"), exchange::VCardText(".hid", "093"));
    EXPECT_EQ(rig.status, "Phonebook entry succesfully saved as \"Business Card\"!");
}

TEST(PhonebookExports, AnUnwritableTargetShowsTheErrorAndLeavesNoFile) {
    ExportRig rig;
    const QString plain = rig.home.QDir() + "plain";
    ASSERT_TRUE(exchange::WriteFileAtomically(plain.toStdString(), "x").ok());
    rig.Select("Ana");
    DialogWatcher watcher;
    rig.answers = {plain + "/book", plain + "/cards", plain + "/card"};
    rig.Trigger("CommaSeparatedValuesCSV1");
    rig.Trigger("vCardVCF1");
    rig.page->SnimikaoBusinessCard1Click();
    ASSERT_EQ(watcher.Seen().size(), 3u);
    for (const auto& seen : watcher.Seen()) {
        EXPECT_EQ(seen.caption, "Error");
        EXPECT_TRUE(seen.text.contains(plain)) << seen.text.toStdString();
    }
    EXPECT_EQ(rig.status, "");
    EXPECT_EQ(QDir(rig.home.QDir()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Phonebook.dat", "plain"}));
}

}  // namespace
}  // namespace parlenko::ui
