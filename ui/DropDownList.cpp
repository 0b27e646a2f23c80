#include "DropDownList.h"

#include "Condense.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

TDropDownList::TDropDownList(QWidget* Parent) : QComboBox(Parent) {}

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
