#include "FlowList.h"

TFlowList::TFlowList(QWidget* Parent) : QListWidget(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSpacing(0);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UpdateGrid();
}

void TFlowList::setColumns(int Count) {
    ColumnCount = Count < 1 ? 1 : Count;
    UpdateGrid();
}

void TFlowList::SetLines(const QStringList& Lines) {
    const int Old = count();
    for (int i = 0; i < Lines.size() && i < Old; ++i)
        item(i)->setText(Lines[i]);
    for (int i = Old - 1; i >= Lines.size(); --i)
        delete takeItem(i);
    for (qsizetype i = Old; i < Lines.size(); ++i)
        addItem(Lines[i]);
}

void TFlowList::resizeEvent(QResizeEvent* Event) {
    UpdateGrid();
    QListWidget::resizeEvent(Event);
}

void TFlowList::UpdateGrid() {
    const int Inner = width() - 2 * frameWidth();
    setGridSize({Inner / ColumnCount, RowHeight});
}
