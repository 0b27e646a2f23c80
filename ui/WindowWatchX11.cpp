// X11: any client may destroy any window (xdotool windowclose, xkill's kin); Qt does not notice
// its own top-level going, but the structure events it selects on it bring a DestroyNotify.
#include "WindowWatch.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <memory>

namespace {

class TDestroyWatch final : public QAbstractNativeEventFilter {
public:
    explicit TDestroyWatch(xcb_window_t Window) : Window(Window) {}
    bool nativeEventFilter(const QByteArray& Type, void* Message, qintptr*) override {
        if (Type != "xcb_generic_event_t") return false;
        const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
        if ((Event->response_type & 0x7F) == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<const xcb_destroy_notify_event_t*>(Event)->window == Window)
            QCoreApplication::quit();
        return false;
    }

private:
    xcb_window_t Window;
};

} // namespace

void QuitWhenDestroyedElsewhere(QWidget& Window) {
    static std::unique_ptr<TDestroyWatch> Watch;
    Watch = std::make_unique<TDestroyWatch>(static_cast<xcb_window_t>(Window.winId()));
    QCoreApplication::instance()->installNativeEventFilter(Watch.get());
}
