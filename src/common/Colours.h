#pragma once
// Every colour the program paints with, as 0xAARRGGBB. The palette first,
// named for the colour; then the colours named for what they mark, where
// one place picks among them.

#include <QRgb>

namespace veltrasa::colours {

inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kSilver = 0xFFC0C0C0;
inline constexpr QRgb kGrey = 0xFF808080;
inline constexpr QRgb kPaleGrey = 0xFFE0E0E0;
inline constexpr QRgb kDarkGrey = 0xFF404040;
inline constexpr QRgb kGreen = 0xFF00FF00;
inline constexpr QRgb kDarkGreen = 0xFF008000;
inline constexpr QRgb kBrown = 0xFF804000;
inline constexpr QRgb kOrange = 0xFFFF8000;
inline constexpr QRgb kOlive = 0xFF808000;
inline constexpr QRgb kYellow = 0xFFFFFF00;
inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kPink = 0xFFFF8080;
inline constexpr QRgb kNavy = 0xFF000080;
inline constexpr QRgb kMidnight = 0xFF000040;
inline constexpr QRgb kMaroon = 0xFF400000;
inline constexpr QRgb kPaleRed = 0xFFFFC0C0;
inline constexpr QRgb kPaleGreen = 0xFFC0FFC0;

// The clock's colon, bright and dimmed as it blinks, and the arrival
// counter's colon blinking with it.
inline constexpr QRgb kClockBright = kGreen;
inline constexpr QRgb kClockDim = kDarkGreen;
inline constexpr QRgb kArrivalBright = kOrange;
inline constexpr QRgb kArrivalDim = kBrown;
// A counter's digits once its drug or shock is due again.
inline constexpr QRgb kCounterDue = kPink;
// The rhythm buttons, and the one pressed last.
inline constexpr QRgb kRhythmButton = kNavy;
inline constexpr QRgb kLatestRhythm = kRed;

// The picture panels' dark blue gradient, edge and middle.
inline constexpr QRgb kPanelEdge = 0xFF000006;
inline constexpr QRgb kPanelMiddle = 0xFF333399;

// The summary timeline: each lane's ink, the shockable rhythms' and return
// of circulation's, the grid and the text.
inline constexpr QRgb kCprInk = 0xFFD04040;
inline constexpr QRgb kShockInk = 0xFFC00000;
inline constexpr QRgb kEpinephrineInk = 0xFFB06000;
inline constexpr QRgb kAtropineInk = 0xFF007000;
inline constexpr QRgb kAntiarrhythmicInk = 0xFF0040C0;
inline constexpr QRgb kRhythmInk = kDarkGrey;
inline constexpr QRgb kShockableRhythmInk = kShockInk;
inline constexpr QRgb kReturnOfCirculationInk = kAtropineInk;
inline constexpr QRgb kGridInk = 0xFFD0D0D0;
inline constexpr QRgb kTextInk = kBlack;

} // namespace veltrasa::colours
