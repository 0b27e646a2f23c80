// Windows: no other process can destroy the program's window; closing it is a WM_CLOSE, which
// Qt handles as a close.
#include "WindowWatch.h"

void QuitWhenDestroyedElsewhere(QWidget&) {}
