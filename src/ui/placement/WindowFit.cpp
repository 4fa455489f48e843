#include "ui/placement/WindowFit.h"

#include <algorithm>

namespace veltrasa {
namespace {
// Below this the window would be too small to read or use; a screen that
// small gets the window at this scale, its title bar on the screen.
constexpr double kSmallestFactor = 0.25;

WindowFit centredFit(const QRect& available, const QMargins& frame, QSize clientTwips)
{
    const double roomWidth = available.width() - frame.left() - frame.right();
    const double roomHeight = available.height() - frame.top() - frame.bottom();
    const double width = double(clientTwips.width()) / layout::kTwipsPerPixel;
    const double height = double(clientTwips.height()) / layout::kTwipsPerPixel;
    const double factor = std::max(kSmallestFactor, std::min({1.0, roomWidth / width, roomHeight / height}));
    const layout::Scale scale(factor);
    QRect outer(0, 0, scale.fromTwips(clientTwips.width()) + frame.left() + frame.right(),
                scale.fromTwips(clientTwips.height()) + frame.top() + frame.bottom());
    outer.moveCenter(available.center());
    // Where even the smallest window does not fit, its title bar does.
    return {scale, movedInside(outer, available)};
}
} // namespace

QRect movedInside(QRect rect, const QRect& area)
{
    rect.moveLeft(std::max(area.left(), std::min(rect.left(), area.right() + 1 - rect.width())));
    rect.moveTop(std::max(area.top(), std::min(rect.top(), area.bottom() + 1 - rect.height())));
    return rect;
}

WindowFit fitWindow(const QRect& available, const QMargins& frame, QSize clientTwips, int place)
{
    const WindowFit centred = centredFit(available, frame, clientTwips);
    if (place <= 0)
        return centred;
    // Each window of the cascade shows the title bar of the one before.
    const int step = std::max(kCascadeStep, frame.top());
    const int perRound = std::max(1, centred.frame.height() / 4 / step);
    const int offset = step * (1 + (place - 1) % perRound);
    const QRect moved = centred.frame.translated(offset, offset);
    if (available.contains(moved))
        return {centred.scale, moved};
    WindowFit smaller = centredFit(moved & available, frame, clientTwips);
    smaller.frame.moveTopLeft(moved.topLeft());
    // A screen too small for even that keeps the window where the first is.
    return available.contains(smaller.frame) ? smaller : centred;
}

} // namespace veltrasa
