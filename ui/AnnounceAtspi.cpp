#include "Announce.h"

#include <QString>
#include <QWidget>

// Setting the name always raises its change event, the one the AT-SPI bridge carries for any
// object (a value change there needs a numeric value).
void AnnounceChange(QWidget* Control, const QString& Summary) {
    Control->setAccessibleName(Summary);
}
