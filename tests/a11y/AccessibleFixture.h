#pragma once
// The real main window with Qt's accessibility switched on as a screen reader switches it on, and
// every event it sends recorded by an update handler in place of the platform's bridge.

#include "WindowFixture.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <vector>

struct TRecordedEvent {
    QAccessible::Event Type;
    QObject* Object;            // the control, or none for an item of our own
    int Child;                  // -1 for the control itself
    QString Name;               // of the interface the event is about
    QAccessible::State Changed; // of a state change
};

class AccessibleTest : public WindowTest {
protected:
    void SetUp() override {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(&Record);
        WindowTest::SetUp();
        Events().clear();
    }
    void TearDown() override {
        WindowTest::TearDown();
        QAccessible::installUpdateHandler(nullptr);
        Events().clear();
    }

    static std::vector<TRecordedEvent>& Events() {
        static std::vector<TRecordedEvent> List;
        return List;
    }
    static std::vector<TRecordedEvent> Of(QAccessible::Event Type) {
        std::vector<TRecordedEvent> Out;
        for (const auto& E : Events())
            if (E.Type == Type) Out.push_back(E);
        return Out;
    }
    static QAccessibleInterface* Accessible(QObject* Object) {
        return QAccessible::queryAccessibleInterface(Object);
    }
    // A key as a person types it: through the window's key preview to the focused control.
    void Key(int KeyCode, Qt::KeyboardModifiers Mods = {}) const {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(KeyCode), Mods);
        QCoreApplication::processEvents();
    }

private:
    static void Record(QAccessibleEvent* Event) {
        QAccessibleInterface* I = Event->accessibleInterface();
        TRecordedEvent R{Event->type(),
                         Event->object(),
                         Event->child(),
                         I ? I->text(QAccessible::Name) : QString(),
                         {}};
        if (Event->type() == QAccessible::StateChanged)
            R.Changed = static_cast<QAccessibleStateChangeEvent*>(Event)->changedStates();
        Events().push_back(R);
    }
};
