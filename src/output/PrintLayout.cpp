#include "output/PrintLayout.h"

namespace veltrasa::print {

std::vector<PrintedPage> paginateRows(int rowCount, double printableHeight, double rowHeight)
{
    std::vector<PrintedPage> pages(1);
    int onPage = 0;
    for (int row = 0; row < rowCount; ++row) {
        double top = kFirstRowTop + kRowPitch * onPage;
        // A sheet too short for even one row still takes one, so every
        // row is placed somewhere.
        if (onPage > 0 && top + rowHeight > printableHeight) {
            pages.emplace_back();
            onPage = 0;
            top = kFirstRowTop;
        }
        pages.back().rows.push_back({row, top});
        ++onPage;
    }
    return pages;
}

double centredTitleLeft(double printableWidth, double titleWidth)
{
    // Single precision, as the title's position has always been worked out.
    return static_cast<double>(static_cast<float>(printableWidth) / 2.0f - static_cast<float>(titleWidth) / 2.0f);
}

} // namespace veltrasa::print
