// The baseline of the start-up benchmark: a Qt Widgets program that shows an empty window of the
// main window's size and links nothing else; it prints the steady clock once it has painted.
// With the argument "label" the window holds one line of text, which pays for the font set-up
// that any text costs (fontconfig, glyphs) and an empty window never does.
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication Application(argc, argv);
    QWidget Window;
    Window.setFixedSize(659, 499);
    if (argc > 1 && std::strcmp(argv[1], "label") == 0)
        new QLabel(QStringLiteral("ΣΥΡΙΝΘΑ"), &Window);
    TFirstPaint Probe;
    Window.installEventFilter(&Probe);
    Window.show();
    return Application.exec();
}
