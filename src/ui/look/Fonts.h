#pragma once
#include <QFont>

#include "ui/layout/FontFace.h"
#include "ui/layout/Scale.h"

namespace veltrasa {

// Registers the installed faces that stand in for the window's Windows
// fonts: proportional and monospaced Japanese Gothic, proportional Mincho
// and an extra-heavy sans-serif. A missing face falls back to whatever
// fontconfig offers; it never stops the program.
void installFontSubstitutes();

// A font of the installed family that stands for the face (see above), at
// the face's size times the window's scale.
QFont makeFont(const layout::FontSpec& face, const layout::Scale& scale = layout::Scale());

// `font` at its size times the scale (a font of the platform's, such as a
// menu's, shown with a scaled window).
QFont scaledFont(QFont font, const layout::Scale& scale);

// Vertical metrics, in ems, of the Windows face a family name stands for.
// A label puts its first baseline `ascent` below its top and each further
// line `ascent + descent` lower, as the original face did, so a substitute
// with other metrics still places its glyphs where the layout expects them
// (the large counter digits low in their boxes, the eleven lines of the
// reversible causes inside theirs).
struct FaceMetrics {
    double ascent;
    double descent;
};
FaceMetrics originalFaceMetrics(const QString& family);

} // namespace veltrasa
