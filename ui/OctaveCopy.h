#pragma once
// Copying the octave out of the window: Ctrl+C and a context menu put the text table of
// octave-table on the clipboard, or the octave as a Scala scale. The window writes no files; the
// clipboard is the user's.

#include <QObject>

class QMenu;
class QPoint;
class TSystemata;

class TOctaveCopy : public QObject {
    Q_OBJECT
public:
    // Watches the window's keys and context menus from now on. Construct it before the window's
    // key preview is installed: of two filters on one object the later runs first, and the
    // preview must see Ctrl and C before the copy takes the key.
    explicit TOctaveCopy(TSystemata* Window);

    // The texts of the choice the window shows, in its language.
    QString TableText() const;
    QString ScalaText() const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void AddCopyActions(QMenu* Menu) const;
    void Popup(QMenu* Menu, const QPoint& At) const;

    TSystemata* Window;
};
