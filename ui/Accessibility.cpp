#include "Accessibility.h"

#include "CheckList.h"
#include "DropDownList.h"
#include "FitLabel.h"
#include "TextLink.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTextDocumentFragment>
#include <QWindow>
#include <functional>
#include <vector>

namespace {
// The group names its buttons; the focus is on the checked button, never on the group.
class TAccessibleGroup final : public QAccessibleWidget {
public:
    explicit TAccessibleGroup(QWidget* W) : QAccessibleWidget(W, QAccessible::Grouping) {}
    QAccessible::State state() const override {
        QAccessible::State S = QAccessibleWidget::state();
        S.focusable = false;
        S.focused = false;
        return S;
    }
};

// Named by what it chooses; the entry shown is its value. Qt's own drop-down list on Linux gives
// the entry as its name.
class TAccessibleDropDown final : public QAccessibleWidget {
public:
    explicit TAccessibleDropDown(QWidget* W) : QAccessibleWidget(W, QAccessible::ComboBox) {}

    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text T) const override {
        if (T == QAccessible::Value) return Box()->currentText();
        return QAccessibleWidget::text(T);
    }
    int childCount() const override { return Box()->view() ? 1 : 0; }
    QAccessibleInterface* child(int Index) const override {
        return Index == 0 && Box()->view() ? QAccessible::queryAccessibleInterface(Box()->view())
                                           : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* Child) const override {
        return Child && Box()->view() && Child->object() == Box()->view() ? 0 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State S = QAccessibleWidget::state();
        S.expandable = true;
        S.expanded = Box()->view() && Box()->view()->isVisible();
        S.collapsed = !S.expanded;
        return S;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& Action) override {
        if (Action == showMenuAction() || Action == pressAction()) {
            if (Box()->view() && Box()->view()->isVisible())
                Box()->hidePopup();
            else
                Box()->showPopup();
        } else {
            QAccessibleWidget::doAction(Action);
        }
    }
};

// A label the keyboard reaches that does one thing when pressed.
class TAccessibleLink final : public QAccessibleWidget {
public:
    TAccessibleLink(QLabel* W, std::function<void()> Press)
        : QAccessibleWidget(W, QAccessible::Link), Press(std::move(Press)) {}

    QString text(QAccessible::Text T) const override {
        QString S = QAccessibleWidget::text(T);
        if (T != QAccessible::Name || !S.isEmpty()) return S;
        const QString Shown = static_cast<QLabel*>(widget())->text();
        return Qt::mightBeRichText(Shown) ? QTextDocumentFragment::fromHtml(Shown).toPlainText()
                                          : Shown;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& Action) override {
        if (Action == pressAction())
            Press();
        else
            QAccessibleWidget::doAction(Action);
    }

private:
    std::function<void()> Press;
};

// One reference interval: a check box within the list, at its row.
class TAccessibleMark final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TAccessibleMark(TCheckList* List, int Row) : List(List), Row(Row) {}

    bool isValid() const override { return List && Row >= 0 && Row < List->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return List ? List->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(List.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text T) const override {
        return isValid() && T == QAccessible::Name ? List->item(Row)->text() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect R = List->visualItemRect(List->item(Row));
        return {List->viewport()->mapToGlobal(R.topLeft()), R.size()};
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State S;
        if (!isValid()) return S;
        S.checkable = true;
        S.checked = List->Checked(Row);
        S.selectable = true;
        S.focusable = true;
        S.selected = List->item(Row)->isSelected();
        S.focused = List->hasFocus() && List->currentRow() == Row;
        S.invisible = !List->isVisible() ||
                      !List->viewport()->rect().intersects(List->visualItemRect(List->item(Row)));
        return S;
    }
    void* interface_cast(QAccessible::InterfaceType T) override {
        return T == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction(), setFocusAction()}; }
    void doAction(const QString& Action) override {
        if (!isValid()) return;
        if (Action == toggleAction()) {
            List->Toggle(Row);
        } else if (Action == setFocusAction()) {
            List->setFocus(Qt::OtherFocusReason);
            List->setCurrentRow(Row);
        }
    }
    QStringList keyBindingsForAction(const QString& Action) const override {
        return Action == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    QPointer<TCheckList> List;
    int Row;
};

