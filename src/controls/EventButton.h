#pragma once

namespace veltrasa {

// A two-state event button: up, or held down (shown pressed in) from the
// press until its handler releases it.
class EventButton {
public:
    virtual ~EventButton() = default;
    virtual bool isHeldDown() const = 0;
    virtual void setHeldDown(bool down) = 0;
};

} // namespace veltrasa
