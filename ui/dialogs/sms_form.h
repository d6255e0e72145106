#pragma once
// The compose window "SMS": one message to a number or a phonebook name,
// with the validity period, a status report, the flash display and the
// pictures of Siemens phones. The text is counted as it is typed against the
// message's limit (160, or 69 for a flash message) and checked against the
// phone's alphabet; Send and Save hand the message's values to the engine.
//
// Its opener (the SMS page, the new-message notice) prepares it as a new
// message, a reply or the edit of a stored message, may set the recipient
// and text, then shows it modally. Closing it any way empties it; an edit
// reaches the engine only through Save or Send.

#include "engine/phone/phone_memory.h"
#include "engine/sms/composed_sms.h"
#include "ui/controls/hint_balloon.h"
#include "ui/controls/small_window.h"

#include <QStringList>

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace parlenko {
class PhoneEngine;
}

namespace parlenko::ui {

class TSmsForm : public TSmallWindow {
    Q_OBJECT
public:
    // mainWindow: the window it centres on.
    TSmsForm(PhoneEngine& engine, QWidget* mainWindow);
    ~TSmsForm() override;

    // "New message . . .": the phonebook's names listed, no recipient, no text.
    void PrepareNew();
    // "Reply to message . . .": to name and number only (both fixed), no text.
    void PrepareReply(const QString& name, const QString& number);
    // "Edit message . . .": text to name and number (both free), replacing
    // the stored message at position of memory.
    void PrepareEdit(PhoneMemory memory, const std::string& position, const QString& name,
                     const QString& number, const QString& text);

    // TelEdit := number; selects name (or name + "!") in NazivCB when listed.
    void SetRecipient(const QString& name, const QString& number);
    // The memo becomes the template, or with append the old text, a line
    // break and the template, the old text shortened with "..." to fit.
    void InsertTemplate(const QString& templ, bool append);
    // The memo's text (line breaks as "\n").
    void SetText(const QString& text);
    QString Text() const;
    // The memo's text as the phone takes it: Windows-1252, CR LF breaks.
    std::string PhoneText() const;
    // The message the window holds, as the engine takes it.
    ComposedSms Message() const;
    void UpdateButtons();
    // The phone took the message handed over by Send or Save (the window
    // closes), or did not (its failure was told; what was typed stays).
    void MessageDone(bool accepted);
    // A message was handed over and its outcome is awaited.
    bool Waiting() const { return waiting_; }
    // Every character the phone cannot store, in text order ("\n" allowed).
    QStringList UnsupportedChars() const;
    bool IsSmsText() const { return UnsupportedChars().isEmpty(); }
    // The validation balloon, while one is shown.
    widgets::TTessaryHintWindow* Hint() const { return balloon_.Window(); }

    // Handlers, by their names.
    void FormShow();
    void NazivCBChange();
    void TelEditChange(bool edited);
    void TrajanjeCBChange();
    void PorukaMemoChange();
    void SmsPicturesPBPaint();
    void PicturesUDClick();
    void AddPicBtnClick();
    void SendBtnClick();
    void SaveBtnClick();
    void Button1Click();
    void FormClose();

    // The characters left (PreLab).
    int Left() const { return left_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    void done(int result) override;

private:
    void BuildRecipient();
    void BuildOptions();
    void BuildText();
    void BuildPictures();
    void BuildButtons();
    void ConnectHandlers();
    // The phonebook's names into NazivCB, sorted.
    void FillNameList();
    // What the engine did with the message Send or Save handed over: a
    // refusal is told (nothing was sent), else the window waits when it started.
    void HandedOver(ComposedSmsResult result);
    // The balloon with its tip at dx, dy of the window.
    void ShowHint(const QString& text, int dx, int dy);
    bool Flash() const;

    PhoneEngine& engine_;
    // 1 a new message (also a reply or a template); 0 the edit of a stored
    // message, which replaces the one at editPosition_ of editMemory_.
    int ComposeMode = 1;
    PhoneMemory editMemory_ = PhoneMemory::Sim;
    std::string editPosition_;
    THintBalloon balloon_;
    QString lastText_;
    bool changing_ = false;
    bool waiting_ = false;
    int left_ = 160;

    QLineEdit* TelEdit = nullptr;
    QComboBox* NazivCB = nullptr;
    QSpinBox* TrajanjeUpDown = nullptr;
    QLineEdit* TrajanjeEdit = nullptr;
    QComboBox* TrajanjeCB = nullptr;
    QCheckBox* FlashCheck = nullptr;
    QCheckBox* ReportCheck = nullptr;
    QPlainTextEdit* PorukaMemo = nullptr;
    QLabel* MaxLab = nullptr;
    QLabel* UpisLab = nullptr;
    QLabel* PreLab = nullptr;
    QLabel* SmscLab = nullptr;
    QWidget* SmsPicturesPB = nullptr;
    QSpinBox* PicturesUD = nullptr;
    QLabel* PicNameLab = nullptr;
    QLabel* PicNoLab = nullptr;
    QPushButton* AddPicBtn = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* SendBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
};

}  // namespace parlenko::ui
