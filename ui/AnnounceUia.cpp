#include "Announce.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

// UI Automation passes name changes on for drop-down lists only; a value change with a text is
// raised as a notification, which a screen reader reads wherever the focus is.
void AnnounceChange(QWidget* Control, const QString& Summary) {
    Control->setAccessibleName(Summary);
    QAccessibleValueChangeEvent Event(Control, Summary);
    QAccessible::updateAccessibility(&Event);
}
