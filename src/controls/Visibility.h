#pragma once

namespace veltrasa {

// Something that is only shown or hidden (a filled rectangle). Shown means
// not hidden itself, whether or not its window is on the screen.
class Visibility {
public:
    virtual ~Visibility() = default;
    virtual void setShown(bool shown) = 0;
    virtual bool isShown() const = 0;
};

} // namespace veltrasa
