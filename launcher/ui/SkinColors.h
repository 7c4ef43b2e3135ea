#pragma once
// SetColors: gives every control of a window the skin's two colours.
//  - command buttons (push and tool buttons) stay as they are;
//  - text boxes (line edits, text edits, spin boxes) get them swapped:
//    background = font colour, text = back colour;
//  - every other control (labels, lists, combo boxes, check boxes, sliders,
//    frames, group boxes) gets background = back colour, text = font colour.
// Controls are visited in the window's child order; inner parts of a
// control (a combo box's line edit, a list's viewport) follow their control
// rather than being coloured on their own. Labels and check boxes paint the
// back colour unless they carry the property "skinTransparent" = true (for
// labels that lie on a background picture). Plain container widgets get the
// colours in their palette but keep their transparency.
// Colours are applied through the palette, so they show under any style
// that follows the palette (Fusion, the default offscreen and on X11).
// Called by the main window, options window and loading screen. UI thread.
#include "ui/ColorText.h"

#include <QString>

class QWidget;

struct SkinColorPair {
    ColorValue back = 0;
    ColorValue font = 0;
};

// A negative colour means "from the skin file": BackColor (default
// "#0052bc") or FontColor (default "#FFFFFF"), read with create-if-missing.
SkinColorPair ResolveSkinColors(ColorValue back, ColorValue font, const QString& skinFile);

// Applies the colours (resolved as above) to every control of `target` and
// remembers them on `target`. Returns the colours applied. Null is ignored.
SkinColorPair SetColors(QWidget* target, ColorValue back, ColorValue font, const QString& skinFile);

// The colours last applied to `target` by SetColors; false when none were.
bool CurrentSkinColors(const QWidget* target, SkinColorPair& out);
