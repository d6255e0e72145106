#pragma once
// Every picture the program shows, drawn with QPainter: the header bars and
// phone pictures that the image generator writes into "ParlenkoImages", and
// the pictures the windows carry themselves (splash, about band, the small
// pictures of the progress, status and status-bar indicators).
//
// All pictures share one palette and one font so the windows look of a piece.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

namespace parlenko::artwork {

// The palette.
inline const QColor kCream{0xFF, 0xFB, 0xF0};  // window background
inline const QColor kNavy{0x1D, 0x3A, 0x66};   // headers, titles
inline const QColor kTeal{0x2A, 0x7F, 0xA8};   // accents
inline const QColor kLeaf{0x2E, 0x7D, 0x32};   // success
inline const QColor kSand{0xEE, 0xE6, 0xD2};   // panels, borders

// "Tahoma" with sans-serif fallbacks, at the given point size.
QFont UiFont(double pointSize, bool bold = false);

// Header bar of a page, 520 x 36. language 0 Croatian ("cro"), 1 English
// ("eng"); page 1..6: general, phonebook, SMS, call lists, appointments,
// advanced.
constexpr int kPageBarWidth = 520;
constexpr int kPageBarHeight = 36;
QImage PageBar(int language, int page);
// File name of a header bar: "cro"/"eng" + "GeneralBar.jpg" ...; empty for
// an unknown page.
QString PageBarFileName(int language, int page);

// The phone models that have a picture, and the picture size.
QStringList PhoneModels();
constexpr int kPhoneWidth = 96;
constexpr int kPhoneHeight = 150;
QImage PhonePicture(const QString& model);
QImage QuestionMarkPicture();

// Start-up window, 350 x 234; about box band, 313 x 84.
QImage SplashPicture();
QImage AboutBand(int width = 313, int height = 84);
// The program's icon, size x size: the start-up window's phone on its blue
// (the windows' title bars, the desktop's menus).
QImage ProgramIcon(int size);

// 36 x 36 picture of an activity mode (0 phonebook, 1 SMS, 2 call lists,
// 3 appointments, 5 Outlook contacts, 6 Outlook calendar, 7 diverts,
// 10 barrings, 13 melody upload, 14 logo upload; others a phone).
QImage ActivityPicture(int mode, int size = 36);
// 32 x 32 picture of the status notice.
QImage StatusPicture();
// 23 x 19 connection indicator.
QImage ConnectedPicture(bool connected);

// The main window's left bar: its background, top to bottom, and the four
// pictures of one page button drawn on the part of that background the
// button covers (top at buttonTop): normal, lighter under the mouse, pressed
// (shifted a pixel), and grey when disabled. icon is an activity mode as in
// ActivityPicture.
constexpr int kOutBarWidth = 100;
constexpr int kOutBarButtonHeight = 70;
QImage OutBarBackground(int height);
enum class ButtonLook { Up, MouseOver, Down, Disabled };
QImage OutBarButton(int barHeight, int buttonTop, int icon, const QString& caption,
                    ButtonLook look);

// The advanced page's tab bar: its background and the pictures of one tab
// (caption on a tab face; Down is the selected tab, Disabled an unselected
// one, Up and MouseOver as the other buttons). A tab is as wide as its
// caption needs (TabWidth).
constexpr int kTabBarHeight = 26;
QImage TabBarBackground(int width);
int TabWidth(const QString& caption);
QImage TabBarButton(const QString& caption, ButtonLook look);

// The status bar's background, the given size.
QImage StatusBarPicture(int width, int height);
// 32 x 22 frames of the new-SMS and new-call indicators: 0 no SMS, 1 and 2
// the SMS blink, 3 no call, 4 and 5 the call blink.
constexpr int kNewSmsAndCallWidth = 32;
constexpr int kNewSmsAndCallHeight = 22;
QImage NewSmsAndCallPicture(int frame);
// 79 x 19 frames of the port-traffic indicator: 0 idle, 1..5 a dot sweeping
// from the computer to the phone.
constexpr int kPortTrafficWidth = 79;
constexpr int kPortTrafficHeight = 19;
QImage PortTrafficPicture(int frame);
// One bar of the battery and reception levels, 18 x 14.
constexpr int kNivoWidth = 18;
constexpr int kNivoHeight = 14;
QImage NivoPicture();

}  // namespace parlenko::artwork
