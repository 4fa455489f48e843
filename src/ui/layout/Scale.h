#pragma once
// How large a window is shown against its layout. Layouts are in twips
// (15 twips = 1 pixel at 96 dpi); pictures and insets in pixels at 96 dpi.

#include <QRect>
#include <QSize>

namespace veltrasa::layout {

constexpr int kTwipsPerPixel = 15;

// Factor 1 where the screen holds the window as laid out, less where it is
// shown smaller to fit. One factor scales every place, size, font, picture
// and border, so the proportions are kept.
class Scale {
public:
    constexpr Scale() = default;
    constexpr explicit Scale(double factor) : factor_(factor) {}
    constexpr double factor() const { return factor_; }
    bool operator==(const Scale& other) const { return factor_ == other.factor_; }
    bool operator!=(const Scale& other) const { return !(*this == other); }

    // A length in twips, in pixels at this scale, rounded to the nearest.
    int fromTwips(int twips) const;
    // A rectangle in twips, each edge rounded on its own: controls that
    // meet in twips meet on the screen.
    QRect rect(int left, int top, int width, int height) const;
    // A length drawn in pixels at 96 dpi (a picture, an inset), at this scale.
    int fromPixels(int pixels) const;
    QSize size(QSize pixels) const { return {fromPixels(pixels.width()), fromPixels(pixels.height())}; }
    // The width of a line drawn `pixels` wide at 96 dpi; never thinner than
    // one pixel.
    int line(int pixels) const;
    double points(double points) const { return points * factor_; }

private:
    double factor_ = 1.0;
};

} // namespace veltrasa::layout
