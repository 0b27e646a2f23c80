#include "RadioGroup.h"

#include <QEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionFrame>

TRadioGroup::TRadioGroup(QWidget* Parent) : QWidget(Parent), Group(this) {
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
        auto* B = new QRadioButton(Texts[i], this);
        B->setObjectName(objectName() + QString::number(i));
        Group.addButton(B, i);
    }
    ArrangeButtons();
    FollowCheckedButton();
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

// Tab reaches only the selected button, as one stop for the whole group; the arrow keys move
// between the buttons.
void TRadioGroup::FollowCheckedButton() {
    for (auto* B : Group.buttons())
        B->setFocusPolicy(B->isChecked() || !Group.checkedButton() ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
    if (auto* Checked = Group.checkedButton())
        setFocusProxy(Checked);
    else if (!Group.buttons().isEmpty())
        setFocusProxy(Group.buttons().first());
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

void TRadioGroup::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    QStyleOptionFrame Frame;
    Frame.initFrom(this);
    Frame.rect = rect().adjusted(0, fontMetrics().height() / 2, 0, 0);
    Frame.lineWidth = 1;
    Frame.midLineWidth = 0;
    Frame.features = QStyleOptionFrame::None;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &Frame, &Painter, this);
}

void TRadioGroup::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::FontChange) ArrangeButtons();
}
