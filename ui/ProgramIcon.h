#pragma once
// The program's own icon, and placing a window in the middle of its screen.

#include <QIcon>

class QWidget;

QIcon ProgramIcon();
void CentreOnScreen(QWidget* Window);
