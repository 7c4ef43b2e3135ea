#pragma once
// Colour values and their text form as skins store them.
//  - A colour value is 32 bits with red in the low byte, green in the next and
//    blue in the third (0x00BBGGRR). A negative value is a system colour:
//    0x80000000 | index, the index naming a part of the desktop theme
//    (5 window background, 8 window text, 15 button face, ...); it is
//    translated through the application palette.
//  - The text form is "#" followed by six hexadecimal digits, red, green,
//    blue: "#0052bc".
// Pure functions; system colours read QGuiApplication's palette. UI thread.
#include <QColor>
#include <QString>

using ColorValue = qint32;

// System colour indexes understood by TranslateSystemColor.
constexpr ColorValue kSystemColorFlag = ColorValue(0x80000000u);
constexpr ColorValue SystemColor(int index) { return ColorValue(0x80000000u | unsigned(index)); }

// Text to colour value. Every "#" and the blanks at both ends are removed;
// then characters 1-2 are red, 3-4 green, 5-6 blue, each read as a
// hexadecimal number up to its first non-digit. A part that is missing or
// not hexadecimal counts as 0, so any text gives a colour ("" is black).
ColorValue HexToColor(const QString& text);
// Colour value to "#RRGGBB" (upper-case digits); a system colour is first
// translated to the theme's current colour.
QString ColorToHex(ColorValue colour);

// True when `text`, after removing every "#" and blanks at both ends, starts
// with six hexadecimal digits: the text names a colour rather than falling
// back to black.
bool IsColorText(const QString& text);

// A system colour (negative value) to its current RGB value through the
// application palette; other values come back unchanged. An unknown system
// colour index gives black.
ColorValue TranslateSystemColor(ColorValue colour);

// Conversions to and from Qt colours (system colours are translated first).
QColor ToQColor(ColorValue colour);
ColorValue FromQColor(const QColor& colour);
