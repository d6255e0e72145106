#include "tests/ui/x11_windows.h"

#include "tests/ui/ui_test_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#if defined(PARLENKO_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#endif

namespace parlenko::ui::testing {

#if defined(PARLENKO_HAVE_XCB)
namespace {

xcb_connection_t* Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    if (!reply) return XCB_ATOM_NONE;
    return reply->atom;
}

// The property's items of one size (8 or 32 bits) as bytes.
std::string Property(xcb_window_t window, const char* name) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window == 0) return {};
    const auto cookie = xcb_get_property(c, 0, window, Atom(c, name), XCB_ATOM_ANY, 0, 4096);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply) return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) *
                                 (reply->format / 8));
}

std::vector<std::uint32_t> Cardinals(xcb_window_t window, const char* name) {
    const std::string bytes = Property(window, name);
    std::vector<std::uint32_t> out(bytes.size() / 4);
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
}

}  // namespace

bool OnX11() { return Connection() != nullptr; }

bool WaitForWindowManager(int maxMs) {
    xcb_connection_t* c = Connection();
    if (c == nullptr) return false;
    return PumpUntil([&] { return !Cardinals(Root(c), "_NET_SUPPORTING_WM_CHECK").empty(); },
                     maxMs);
}

X11Window NativeWindow(const QWidget& window) {
    return window.windowHandle() != nullptr ? static_cast<X11Window>(window.winId()) : 0;
}

QString TitleOf(X11Window window) {
    return QString::fromStdString(Property(window, "_NET_WM_NAME"));
}

QString WindowTitle(const QWidget& window) { return TitleOf(NativeWindow(window)); }

std::vector<X11Window> WindowsOf(long long pid) {
    std::vector<X11Window> out;
    for (X11Window w : Stacking()) {
        const auto owner = Cardinals(w, "_NET_WM_PID");
        if (!owner.empty() && owner.front() == pid) out.push_back(w);
    }
    return out;
}

X11Window ActiveWindow() {
    xcb_connection_t* c = Connection();
    if (c == nullptr) return 0;
    const auto ids = Cardinals(Root(c), "_NET_ACTIVE_WINDOW");
    return ids.empty() ? 0 : ids.front();
}

std::vector<X11Window> Stacking() {
    xcb_connection_t* c = Connection();
    if (c == nullptr) return {};
    return Cardinals(Root(c), "_NET_CLIENT_LIST_STACKING");
}

bool Above(const QWidget& a, const QWidget& b) {
    const auto order = Stacking();
    const auto at = [&](X11Window w) { return std::find(order.begin(), order.end(), w); };
    const auto ia = at(NativeWindow(a));
    const auto ib = at(NativeWindow(b));
    return ia != order.end() && ib != order.end() && ia > ib;
}

std::array<long, 4> FrameExtents(const QWidget& window) {
    const auto v = Cardinals(NativeWindow(window), "_NET_FRAME_EXTENTS");
    std::array<long, 4> out{};
    for (std::size_t i = 0; i < v.size() && i < 4; ++i) out[i] = static_cast<long>(v[i]);
    return out;
}

void RequestClose(const QWidget& window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || NativeWindow(window) == 0) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = NativeWindow(window);
    message.type = Atom(c, "_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2;  // from a pager or a task bar: the user's request
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

namespace {
// Whether the window manager keeps the window and has framed it.
bool Managed(const QWidget& window) {
    const auto order = Stacking();
    return std::find(order.begin(), order.end(), NativeWindow(window)) != order.end() &&
           FrameExtents(window)[2] > 0;
}
}  // namespace

#else

namespace {
bool Managed(const QWidget&) { return true; }
}  // namespace
bool OnX11() { return false; }
bool WaitForWindowManager(int) { return false; }
X11Window NativeWindow(const QWidget&) { return 0; }
QString TitleOf(X11Window) { return {}; }
QString WindowTitle(const QWidget&) { return {}; }
std::vector<X11Window> WindowsOf(long long) { return {}; }
X11Window ActiveWindow() { return 0; }
std::vector<X11Window> Stacking() { return {}; }
bool Above(const QWidget&, const QWidget&) { return false; }
std::array<long, 4> FrameExtents(const QWidget&) { return {}; }
void RequestClose(const QWidget&) {}

#endif

void SettleForPicture(QWidget& window) {
    window.raise();
    const Qt::WindowType type = window.windowType();
    const bool framed =
        (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool) &&
        !window.windowFlags().testAnyFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    if (framed && WaitForWindowManager(0)) PumpUntil([&] { return Managed(window); }, 3000);
    Pump(300);
}

QPixmap StillScreen(const QRect& area) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    for (int tries = 0; tries < 20; ++tries) {
        Pump(100);
        QPixmap again = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const bool same = again.toImage() == shot.toImage();
        shot = std::move(again);
        if (same) break;
    }
    return shot;
}

}  // namespace parlenko::ui::testing
