#pragma once
// The main window gone without a close: another client of the window system destroyed it. One
// implementation file per platform.

class QWidget;

// Ends the event loop when the window system destroys Window behind the program's back, which
// would otherwise leave the process running with no window.
void QuitWhenDestroyedElsewhere(QWidget& Window);
