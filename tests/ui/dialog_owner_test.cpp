// Every dialog and message box belongs to (is transient for) the window
// that opens it, so that the window manager shows it in front of that
// window: the main window's and its pages' dialogs belong to the main
// window, the entry dialog's country picker to the entry dialog, and the
// dialogs the exchange windows open (the entry dialog, the folder choice,
// the appointment editor, their message boxes) to the exchange window,
// although the same dialogs belong to the main window when a page opens
// them. The main window against the simulated S45 with both exchanges over
// a store in the data folder, as the program builds them.

#include "engine/session/phone_engine.h"
#include "exchange/store/outlook_store.h"
#include "tests/ui/main_window_rig.h"
#include "tests/ui/store_rig.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialogs/info_form.h"
#include "ui/dialogs/status_frm.h"
#include "ui/exchange/outlook_app_form.h"
#include "ui/exchange/outlook_cont_form.h"
#include "ui/exchange/store_session.h"
#include "ui/pages/barring_page.h"
#include "ui/pages/divert_page.h"
#include "ui/pages/locks_page.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace parlenko::ui {
namespace {

using testing::Find;
using testing::Pump;
using testing::PumpUntil;
namespace st = exchange::store;

// A dialog shown and the window it belongs to, by their object names.
struct Opened {
    QString dialog;
    QString owner;
    friend bool operator==(const Opened&, const Opened&) = default;
};

std::ostream& operator<<(std::ostream& out, const Opened& o) {
    return out << o.dialog.toStdString() << " of " << o.owner.toStdString();
}

// While it lives, each dialog shown is noted with its owner and then handled
// by the handler of its name, else closed: a message box by "No" (or "OK"),
// any other dialog as by Escape. Dialogs shown before it was made, and the
// progress window, are left.
class DialogCatcher {
public:
    using Handler = std::function<void(QDialog&)>;
    explicit DialogCatcher(std::map<QString, Handler> handlers = {})
        : handlers_(std::move(handlers)) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) before_.insert(w);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
        timer_.start();
    }
    const std::vector<Opened>& Seen() const { return seen_; }

    static void Close(QDialog& d) {
        if (auto* box = qobject_cast<TMessageDialog*>(&d)) {
            auto* no = box->findChild<QPushButton*>("No");
            (no != nullptr ? no : box->findChild<QPushButton*>("OK"))->click();
            return;
        }
        d.reject();
    }

private:
    static QString OwnerOf(const QDialog& d) {
        const QWindow* owner =
            d.windowHandle() != nullptr ? d.windowHandle()->transientParent() : nullptr;
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (owner != nullptr && w->windowHandle() == owner) return w->objectName();
        return QStringLiteral("(none)");
    }
    void Check() {
        // A dialog shown again counts again (one made for a single use is gone).
        std::erase_if(handled_, [](const QPointer<QDialog>& d) { return !d || !d->isVisible(); });
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows) {
            auto* d = qobject_cast<QDialog*>(w);
            // The progress window comes and goes with the work: left alone.
            if (d == nullptr || !d->isVisible() || before_.count(d) ||
                d->objectName() == QLatin1String("CitamForm") ||
                std::find(handled_.begin(), handled_.end(), d) != handled_.end())
                continue;
            handled_.emplace_back(d);
            seen_.push_back({d->objectName(), OwnerOf(*d)});
            // From the event loop, not from this timer's slot: a dialog the
            // handler opens in turn is seen by the timer while it waits.
            const auto h = handlers_.find(d->objectName());
            const Handler handler = h != handlers_.end() ? h->second : Handler(&Close);
            QTimer::singleShot(0, d, [d, handler] { handler(*d); });
        }
    }
    std::map<QString, Handler> handlers_;
    std::set<QWidget*> before_;
    std::vector<QPointer<QDialog>> handled_;
    std::vector<Opened> seen_;
    QTimer timer_;
};

