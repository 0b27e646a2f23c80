#pragma once
// Texts wider than their box are drawn in the same face at the same pixel height, horizontally
// condensed just enough to fit: never cut, never smaller, never elided.

#include <QFont>
#include <QString>

// Pixels the text takes when drawn in Face: its advance, or its ink where a glyph overhangs it.
int TextWidth(const QFont& Face, const QString& Text);

// Face itself when Text fits Width pixels, else Face with the largest stretch that fits.
QFont Condensed(const QFont& Face, const QString& Text, int Width);

// A caption as drawn: "&x" marks an access key and "&&" stands for "&".
QString WithoutMnemonic(const QString& Caption);
