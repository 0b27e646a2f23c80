// The baseline of the start-up benchmark: a Qt Widgets program that shows an empty window of the
// main window's size and links nothing else; it prints the steady clock once it has painted.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {
class TFirstPaint : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint && !Seen) {
            Seen = true;
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
    QWidget Window;
    Window.setFixedSize(659, 499);
    TFirstPaint Probe;
    Window.installEventFilter(&Probe);
    Window.show();
    return Application.exec();
}
