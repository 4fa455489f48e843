#pragma once

namespace veltrasa {

// Ends the program from inside the main window's unload handler: every
// window closes and the event loop is left.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
};

} // namespace veltrasa
