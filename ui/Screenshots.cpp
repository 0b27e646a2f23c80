// Writes PNG pictures of the main window and its help in Greek and in English and of the About
// box, for review; runs on any Qt platform, the offscreen one included.
#include "HelpBox.h"
#include "Kelvaro01.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTextStream>

#include "RadioGroup.h"
#include "RowList.h"

namespace {
bool Save(QWidget* Window, const QDir& Dir, const QString& Name) {
    const QString Path = Dir.filePath(Name);
    const bool Ok = Window->grab().save(Path);
    QTextStream(stdout) << (Ok ? "wrote " : "could not write ") << Path << '\n';
    return Ok;
}

// F1 as the window receives it once no control has taken it.
bool SaveHelp(QWidget* Window, const QDir& Dir, const QString& Name) {
    QKeyEvent F1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(Window, &F1);
    auto* Box = Window->findChild<THelpBox*>();
    if (!Box) return false;
    const bool Ok = Save(Box, Dir, Name);
    Box->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Ok;
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    const QDir Dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (!QDir().mkpath(Dir.path())) return 1;

    TSystemata Window;
    Window.show();
    auto* Arab = Window.findChild<TRowList*>(QStringLiteral("LBArab"));
    Arab->SetItemIndex(4);
    Window.findChild<TRowList*>(QStringLiteral("LBQesei"))->SetItemIndex(4);
    Window.findChild<TRowList*>(QStringLiteral("LBGreek"))->SetItemIndex(4);
    Window.findChild<TRowList*>(QStringLiteral("LBFusei"))->SetItemIndex(4);
    bool Ok = Save(&Window, Dir, QStringLiteral("main-greek.png"));
    Ok = SaveHelp(&Window, Dir, QStringLiteral("help-greek.png")) && Ok;

    Window.findChild<TRadioGroup*>(QStringLiteral("RGLang"))->Button(1)->click();
    Ok = Save(&Window, Dir, QStringLiteral("main-english.png")) && Ok;
    Ok = SaveHelp(&Window, Dir, QStringLiteral("help-english.png")) && Ok;

    QMetaObject::invokeMethod(&Window, "Label6Click");
    if (auto* Box = Window.findChild<QDialog*>(QStringLiteral("AboutBox"))) {
        Ok = Save(Box, Dir, QStringLiteral("about.png")) && Ok;
        Box->accept();
    } else {
        Ok = false;
    }
    return Ok ? 0 : 1;
}
