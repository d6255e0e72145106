#pragma once
// The SMS page: the inbox (SMSListIn, newest first) and the outbox
// (SMSListOut, as stored) of both message memories, their counts, the
// detail panel of the current message, the two tool bars and the SMS menu.
// It is the engine's SMS view: the rows, counts and the new-message notice
// come from the engine. Each row carries its message's memory and position;
// the message itself is the engine's (PhoneEngine::SmsList). Every command
// takes the message the panel shows when the user starts it and goes to the
// engine with it.
//
// The compose window, the stored-message recipient window and the notice
// belong to the page; dialling and the phonebook's new entry it asks for by
// its signals.

#include "engine/phone/phone_memory.h"
#include "engine/sms/sms_view.h"
#include "ui/controls/row_menu_items.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QFocusEvent;
class QMouseEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::widgets {
class TFlatPanel;
}

namespace parlenko::ui {

class TNewSmsForm;
class TSmsForm;
class TSmsMemForm;

// Sub-item columns of the two lists (column 0 is the caption); all but the
// first two are hidden.
namespace sms_in {
inline constexpr int kDate = 1, kPosition = 2, kSmsc = 3, kNumber = 4, kTime = 5, kText = 6,
                     kLocation = 7, kColumns = 8;
}
namespace sms_out {
inline constexpr int kValidity = 1, kPosition = 2, kSmsc = 3, kNumber = 4, kText = 5, kLocation = 6,
                     kColumns = 7;
}

class TSmsPage : public QWidget, public ISmsView, public IRowMenuItems {
    Q_OBJECT
public:
    // mainWindow: the window the page's windows centre on.
    TSmsPage(PhoneEngine& engine, QWidget* mainWindow, QWidget* parent = nullptr);
    ~TSmsPage() override;

    // Puts the page's items into the main menu's SMS menu.
    void BuildMenu(QMenu* smsMenu);
    // Its items on the message shown.
    std::vector<QAction*> RowMenuItems() const override;

    // --- ISmsView
    void ClearSmsLists() override;
    void SetNameInSmsLists(const std::string& name, const std::string& number) override;
    void InsertSmsRow(SmsFolder folder, const SmsRow& row) override;
    void RemoveSmsRows(SmsFolder folder, const std::string& position,
                       const std::string& location) override;
    void SetSmsRowImage(SmsFolder folder, const std::string& position, const std::string& location,
                        int image) override;
    void SetSmsFolderCount(SmsFolder folder, const std::string& text) override;
    void ShowFirstSmsRows(SmsFolder current) override;
    void ShowNewSmsNotice(const NewSmsNotice& notice) override;
    void ComposedMessageDone(bool accepted) override;

    // --- what the main window gives
    // Whether deletes ask first ("Confirm Delete"), asked at each delete
    // (without a source they ask).
    void SetConfirmDeleteSource(std::function<bool()> confirm) {
        confirmDelete_ = std::move(confirm);
    }

    // --- handlers
    void SMSListInChange();
    void SMSListOutChange();
    void ListEnter(SmsFolder folder);
    void SMSListInExit();
    void SMSListOutExit();
    void ListClick(SmsFolder folder);
    // Newest first; a date or time that does not convert sorts last.
    static int SMSListInCompare(const AListSMS& a, const AListSMS& b);
    void SMSMemoChange();
    void Odgovorinaporuku1Click();
    // Quick answers, Tag 1..4.
    void OdgovorjeDA1Click(int tag);
    void Novaporuka1Click();
    // Templates, Tag 1..3.
    void Zakasnjenje1Click(int tag);
    void IzmjenaSmsInTBClick();
    void BrisanjeSmsInTBClick();
    void SlanjeSmsOutTBClick();
    void AddPhoneSmsInTBClick();
    void DialPhoneSmsInTBClick();
    void OsvjeziSmsInTBClick();
    // The phonebook page's buttons: a new message to the selected entry
    // (image 3 an entry, 4 a VIP entry, other rows preset nothing), and a
    // new message carrying the entry's name and number.
    void NewSmsIme1TBClick(const QString& caption, const QString& number, int image);
    void NewSmsIme2TBClick(const QString& caption, const QString& number);