// The check list with its marks as children, one per row, so that a child's index is its row as
// in the list's own focus and selection events.
class TAccessibleCheckList final : public QAccessibleWidget {
public:
    explicit TAccessibleCheckList(TCheckList* W) : QAccessibleWidget(W, QAccessible::List) {}
    ~TAccessibleCheckList() override {
        for (QAccessible::Id Id : Marks)
            if (Id) QAccessible::deleteAccessibleInterface(Id);
    }

    TCheckList* List() const { return static_cast<TCheckList*>(widget()); }

    int childCount() const override { return List()->count(); }
    QAccessibleInterface* child(int Row) const override {
        if (Row < 0 || Row >= List()->count()) return nullptr;
        if (Marks.size() <= static_cast<size_t>(Row)) Marks.resize(static_cast<size_t>(Row) + 1);
        QAccessible::Id& Id = Marks[static_cast<size_t>(Row)];
        if (!Id) Id = QAccessible::registerAccessibleInterface(new TAccessibleMark(List(), Row));
        return QAccessible::accessibleInterface(Id);
    }
    int indexOfChild(const QAccessibleInterface* Child) const override {
        const QAccessible::Id Id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(Child));
        for (size_t r = 0; r < Marks.size(); ++r)
            if (Marks[r] == Id) return static_cast<int>(r);
        return -1;
    }
    QAccessibleInterface* childAt(int X, int Y) const override {
        const QModelIndex At = List()->indexAt(List()->viewport()->mapFromGlobal(QPoint(X, Y)));
        return At.isValid() ? child(At.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return List()->hasFocus() ? child(List()->currentRow()) : nullptr;
    }

private:
    mutable std::vector<QAccessible::Id> Marks;
};

QAccessibleInterface* Factory(const QString& ClassName, QObject* Object) {
    auto* W = qobject_cast<QWidget*>(Object);
    if (!W) return nullptr;
    if (ClassName == QLatin1String("TSystemata"))
        return new QAccessibleWidget(W, QAccessible::Window);
    if (ClassName == QLatin1String("TRadioGroup")) return new TAccessibleGroup(W);
    if (ClassName == QLatin1String("TDropDownList")) return new TAccessibleDropDown(W);
    if (ClassName == QLatin1String("TCheckList"))
        return new TAccessibleCheckList(static_cast<TCheckList*>(W));
    if (ClassName == QLatin1String("TLinkLabel")) {
        auto* Link = static_cast<TLinkLabel*>(W);
        return new TAccessibleLink(Link, [Link] { Link->Activate(); });
    }
    if (ClassName == QLatin1String("TTextLink")) {
        auto* Link = static_cast<TTextLink*>(W);
        return new TAccessibleLink(Link, [Link] { Link->Activate(); });
    }
    return nullptr;
}
} // namespace

void InstallAccessibility() {
    static const bool Installed = (QAccessible::installFactory(Factory), true);
    (void)Installed;
}

void AnnounceCurrentItem(QAbstractItemView* View) {
    QMetaObject::invokeMethod(
        View,
        [View] {
            const QModelIndex Current = View->currentIndex();
            if (!QAccessible::isActive() || !View->hasFocus() || !Current.isValid()) return;
            QAccessibleEvent Event(View, QAccessible::Focus);
            Event.setChild(Current.row());
            QAccessible::updateAccessibility(&Event);
        },
        Qt::QueuedConnection);
}

void AnnounceMark(QAbstractItemView* View, int Row) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* List = QAccessible::queryAccessibleInterface(View);
    QAccessibleInterface* Mark = List ? List->child(Row) : nullptr;
    if (!Mark) return;
    QAccessible::State Changed;
    Changed.checked = true;
    QAccessibleStateChangeEvent Event(Mark, Changed);
    QAccessible::updateAccessibility(&Event);
}
