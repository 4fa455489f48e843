#pragma once
// The summary window (振り返り): its size in twips, caption, button and
// fonts. Its figures, lists and timeline are set out by Qt's layouts inside.

#include "common/Texts.h"
#include "ui/layout/FontFace.h"

namespace veltrasa::layout::summary {

// Inside the main window's client area, so it fits wherever that does.
constexpr int kClientWidth = 16800;
constexpr int kClientHeight = 12000;
inline constexpr const char16_t* kCaption = texts::kSummary;
inline constexpr const char16_t* kCloseCaption = texts::kCloseButton;
inline constexpr FontSpec kFont{kPGothic, 11.25, false};
// Margins and spacing, in pixels at 96 dpi.
constexpr int kMargin = 12;
constexpr int kSpacing = 6;

} // namespace veltrasa::layout::summary
