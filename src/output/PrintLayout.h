#pragma once
// Where each part of the printed record goes. Positions are twips from the
// top-left corner of the printable area, each naming the top-left corner
// of a text.

#include <vector>

namespace veltrasa::print {

// The printout's face, proportional Mincho (the window has no Mincho).
inline constexpr const char16_t* kFace = u"ＭＳ Ｐ明朝";
constexpr double kTitleTop = 500;
constexpr double kRowLeft = 1500;
constexpr double kFirstRowTop = 1000;
constexpr double kRowPitch = 400;
constexpr double kTitlePoints = 12;
constexpr double kRowPoints = 16;

struct PlacedRow {
    int row;    // index in the record list
    double top; // vertical position on its page
};

// One sheet: the title line at its place, then these rows.
struct PrintedPage {
    std::vector<PlacedRow> rows;
};

// Rows go down the sheet at 400-twip pitch from 1000 twips. A row that
// would reach below the printable area's bottom (printableHeight) starts a
// new sheet, where the rows continue from 1000 twips. The first sheet is
// therefore exactly the single-sheet layout as far as it reaches, and every
// row is placed. An empty record still gets one sheet (the title).
std::vector<PrintedPage> paginateRows(int rowCount, double printableHeight, double rowHeight);

// Horizontal position that centres a title of the measured width.
double centredTitleLeft(double printableWidth, double titleWidth);

} // namespace veltrasa::print
