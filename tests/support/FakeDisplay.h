#pragma once
// Four digit labels and a separator in memory, read back as the screen
// shows them ("hh:mm" or "mm:ss"), with the number of writes per position.

#include <array>

#include "Scripted.h"

namespace veltrasa::testing {

struct FakeDisplay {
    std::array<FakeLabel, 4> digits; // by display position, 0 = rightmost
    FakeLabel separator;

    std::array<Label*, 4> pointers() { return {&digits[0], &digits[1], &digits[2], &digits[3]}; }
    QString shown() const
    {
        return digits[3].text() + digits[2].text() + separator.text() + digits[1].text() + digits[0].text();
    }
    std::array<int, 4> writes() const
    {
        return {digits[0].textWrites, digits[1].textWrites, digits[2].textWrites, digits[3].textWrites};
    }
    void resetWrites()
    {
        for (auto& d : digits)
            d.textWrites = 0;
    }
    bool coloured(QRgb c) const
    {
        for (const auto& d : digits)
            if (d.colour() != c)
                return false;
        return separator.colour() == c;
    }
};

} // namespace veltrasa::testing
