#pragma once
// The call lists page "Pozivi": the phone's dialled, received and missed
// calls, each list with its count, its capacity and three buttons: delete the
// dialled calls or save the list to a CSV file, add the selected unknown
// number to the phonebook, call the selected number. The call-list read fills
// it (it is the engine's call-lists view); every operation goes through
// PhoneEngine.

#include "engine/phonebook/call_lists_view.h"
#include "ui/controls/file_choice_slot.h"

#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TCallWindows;

class TCallsPage : public QWidget, public ICallListsView, public TFileChoiceSlot {
    Q_OBJECT
public:
    // exeDir: the data folder (with its closing '/'), which holds "Export".
    TCallsPage(PhoneEngine& engine, TCallWindows& calls, QString exeDir, QWidget* parent = nullptr);

    // The selection changed: buttons and count follow.
    void CallsOutListChange();
    void CallsInListChange();
    void CallsMissListChange();
    // Delete the dialled calls in the phone (after asking).
    void SB1Click();
    // Add the selected number to the phonebook (Tag 20, 50, 80).
    void SB2Click(int tag);
    // Call the selected number (Tag 30, 60, 90).
    void SB3Click(int tag);
    // Save the received (SB4) or missed (SB7) calls to a CSV file.
    void SB4Click(QPushButton* sender);

    // --- ICallListsView
    void ClearCallLists() override;
    void AddCallListRow(CallListView list, const CallListRow& call) override;
    void SetCallListCapacity(CallListView list, int capacity) override;
    void DialledCallsDeleted() override;
    void FocusFirstCallRows() override;
    void SetNameInListView(CallListView list, const std::string& name,
                           const std::string& number) override;

signals:
    // The add buttons hand the selected number to the phonebook's entry
    // dialog (the phonebook page).
    void AddToPhonebookRequested(const QString& number);

private:
    std::array<QPushButton*, 9> SB{};  // SB1 .. SB9, Tag 10 .. 90

    // One group: its list, count and capacity labels and three buttons.
    struct Group {
        QTreeWidget* list;
        QLabel* count;
        QLabel* capacity;
        QPushButton* first;
        QPushButton* add;
        QPushButton* call;
    };
    // Builds group g (0 dialled, 1 received, 2 missed) with its controls.
    Group BuildGroup(std::size_t g);
    Group& GroupOf(CallListView list);
    Group* GroupByTag(int tag);
    void ListChange(Group& g);

    PhoneEngine& engine_;
    TCallWindows& calls_;
    QString exeDir_;
    // In Tag order: dialled ("LD", CallsOutList), received ("RC",
    // CallsInList), missed ("MC", CallsMissList).
    std::array<Group, 3> groups_{};
};

}  // namespace parlenko::ui
