#pragma once
#include <QFont>

#include "ui/Layout.h"

namespace veltrasa {

// Registers the installed faces that stand in for the window's Windows
// fonts: proportional and monospaced Japanese Gothic, proportional Mincho
// and an extra-heavy sans-serif. A missing face falls back to whatever
// fontconfig offers; it never stops the program.
void installFontSubstitutes();

QFont makeFont(const layout::FontSpec& spec);

} // namespace veltrasa
