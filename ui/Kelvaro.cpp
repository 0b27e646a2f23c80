// The program: one main window, no arguments, no settings.
#include "Kelvaro01.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    TSystemata Systemata;
    Systemata.show();
    Application.exec();
    return 0;
}
