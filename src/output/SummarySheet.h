#pragma once
// The code summary's sheet, printed after the record's own pages.

namespace veltrasa {

class Printer;
struct CodeSummary;

// Draws the sheet on the printer's current page, laid out for A4: the title
// 振り返り, the figures, the timeline and the lists. A list longer than its
// room ends with a line that says how many lines were left out.
void drawSummarySheet(Printer& printer, const CodeSummary& summary);

} // namespace veltrasa
