// Started by the start-up benchmark: builds either the real main window or an empty window of
// the same size, and prints the steady clock in nanoseconds once the first paint is done.
#include "Kelvaro01.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
class TFirstPaint : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint && !Seen) {
            Seen = true;
            // Queued: runs after the whole window has been painted and flushed.
            QTimer::singleShot(0, [] {
                const auto Now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(Now).count()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(Watched, Event);
    }
    bool Seen = false;
};
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    const bool Real = argc > 1 && std::strcmp(argv[1], "real") == 0;
    std::unique_ptr<QWidget> Window;
    if (Real) {
        Window = std::make_unique<TSystemata>();
    } else {
        Window = std::make_unique<QWidget>();
        Window->setFixedSize(659, 499);
    }
    TFirstPaint Probe;
    Window->installEventFilter(&Probe);
    Window->show();
    return Application.exec();
}
