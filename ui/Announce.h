#pragma once
// Tells a screen reader that a control's contents changed while the focus is elsewhere, with the
// kind of event each platform's bridge carries: a name change on AT-SPI, a value change (read as
// a notification) on UI Automation. The control's accessible name becomes Summary.

class QString;
class QWidget;

void AnnounceChange(QWidget* Control, const QString& Summary);
