#include "OctaveCopy.h"

#include "Kelvaro01.h"
#include "ReadOnlyText.h"
#include "formats/Scala.h"
#include "formats/TextTable.h"
#include "model/Tables.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QWindow>
#include <string_view>

namespace {

struct TMenuTexts {
    std::u16string_view Table, Scala;
};

constexpr TMenuTexts MenuTexts[2] = {
    {u"Ἀντιγραφὴ τοῦ πίνακα", u"Ἀντιγραφὴ ὡς κλίμακα Scala"},
    {u"Copy the table", u"Copy as Scala scale"},
};

QString Text(std::u16string_view S) {
    return QStringView(S.data(), static_cast<qsizetype>(S.size())).toString();
}

template <typename Write> QString OctaveText(const TSystemata* Window, Write&& WriteText) {
    const TChoices Choices = Window->CurrentChoices();
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    UpdateReadings(Choices, Mhkh, Readings);
    std::string Out;
    WriteText(Out, Choices, Mhkh, Readings);
    return QString::fromStdString(Out);
}

} // namespace

TOctaveCopy::TOctaveCopy(TSystemata* Window) : QObject(Window), Window(Window) {
    Window->windowHandle()->installEventFilter(this);
    Window->installEventFilter(this);
    // A read-only text keeps its own menu (copy the selection, select all) and gains ours.
    for (auto* Text : Window->findChildren<TReadOnlyText*>())
        Text->viewport()->installEventFilter(this);
}

QString TOctaveCopy::TableText() const {
    return OctaveText(Window,
                      [](std::string& Out, const TChoices& Choices, const TOctave&,
                         const TReadings& Readings) { WriteTable(Out, Choices, Readings); });
}

QString TOctaveCopy::ScalaText() const {
    return OctaveText(Window, WriteScl);
}

void TOctaveCopy::AddCopyActions(QMenu* Menu) const {
    const TMenuTexts& Texts = MenuTexts[Language == 1 ? 1 : 0];
    QAction* Table =
        Menu->addAction(Text(Texts.Table) + u'\t' +
                        QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
    connect(Table, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(TableText()); });
    QAction* Scala = Menu->addAction(Text(Texts.Scala));
    connect(Scala, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(ScalaText()); });
}

void TOctaveCopy::Popup(QMenu* Menu, const QPoint& At) const {
    Menu->setAttribute(Qt::WA_DeleteOnClose);
    Menu->popup(At);
}

bool TOctaveCopy::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Window->windowHandle() && Event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(Event)->matches(QKeySequence::Copy)) {
        // A selection in a read-only text is copied as before; anywhere else the key copies the
        // octave, and the focused control (a list would copy its row) does not see it.
        if (const auto* Edit = qobject_cast<const QPlainTextEdit*>(QApplication::focusWidget());
            Edit && Edit->textCursor().hasSelection())
            return false;
        QGuiApplication::clipboard()->setText(TableText());
        return true;
    }
    if (Event->type() != QEvent::ContextMenu) return false;
    auto* Request = static_cast<QContextMenuEvent*>(Event);
    if (Watched == Window) {
        auto* Menu = new QMenu(Window);
        AddCopyActions(Menu);
        Popup(Menu, Request->globalPos());
        return true;
    }
    const auto* Viewport = qobject_cast<QWidget*>(Watched);
    if (auto* Edit = Viewport ? qobject_cast<TReadOnlyText*>(Viewport->parentWidget()) : nullptr) {
        QMenu* Menu = Edit->createStandardContextMenu(Request->pos());
        Menu->addSeparator();
        AddCopyActions(Menu);
        Popup(Menu, Request->globalPos());
        return true;
    }
    return false;
}
