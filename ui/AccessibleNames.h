#pragma once
// The accessible names of the main window's controls in Greek and English.

class QString;
class QWidget;

// Names every control of the window in the language given (0 Greek, 1 English); a heading's
// text names the column under it.
void ApplyAccessibleNames(QWidget* Window, int Language);

// The name of the interval list, which says how many lines it holds.
QString IntervalListName(int Lines, int Language);