    // The page's windows: the compose window, the recipient of a stored
    // message and the new-message notice (top-level windows of their own).
    TSmsForm& ComposeWindow() const { return *SmsForm; }
    TSmsMemForm& RecipientWindow() const { return *SmsMemForm; }
    TNewSmsForm& NoticeWindow() const { return *NewSmsForm; }

signals:
    // The dial sequence with the panel's name and number.
    void DialRequested(const QString& name, const QString& number);
    // The phonebook's entry dialog for a new entry with this number.
    void AddToPhonebookRequested(const QString& number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildHeaders();
    void BuildInboxTools();
    void BuildOutboxTools();
    void BuildDropDowns();
    void ConnectTools();
    void BuildLists();
    void BuildPanel();
    // The message the panel shows: its list, its record's memory caption
    // and position, and the name it shows (empty when none).
    struct ShownMessage {
        SmsFolder folder;
        std::string location;
        std::string position;
        QString name;
    };
    // The message the panel shows as a memory and position the engine's
    // commands take; nullopt when the panel names none.
    struct PanelMessage {
        PhoneMemory memory;
        std::string position;
    };
    QTreeWidget* List(SmsFolder folder) const;
    // The list's current row and its record, once the index, the buttons and
    // the panel's captions follow it; no record when the panel is not to
    // show it (the lists filling, no row selected).
    std::pair<QTreeWidgetItem*, const AListSMS*> ChosenRow(SmsFolder folder);
    // Shows the row's message in the panel with the centre and the date or
    // validity given; whether the row names the number by a phonebook name.
    bool ShowInPanel(SmsFolder folder, const QTreeWidgetItem& row, const AListSMS& m,
                     const QString& centre, const QString& dateOrValidity);
    // The engine's record of a row, of the message shown; nullptr when none.
    const AListSMS* RecordOf(const QTreeWidgetItem* row) const;
    const AListSMS* ShownRecord() const;
    // The name and number the panel shows (empty when it shows none).
    QString ShownName() const;
    QString ShownNumber() const;
    std::optional<PanelMessage> CurrentMessage() const;
    // Whether the panel shows a message of folder (a reply answers only a
    // received message, a send sends only a stored one).
    bool Shows(SmsFolder folder) const { return shown_ && shown_->folder == folder; }
    // The rows of folder's list holding the message at position of location.
    std::vector<QTreeWidgetItem*> RowsAt(SmsFolder folder, const std::string& position,
                                         const std::string& location) const;
    void ListFocusChanged(SmsFolder folder, const QFocusEvent& event);
    void ListViewportClicked(SmsFolder folder, const QMouseEvent& event);
    void BlankPanel(SmsFolder folder);
    // The panel's values, text and length cleared; it shows no message.
    void ClearPanel();
    void SetEnabled(SmsFolder folder, bool any);
    // Where row goes in the inbox to keep its order.
    int InboxPlace(const QTreeWidgetItem& row) const;
    void SetMenuItem(QAction* item, bool enabled);
    void ExecCompose();

    PhoneEngine& engine_;
    std::function<bool()> confirmDelete_;
    std::optional<ShownMessage> shown_;
    SmsFolder panelFolder_ = SmsFolder::Incoming;  // the list the panel's captions name
    bool filling_ = false;

    // Each list's side of the page: its header with the count, its tool bar,
    // the list and the index of its current message. The inbox's are
    // FlatPanel3, CountSmsInLab, ToolBarIn, SMSListIn and SmsInIndex; the
    // outbox's FlatPanel4, CountSmsOutLab, ToolBarOut, SMSListOut and
    // SmsOutIndex.
    struct ListSide {
        widgets::TFlatPanel* header = nullptr;
        QLabel* count = nullptr;
        QToolBar* tools = nullptr;
        QTreeWidget* list = nullptr;
        int index = 0;
    };
    ListSide inbox_;
    ListSide outbox_;
    ListSide& Side(SmsFolder folder);
    QAction* ReplySmsTB = nullptr;
    QAction* IzmjenaSmsInTB = nullptr;
    QAction* BrisanjeSmsInTB = nullptr;
    QAction* AddPhoneSmsInTB = nullptr;
    QAction* DialPhoneSmsInTB = nullptr;
    QAction* OsvjeziSmsInTB = nullptr;
    QAction* NovaSmsTB = nullptr;
    QAction* IzmjenaSmsOutTB = nullptr;
    QAction* BrisanjeSmsOutTB = nullptr;
    QAction* SlanjeSmsOutTB = nullptr;
    QAction* AddPhoneSmsOutTB = nullptr;
    QAction* DialPhoneSmsOutTB = nullptr;
    QAction* OsvjeziSmsOutTB = nullptr;
    QMenu* ReplySmsPopup = nullptr;
    QMenu* NewSmsPopup = nullptr;
    // The main menu's items (null until BuildMenu).
    QAction* Odgovorinaporuku2 = nullptr;
    QAction* Izmjenisadrzajporuke2 = nullptr;
    QAction* Izbrisiporuku2 = nullptr;
    QAction* Dodajosobuuimenik2 = nullptr;
    QAction* Pozoviosobu4 = nullptr;
    QAction* Novaporuka2 = nullptr;
    QAction* Izmjenisadrzajporuke1 = nullptr;
    QAction* Izbrisiporuku1 = nullptr;
    QAction* Posaljiporuku1 = nullptr;
    QAction* Dodajosobuuimenik1 = nullptr;
    QAction* Pozoviosobu3 = nullptr;
    QAction* Osvjezipodatke2 = nullptr;
    // The detail panel's rows, each a caption and its value: the sender or
    // receiver (Label16, Label24), the number (Label17, Label25), the date or
    // validity (Label18, Label26), the centre (Label12, Label23), the memory
    // (Label22, Label27) and the position (Label11, Label21).
    enum PanelRow : std::size_t { Party, Number, When, Centre, Memory, Position, kPanelRows };
    std::array<QLabel*, kPanelRows> panelCaptions_{};
    std::array<QLabel*, kPanelRows> panelValues_{};
    QLabel* Label28 = nullptr;  // the message's length
    QPlainTextEdit* SMSMemo = nullptr;

    TSmsForm* SmsForm = nullptr;
    TSmsMemForm* SmsMemForm = nullptr;
    TNewSmsForm* NewSmsForm = nullptr;
};

}  // namespace parlenko::ui
