#pragma once
#include <array>
#include <cstdint>

#include <QRgb>

namespace veltrasa {

class Label;
class Timer;

// Fixed parameters of one counter: what it shows and when it turns due.
struct DigitCounterParams {
    int firstDisplayedCell = 0; // 0: minutes:seconds, 2: hours:minutes
    int dueThreshold = -1;      // units-of-minutes value that makes it due; -1: never
    QRgb activeColour = 0;
    bool hasReset = true; // the arrival counter is never zeroed
};

// A stopwatch built as a decimal odometer: each tick of its timer adds one
// second to six digit cells with carry, and only the displayed digits that
// can have changed are written to their labels. It never reads the clock.
class DigitCounter {
public:
    static constexpr QRgb kDueColour = 0xFFFF8080;
    static constexpr int kCells = 6;

    // digits[p] shows display position p (0 = rightmost).
    DigitCounter(Timer& timer, std::array<Label*, 4> digits, Label& separator, DigitCounterParams params);

    void startCounter();
    void resetDigits();
    void setDigitColour(QRgb colour);
    void advanceCounter();

    int cell(int k) const { return cells_[static_cast<std::size_t>(k)]; }
    // The seconds the cells count, read as one number.
    int elapsedSeconds() const;
    const DigitCounterParams& params() const { return params_; }
    Timer& timer() { return timer_; }

private:
    void writeDigit(int position);

    Timer& timer_;
    std::array<Label*, 4> digits_;
    Label& separator_;
    DigitCounterParams params_;
    std::array<std::int16_t, kCells> cells_{};
};

} // namespace veltrasa
