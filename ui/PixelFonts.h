#pragma once
// Layouts declare fonts in points, as Designer stores them; the window is laid out in pixels at
// 96 pixels per inch, so every declared font becomes a pixel-sized one (8 pt = 11 px,
// 12 pt = 16 px) with fallbacks of about Tahoma's width that cover Greek Extended.

class QWidget;

void PixelFonts(QWidget* Root);
