#pragma once
#include "platform/ProgramEnd.h"

namespace veltrasa {

class QtProgramEnd final : public ProgramEnd {
public:
    void endProgram() override;
};

} // namespace veltrasa
