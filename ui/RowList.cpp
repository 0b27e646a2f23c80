#include "RowList.h"

#include "Accessibility.h"
#include "Condense.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
class TRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        const bool Selected = Option.state.testFlag(QStyle::State_Selected);
        const auto Group =
            Option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
        Painter->save();
        Painter->fillRect(Option.rect, Option.palette.brush(Group, Selected ? QPalette::Highlight
                                                                            : QPalette::Base));
        Painter->setPen(
            Option.palette.color(Group, Selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect Text = Option.rect.adjusted(2, 0, 0, 0);
        const QString Line = Index.data(Qt::DisplayRole).toString();
        Painter->setFont(Condensed(Option.font, Line, Text.width()));
        // No Qt::TextShowMnemonic: an "&" in a note name is text, not an access key.
        Painter->drawText(Text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Line);
        if (Option.state.testFlag(QStyle::State_HasFocus)) {
            QStyleOptionFocusRect Focus;
            Focus.QStyleOption::operator=(Option);
            // Styles hide focus rectangles until the keyboard has moved the focus; the current
            // row shows it after a mouse click as well.
            Focus.state |= QStyle::State_KeyboardFocusChange;
            Focus.rect = Option.rect;
            Focus.backgroundColor =
                Option.palette.color(Group, Selected ? QPalette::Highlight : QPalette::Base);
            const QWidget* View = Option.widget;
            (View ? View->style() : QApplication::style())
                ->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, Painter, View);
        }
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override {
        return {Option.rect.width(), TRowList::RowHeight};
    }
};
} // namespace

TRowList::TRowList(QWidget* Parent) : QListWidget(Parent) {
    // A 2-pixel sunken edge on each side: a declared height of 180 leaves 176 = 8 rows.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setSpacing(0);
    setItemDelegate(new TRowDelegate(this));
    viewport()->setMouseTracking(true);
}

int TRowList::ItemIndex() const {
    const auto Rows = selectionModel()->selectedIndexes();
    return Rows.isEmpty() ? -1 : Rows.first().row();
}

void TRowList::SetItemIndex(int Row) {
    if (Row < 0) {
        setCurrentRow(-1);
        clearSelection();
    } else {
        setCurrentRow(Row);
    }
}

template <typename F> void TRowList::RaiseClickIfChanged(F&& Handle) {
    const int Before = ItemIndex();
    Handle();
    if (ItemIndex() != Before) emit Click();
}

void TRowList::mousePressEvent(QMouseEvent* Event) {
    RaiseClickIfChanged([&] { QListWidget::mousePressEvent(Event); });
    emit MouseDown();
}

void TRowList::mouseMoveEvent(QMouseEvent* Event) {
    RaiseClickIfChanged([&] { QListWidget::mouseMoveEvent(Event); });
    emit MouseMove();
}

void TRowList::mouseReleaseEvent(QMouseEvent* Event) {
    RaiseClickIfChanged([&] { QListWidget::mouseReleaseEvent(Event); });
}

void TRowList::keyPressEvent(QKeyEvent* Event) {
    RaiseClickIfChanged([&] { QListWidget::keyPressEvent(Event); });
}

void TRowList::focusInEvent(QFocusEvent* Event) {
    QListWidget::focusInEvent(Event);
    if (Event->reason() != Qt::MouseFocusReason && Event->reason() != Qt::PopupFocusReason)
        AnnounceCurrentItem(this);
}

// A list whose row follows the one the user moves in tells assistive technology nothing: only
// the list with the focus announces its row (QListView's overrides add just those events).
void TRowList::currentChanged(const QModelIndex& Current, const QModelIndex& Previous) {
    if (hasFocus())
        QListWidget::currentChanged(Current, Previous);
    else
        QAbstractItemView::currentChanged(Current, Previous);
}

void TRowList::selectionChanged(const QItemSelection& Selected, const QItemSelection& Deselected) {
    if (hasFocus())
        QListWidget::selectionChanged(Selected, Deselected);
    else
        QAbstractItemView::selectionChanged(Selected, Deselected);
}
