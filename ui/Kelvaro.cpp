// The program: one main window, no arguments, no settings.
#include "Kelvaro01.h"
#include "WindowWatch.h"
#include "sound/MidiOut.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct THeldMessage {
    QtMsgType Type;
    const char* File;
    int Line;
    const char* Function;
    const char* Category;
    QString Text;
};

std::vector<THeldMessage> Held;

// While the platform starts, Qt's messages are held back: when it cannot start (no display, an
// unknown platform) Qt explains at length and aborts; one line and status 1 say it instead.
void StartupMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Type == QtFatalMsg) {
        std::fputs("kelvaro: cannot open the display\n", stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    Held.push_back({Type, Context.file, Context.line, Context.function, Context.category, Text});
}

} // namespace

int main(int argc, char* argv[]) {
    const QtMessageHandler Previous = qInstallMessageHandler(StartupMessage);
    QApplication Application(argc, argv);
    qInstallMessageHandler(Previous);
    for (const THeldMessage& M : Held)
        qt_message_output(M.Type, QMessageLogContext(M.File, M.Line, M.Function, M.Category),
                          M.Text);
    Held.clear();

    // The soundfont loads and the audio stream connects while the window is made, so that the
    // first key finds them ready.
    PlatformMidiOut();
    TSystemata Systemata;
    QuitWhenDestroyedElsewhere(Systemata);
    Systemata.show();
    Application.exec();
    return 0;
}
