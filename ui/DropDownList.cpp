#include "DropDownList.h"

#include "Condense.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {
// Styles that open a drop-down list like a menu (Fusion among them) show every entry and ignore
// maxVisibleItems; the plain list keeps the limit and scrolls, on every style.
class TListPopupStyle final : public QProxyStyle {
public:
    explicit TListPopupStyle(QObject* Owner) : QProxyStyle(QApplication::style()->name()) {
        setParent(Owner);
    }

    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override {
        if (Hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
};
} // namespace

TDropDownList::TDropDownList(QWidget* Parent) : QComboBox(Parent) {
    setStyle(new TListPopupStyle(this));
}

void TDropDownList::showPopup() {
    QAbstractItemView* List = view();
    int Width = List->sizeHintForColumn(0) + 2 * List->frameWidth();
    if (count() > maxVisibleItems()) Width += List->verticalScrollBar()->sizeHint().width();
    List->setMinimumWidth(Width);
    QComboBox::showPopup();
}

// As QComboBox paints itself, with the label's font condensed to the edit field when needed.
void TDropDownList::paintEvent(QPaintEvent*) {
    QStylePainter Painter(this);
    Painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox Option;
    initStyleOption(&Option);
    Painter.drawComplexControl(QStyle::CC_ComboBox, Option);
    const QRect Edit =
        style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, this);
    // The style draws the label one pixel in from either side of the edit field.
    Painter.setFont(Condensed(font(), Option.currentText, Edit.width() - 2));
    Painter.drawControl(QStyle::CE_ComboBoxLabel, Option);
}
