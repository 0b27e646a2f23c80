#pragma once
// What assistive technology (AT-SPI, UI Automation) is told about the window's own kinds of
// control where Qt's defaults would hide it: the main window is a frame, a radio group a named
// group, a drop-down list is named by what it chooses, a link can be pressed and a reference
// interval is a check box.

class QAbstractItemView;

// Installs the interfaces once; every window calls it before its controls are first queried.
void InstallAccessibility();

// Entering a list: its current row takes the focus as a screen reader sees it, after the list
// itself, whose focus event Qt sends once the list has handled the focus.
void AnnounceCurrentItem(QAbstractItemView* View);

// A mark toggled by the user: the state change of its item.
void AnnounceMark(QAbstractItemView* View, int Row);
