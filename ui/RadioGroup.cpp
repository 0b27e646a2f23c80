#include "RadioGroup.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace {
// The buttons never take the focus themselves, so Tab and Shift+Tab see the group as one stop;
// a click or an access key focuses the group, and only the selected button shows the focus.
class TGroupButton final : public QRadioButton {
public:
    TGroupButton(const QString& Text, QWidget* Group) : QRadioButton(Text, Group) {
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    bool event(QEvent* Event) override {
        if (Event->type() == QEvent::Shortcut) parentWidget()->setFocus(Qt::ShortcutFocusReason);
        return QRadioButton::event(Event);
    }
    void mousePressEvent(QMouseEvent* Event) override {
        parentWidget()->setFocus(Qt::MouseFocusReason);
        QRadioButton::mousePressEvent(Event);
    }
    void paintEvent(QPaintEvent*) override {
        QStylePainter Painter(this);
        QStyleOptionButton Option;
        initStyleOption(&Option);
        Option.state.setFlag(QStyle::State_HasFocus, isChecked() && parentWidget()->hasFocus());
        Painter.drawControl(QStyle::CE_RadioButton, Option);
    }
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

void TRadioGroup::focusInEvent(QFocusEvent* Event) {
    QWidget::focusInEvent(Event);
    for (auto* B : Group.buttons())
        B->update();
}

void TRadioGroup::focusOutEvent(QFocusEvent* Event) {
    QWidget::focusOutEvent(Event);
    for (auto* B : Group.buttons())
        B->update();
}

void TRadioGroup::Toggled(int, bool Checked) {
    if (!Checked) return;
    for (auto* B : Group.buttons())
        B->update();
    emit Click();
}

void TRadioGroup::keyPressEvent(QKeyEvent* Event) {
    const auto Count = static_cast<int>(Group.buttons().size());
    int Step = 0;
    switch (Event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        Step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        Step = 1;
        break;
    default:
        QWidget::keyPressEvent(Event);
        return;
    }
    if (Count > 0) setItemIndex((ItemIndex() + Step + Count) % Count);
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
