#pragma once

namespace veltrasa {

// Keeps the screen from blanking while a record is open. keepAwake() is
// asked for at start-up, release() once the shut-down has finished; a
// second request or a release with nothing held does nothing. Neither
// reports a failure nor makes the user wait: a desktop that cannot be asked
// simply blanks as it always would.
class DisplayKeeper {
public:
    virtual ~DisplayKeeper() = default;
    virtual void keepAwake() = 0;
    virtual void release() = 0;
};

} // namespace veltrasa
