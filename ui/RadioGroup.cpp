#include "RadioGroup.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <qdrawutil.h>

namespace {
// Tab and Shift+Tab stop at the checked button only; a click or an access key focuses the button
// it checks.
class TGroupButton final : public QRadioButton {
public:
    TGroupButton(const QString& Text, TRadioGroup* Group)
        : QRadioButton(Text, Group), Group(Group) {
        setFocusPolicy(Qt::ClickFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* Event) override {
        switch (Event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            Group->Step(-1);
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            Group->Step(1);
            break;
        default:
            QRadioButton::keyPressEvent(Event);
        }
    }

private:
    TRadioGroup* Group;
};
} // namespace

TRadioGroup::TRadioGroup(QWidget* Parent) : QWidget(Parent), Group(this) {
    setFocusPolicy(Qt::StrongFocus);
    Group.setExclusive(true);
    connect(&Group, &QButtonGroup::idToggled, this, &TRadioGroup::Toggled);
}

QStringList TRadioGroup::Items() const {
    QStringList Texts;
    for (auto* B : Group.buttons())
        Texts << B->text();
    return Texts;
}

void TRadioGroup::setItems(const QStringList& Texts) {
    for (auto* B : Group.buttons()) {
        Group.removeButton(B);
        delete B;
    }
    for (int i = 0; i < Texts.size(); ++i) {
        auto* B = new TGroupButton(Texts[i], this);
        B->setObjectName(objectName() + QString::number(i));
        Group.addButton(B, i);
    }
    FollowCheckedButton();
    ArrangeButtons();
}

void TRadioGroup::setColumns(int Count) {
    ColumnCount = Count < 1 ? 1 : Count;
    ArrangeButtons();
}

void TRadioGroup::setItemIndex(int Index) {
    if (auto* B = Group.button(Index)) B->setChecked(true);
}

void TRadioGroup::SetItemText(int Index, const QString& Text) {
    if (auto* B = Group.button(Index)) B->setText(Text);
}

QRadioButton* TRadioGroup::Button(int Index) const {
    return qobject_cast<QRadioButton*>(Group.button(Index));
}

void TRadioGroup::Toggled(int, bool Checked) {
    if (!Checked) return;
    FollowCheckedButton();
    emit Click();
}

// The group stays in the tab chain so that the declared order places it, and hands the focus on
// to its checked button, the only one Tab stops at.
void TRadioGroup::FollowCheckedButton() {
    QAbstractButton* Checked = Group.checkedButton();
    for (auto* B : Group.buttons())
        B->setFocusPolicy(B == Checked ? Qt::StrongFocus : Qt::ClickFocus);
    setFocusProxy(Checked);
}

void TRadioGroup::Step(int By) {
    const auto Count = static_cast<int>(Group.buttons().size());
    if (Count == 0) return;
    const bool Focused = hasFocus();
    setItemIndex((ItemIndex() + By + Count) % Count);
    if (Focused)
        Group.checkedButton()->setFocus(By < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

// The buttons share the height left below the space a title would take, as a titled group does,
// so they line up with the drop-down lists beside the group.
void TRadioGroup::ArrangeButtons() {
    const auto Buttons = Group.buttons();
    if (Buttons.isEmpty()) return;
    const int Rows = static_cast<int>((Buttons.size() + ColumnCount - 1) / ColumnCount);
    const int FontHeight = fontMetrics().height();
    const int ColumnWidth = (width() - 10) / ColumnCount;
    const int Free = height() - FontHeight - 5;
    const int RowHeight = Free / Rows;
    const int Top = FontHeight + 1 + (Free % Rows) / 2;
    for (int i = 0; i < Buttons.size(); ++i)
        Group.button(i)->setGeometry(8 + (i / Rows) * ColumnWidth, Top + (i % Rows) * RowHeight,
                                     ColumnWidth, RowHeight);
}

// An etched frame drawn directly: the style's group-box frame is a picture whose loading pulls
// in every image plugin at start-up.
void TRadioGroup::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    qDrawShadeRect(&Painter, rect().adjusted(0, fontMetrics().height() / 2, 0, 0), palette(), true,
                   1, 0);
}

void TRadioGroup::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::FontChange) ArrangeButtons();
}
