#pragma once
// Every message box of the program: the caption, the text (line breaks as
// "\r" or "\r\n"), the kind (error, information, confirmation: the picture)
// and the buttons (OK, or Yes and No), in the program's font on its cream
// background. Returns DialogResult::Ok, Yes or No for the button pressed;
// closing the box by its title bar gives DialogResult::Closed, which callers
// asking Yes/No treat as "not No". Escape presses OK or No; Y and N (with
// Alt or without) press Yes and No.
//
// For scripted runs of the whole program: when the environment variable
// PARLENKO_TEST_AUTOANSWER is set, a line
//   parlenko-message: <caption> | <text>      ("\r" and "\n" written as \r, \n)
// goes to standard error and the box answers at once, unshown: "no" answers
// No, "close" closes it by the title bar, "wait" shows it and waits for its
// user as usual, anything else presses OK or Yes.

#include "engine/core/host.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <string>

class QLabel;
class QPushButton;

namespace parlenko::ui {

class TMessageDialog : public QDialog {
    Q_OBJECT
public:
    TMessageDialog(QWidget* parent, const QString& caption, const QString& text, DialogKind kind,
                   DialogButtons buttons);
    // The DialogResult of the way the box was closed.
    int Result() const { return result_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Answer(int result);
    QPointer<QWidget> anchor_;  // the window the box is centred on
    int result_ = DialogResult::Closed;
    QPushButton* escapeButton_ = nullptr;
    QPushButton* yesButton_ = nullptr;
    bool widened_ = false;
};

int ShowMessageDialog(QWidget* parent, const QString& caption, const QString& text, DialogKind kind,
                      DialogButtons buttons);
// The engine's texts (Windows-1252, "\r" line breaks).
int ShowMessageDialog(QWidget* parent, const std::string& caption, const std::string& text,
                      DialogKind kind, DialogButtons buttons);

// The three boxes the windows open themselves. An error ("Error" is the
// usual caption) and a notice, each with OK; a question with Yes and No,
// whose answer is the DialogResult.
void ShowError(QWidget* parent, const QString& caption, const QString& text);
void Inform(QWidget* parent, const QString& caption, const QString& text);
int Ask(QWidget* parent, const QString& caption, const QString& text);

}  // namespace parlenko::ui
