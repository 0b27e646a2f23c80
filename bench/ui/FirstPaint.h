#pragma once
// For the start-up benchmark's probes: prints the steady clock in nanoseconds once the watched
// window's first paint is done, then quits.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>

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

private:
    bool Seen = false;
};
