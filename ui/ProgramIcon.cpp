#include "ProgramIcon.h"

#include <QScreen>
#include <QWidget>

QIcon ProgramIcon() {
    QIcon Icon;
    for (int Size : {16, 24, 32, 48, 64})
        Icon.addFile(QStringLiteral(":/art/kelvaro-%1.png").arg(Size), QSize(Size, Size));
    return Icon;
}

void CentreOnScreen(QWidget* Window) {
    if (const QScreen* Screen = Window->screen()) {
        QRect Frame = Window->rect();
        Frame.moveCenter(Screen->availableGeometry().center());
        Window->move(Frame.topLeft());
    }
}
