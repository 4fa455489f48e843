#include "ui/layout/Scale.h"

#include <QtGlobal>

namespace veltrasa::layout {

int Scale::fromTwips(int twips) const
{
    return qRound(twips * factor_ / kTwipsPerPixel);
}

QRect Scale::rect(int left, int top, int width, int height) const
{
    const int x = fromTwips(left);
    const int y = fromTwips(top);
    return QRect(x, y, fromTwips(left + width) - x, fromTwips(top + height) - y);
}

int Scale::fromPixels(int pixels) const
{
    return qRound(pixels * factor_);
}

int Scale::line(int pixels) const
{
    return qMax(1, fromPixels(pixels));
}

} // namespace veltrasa::layout
