#include "CheckList.h"

#include "Accessibility.h"

#include <vector>

TCheckList::TCheckList(QWidget* Parent) : TFlowList(Parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TCheckList::AddItem(const QString& Text, bool Checked) {
    auto* Item = new QListWidgetItem(Text, this);
    Item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    Item->setCheckState(Checked ? Qt::Checked : Qt::Unchecked);
}

bool TCheckList::Checked(int Row) const {
    return item(Row)->checkState() == Qt::Checked;
}

void TCheckList::SetChecked(int Row, bool Checked) {
    item(Row)->setCheckState(Checked ? Qt::Checked : Qt::Unchecked);
}

template <typename F> void TCheckList::RaiseIfToggled(F&& Handle) {
    std::vector<bool> Before(static_cast<size_t>(count()));
    for (int i = 0; i < count(); ++i)
        Before[static_cast<size_t>(i)] = Checked(i);
    Handle();
    for (int i = 0; i < count(); ++i)
        if (Checked(i) != Before[static_cast<size_t>(i)]) {
            Toggled(i);
            return;
        }
}

void TCheckList::Toggle(int Row) {
    if (Row < 0 || Row >= count()) return;
    SetChecked(Row, !Checked(Row));
    Toggled(Row);
}

void TCheckList::Toggled(int Row) {
    AnnounceMark(this, Row);
    emit ClickCheck();
}

void TCheckList::mousePressEvent(QMouseEvent* Event) {
    RaiseIfToggled([&] { TFlowList::mousePressEvent(Event); });
}

void TCheckList::mouseReleaseEvent(QMouseEvent* Event) {
    RaiseIfToggled([&] { TFlowList::mouseReleaseEvent(Event); });
}

void TCheckList::mouseDoubleClickEvent(QMouseEvent* Event) {
    RaiseIfToggled([&] { TFlowList::mouseDoubleClickEvent(Event); });
}

void TCheckList::keyPressEvent(QKeyEvent* Event) {
    RaiseIfToggled([&] { TFlowList::keyPressEvent(Event); });
}
