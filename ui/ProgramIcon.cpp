#include "ProgramIcon.h"

#include <QImageReader>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

QIcon ProgramIcon() {
    QIcon Icon;
    for (int Size : {16, 24, 32, 48, 64}) {
        // With the format named and detection off, Qt reads the PNG itself instead of loading
        // every image plugin to ask it: several milliseconds of start-up.
        QImageReader Reader(QStringLiteral(":/art/kelvaro-%1.png").arg(Size), "png");
        Reader.setAutoDetectImageFormat(false);
        Icon.addPixmap(QPixmap::fromImage(Reader.read()));
    }
    return Icon;
}

void CentreOnScreen(QWidget* Window) {
    if (const QScreen* Screen = Window->screen()) {
        QRect Frame = Window->rect();
        Frame.moveCenter(Screen->availableGeometry().center());
        Window->move(Frame.topLeft());
    }
}