struct OwnerRig : testing::MainWindowRig {
    OwnerRig()
        : MainWindowRig({.prepareHome = [](const std::string& dir) {
              // A contact with a plain name and a subfolder, and an appointment.
              st::Application app(testing::StoreIn(dir));
              st::NameSpace ns = app.GetNamespace("MAPI");
              ns.Logon();
              testing::SaveContact(app, "Ivo Ivic", "0912345678");
              ns.GetDefaultFolder(st::olFolderContacts).GetFolders().Add("Posao", 10);
              st::AppointmentItem a = app.CreateItem(st::olAppointmentItem).AsAppointmentItem();
              a.SetSubject("Sastanak");
              a.SetCategories("Meeting");
              a.SetStart(st::LocalDateTime{2005, 3, 20, 10, 0, 0});
              a.Save();
          }}) {
        status.SetEnabledSource([] { return false; });
        glavna->SetStatusFrm(&status);
        glavna->SetInfoForm(&info);
        glavna->SetCitamForm(&citam);
        glavna->SetOutlookAppForm(&calendar);
        glavna->SetContactsExchange(&contacts);
        QObject::connect(&contacts, &TOutlookContForm::NewEntryFromContact, glavna.get(),
                         &TGlavna::NewEntryFromContact);
        glavna->LoadOptions();
    }
    ~OwnerRig() {
        glavna->SetOutlookAppForm(nullptr);
        glavna->SetContactsExchange(nullptr);
        CloseMainWindow();
    }
    bool ConnectAndRead() {
        glavna->show();
        glavna->activateWindow();
        if (!QTest::qWaitForWindowActive(glavna.get()) || !WaitConnected() || !Idle()) return false;
        // Each page's first read, to its end.
        const std::pair<int, std::function<bool()>> reads[] = {
            {2, [&] { return engine.PhonebookReadComplete(); }},
            {3, [&] { return engine.SmsList().size() == 12; }},
            {4, [&] { return List("CallsMissList").topLevelItemCount() > 0; }},
            {5, [&] { return glavna->AppointmentRows() > 0; }},
        };
        for (const auto& [tag, done] : reads) {
            DialogCatcher no;  // the SMS page's "Read it now?" the phonebook
            glavna->OutBarBtn1Click(tag);
            if (!PumpUntil(done, 30000) || !Idle()) return false;
        }
        return true;
    }
    // The dialogs act opens (each closed as it shows).
    std::vector<Opened> Opens(const std::function<void()>& act,
                              std::map<QString, DialogCatcher::Handler> handlers = {}) {
        DialogCatcher catcher(std::move(handlers));
        act();
        Pump(100);
        return catcher.Seen();
    }
    void Trigger(const char* action) { Find<QAction>(*glavna, action).trigger(); }
    QTreeWidget& List(const char* name) { return Find<QTreeWidget>(*glavna, name); }
    // The first row of list, selected as a click selects it.
    void SelectFirst(const char* list) {
        QTreeWidget& l = List(list);
        glavna->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(glavna.get()));
        l.setFocus();
        l.setCurrentItem(l.topLevelItem(0));
        l.topLevelItem(0)->setSelected(true);
    }
    // An exchange window as the program shows it: modal, in front.
    void ShowModal(QDialog& exchange) {
        exchange.setWindowModality(Qt::ApplicationModal);
        exchange.show();
        Pump(50);
    }

    const std::string dataDir = home.Dir();
    TStoreSession session{[this] { return testing::StoreIn(dataDir); }};
    TStatusFrm status{glavna.get()};
    TInfoForm info{glavna.get()};
    TOutlookAppForm calendar{glavna.get(), engine, glavna->AppointmentsPage(), session, &citam};
    TOutlookContForm contacts{glavna.get(), engine, session, &citam};
};

Opened Of(const char* dialog, const char* owner) {
    return {QString::fromLatin1(dialog), QString::fromLatin1(owner)};
}

