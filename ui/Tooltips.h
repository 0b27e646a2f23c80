#pragma once
// The explanations of the main window's controls, columns and labels, in Greek (polytonic) and
// English.

class QWidget;

// Sets the tooltip of every control of the window in the language given (0 Greek, 1 English).
void ApplyTooltips(QWidget* Window, int Language);
