// Started by the start-up benchmark: builds either the real main window or an empty window of
// the same size, and prints the steady clock in nanoseconds once the first paint is done.
#include "Kelvaro01.h"

#include "FirstPaint.h"

#include <QApplication>
#include <cstring>
#include <memory>

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
