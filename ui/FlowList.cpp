#include "FlowList.h"

#include "Accessibility.h"
#include "Condense.h"

#include <QApplication>
#include <QFocusEvent>
#include <QStyledItemDelegate>

namespace {
// A check box is taller than a line of text; every row keeps 13 pixels all the same. A text
// wider than its column is drawn condensed to fit it.
class TLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        QStyleOptionViewItem Item = Option;
        initStyleOption(&Item, Index);
        const QWidget* View = Option.widget;
        const QStyle* Style = View ? View->style() : QApplication::style();
        // The style starts the text this far into its text rectangle; the text may then run
        // up to the end of its column.
        const int Margin = Style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, View) + 1;
        const QRect Text = Style->subElementRect(QStyle::SE_ItemViewItemText, &Item, View);
        Item.font = Condensed(Item.font, Item.text, Item.rect.right() + 1 - Text.left() - Margin);
        Style->drawControl(QStyle::CE_ItemViewItem, &Item, Painter, View);
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), TFlowList::RowHeight};
    }
};
} // namespace

TFlowList::TFlowList(QWidget* Parent) : QListWidget(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSpacing(0);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new TLineDelegate(this));
    // The view wraps a column only when a further row would end inside its area: one pixel more
    // at the bottom lets 11 rows of 13 fill an inner height of 143.
    setViewportMargins(0, 0, 0, -1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The lists hold at most as many items as their columns show; a scroll bar on call would
    // take its height from the rows even while hidden.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

void TFlowList::focusInEvent(QFocusEvent* Event) {
    QListWidget::focusInEvent(Event);
    if (Event->reason() != Qt::MouseFocusReason && Event->reason() != Qt::PopupFocusReason)
        AnnounceCurrentItem(this);
}

void TFlowList::UpdateGrid() {
    const int Inner = width() - 2 * frameWidth();
    setGridSize({Inner / ColumnCount, RowHeight});
}