TEST(DialogOwner, ThePagesDialogsBelongToTheMainWindow) {
    OwnerRig rig;
    ASSERT_TRUE(rig.ConnectAndRead());
    using V = std::vector<Opened>;
    const Opened box = Of("MessageDialog", "Glavna");

    EXPECT_EQ(rig.Opens([&] { rig.Trigger("Opcije1"); }), V{Of("OptionsForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("Oprogramu1"); }), V{Of("InfoForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("Snimilokacijumreze1"); }),
              V{Of("SaveNetForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("Izlaz1"); }), V{box});  // "No": it stays

    // The phonebook page; the entry dialog's country picker is the entry dialog's.
    rig.glavna->OutBarBtn1Click(2);
    rig.SelectFirst("ImenikList");
    const auto pickCountry = [](QDialog& entry) {
        Find<QPushButton>(entry, "Button3").click();
        entry.reject();
    };
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("UpisImeTB"); }, {{"UpisImenik", pickCountry}}),
              (V{Of("UpisImenik", "Glavna"), Of("ZemljeForm", "UpisImenik")}));
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("PozoviBrojTB"); }), V{Of("DialForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("NewSmsIme1TB"); }), V{Of("SmsForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("BrisanjeImeTB"); }), V{box});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("SnimikaoBusinessCard1"); }),
              V{Of("ImenaSaveDlg", "Glavna")});

    // The SMS page.
    rig.glavna->OutBarBtn1Click(3);
    rig.SelectFirst("SMSListIn");
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("IzmjenaSmsInTB"); }), V{Of("SmsForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("DialPhoneSmsInTB"); }), V{Of("DialForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("BrisanjeSmsInTB"); }), V{box});
    rig.SelectFirst("SMSListOut");
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("SlanjeSmsOutTB"); }), V{box});

    // The call lists.
    rig.glavna->OutBarBtn1Click(4);  // read again
    ASSERT_TRUE(
        PumpUntil([&] { return rig.List("CallsMissList").topLevelItemCount() > 0; }, 20000) &&
        rig.Idle());
    rig.SelectFirst("CallsInList");
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(*rig.glavna, "SB1").click(); }), V{box});
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(*rig.glavna, "SB6").click(); }),
              V{Of("DialForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(*rig.glavna, "SB4").click(); }),
              V{Of("ImenaSaveDlg", "Glavna")});

    // The appointments.
    rig.glavna->OutBarBtn1Click(5);
    rig.SelectFirst("AppointmentsList");
    EXPECT_EQ(rig.Opens([&] { Find<QAbstractButton>(*rig.glavna, "NewAppTB").click(); }),
              V{Of("AppointmentForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { Find<QAbstractButton>(*rig.glavna, "DeleteAppTB").click(); }),
              V{box});

    // The diverts, barrings, locks and security codes.
    rig.glavna->OutBarBtn1Click(6);
    EXPECT_EQ(rig.Opens([&] { Find<TDivertPage>(*rig.glavna, "DivertPage").DivertBtnClick(); }),
              V{Of("DivertForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { Find<TBarringPage>(*rig.glavna, "BarringPage").BarringBtnClick(); }),
              V{Of("BarringForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { Find<TLocksPage>(*rig.glavna, "LocksPage").LockBtnClick(); }),
              V{Of("ChangeLockForm", "Glavna")});
    EXPECT_EQ(rig.Opens([&] { Find<TLocksPage>(*rig.glavna, "LocksPage").Button3Click(); }),
              V{Of("ChangePinForm", "Glavna")});
}

TEST(DialogOwner, TheExchangeWindowsDialogsBelongToThem) {
    OwnerRig rig;
    ASSERT_TRUE(rig.ConnectAndRead());
    using V = std::vector<Opened>;

    // The contacts exchange: the entry dialog of the phone, the folder choice
    // and the folder choice's question.
    ASSERT_TRUE(rig.contacts.OpenStore());
    rig.ShowModal(rig.contacts);
    QTreeWidget& contactList = Find<QTreeWidget>(rig.contacts, "ContactsList");
    ASSERT_GT(contactList.topLevelItemCount(), 0);
    contactList.setCurrentItem(contactList.topLevelItem(0));
    Find<QRadioButton>(rig.contacts, "MobRB").click();
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(rig.contacts, "SaveBtn").click(); }),
              V{Of("UpisImenik", "OutlookContForm")});
    const auto deleteFolder = [](QDialog& folders) {
        QTreeWidget& tree = Find<QTreeWidget>(folders, "OutFoldersTV");
        tree.setCurrentItem(tree.topLevelItem(0)->child(0));
        Find<QPushButton>(folders, "Button3").click();
        folders.reject();
    };
    Find<QPushButton>(rig.contacts, "OutSelectAllBtn").click();
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(rig.contacts, "OutSaveBtn").click(); },
                        {{"OutFoldersForm", deleteFolder}}),
              (V{Of("OutFoldersForm", "OutlookContForm"), Of("MessageDialog", "OutFoldersForm")}));
    rig.contacts.reject();

    // The same entry dialog, opened by the phonebook page: the main window's.
    rig.glavna->OutBarBtn1Click(2);
    EXPECT_EQ(rig.Opens([&] { rig.Trigger("UpisImeTB"); }), V{Of("UpisImenik", "Glavna")});

    // The calendar exchange: the appointment editor, and its message.
    ASSERT_TRUE(rig.calendar.OpenStore());
    rig.ShowModal(rig.calendar);
    QTreeWidget& outlook = Find<QTreeWidget>(rig.calendar, "OutAppointList");
    ASSERT_GT(outlook.topLevelItemCount(), 0);
    outlook.setCurrentItem(outlook.topLevelItem(0));
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(rig.calendar, "SaveBtn").click(); }),
              V{Of("AppointmentForm", "OutlookAppForm")});
    QTreeWidget& phone = Find<QTreeWidget>(rig.calendar, "MobAppointList");
    ASSERT_GT(phone.topLevelItemCount(), 0);
    phone.setCurrentItem(phone.topLevelItem(0));
    phone.topLevelItem(0)->setSelected(true);
    EXPECT_EQ(rig.Opens([&] { Find<QPushButton>(rig.calendar, "OutSaveBtn").click(); }),
              V{Of("MessageDialog", "OutlookAppForm")});
    rig.calendar.reject();
}

}  // namespace
}  // namespace parlenko::ui
