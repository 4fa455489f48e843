#pragma once
#include <array>

#include <QRgb>
#include <QtGlobal>

namespace veltrasa {

class Clock;
class Label;
class Timer;

// Fixed parameters of one counter: what it shows and when it turns due.
struct DigitCounterParams {
    int firstDisplayedCell = 0; // 0: minutes:seconds, 2: hours:minutes
    int dueThreshold = -1;      // minutes after its event from which it is due; -1: never
    QRgb activeColour = 0;
    bool hasReset = true; // the arrival counter is never zeroed
};

// A stopwatch shown as six decimal digit cells (seconds, tens of seconds,
// minutes, tens of minutes, hours, tens of hours), four of them on labels.
// Each tick of its timer shows the time elapsed since its event in whole
// seconds, measured on the clock's elapsed time, so a tick that comes late
// (the program stopped, the machine busy or suspended) shows the right
// value and the digits jump. Only the displayed digits that changed are
// written to their labels.
class DigitCounter {
public:
    static constexpr int kCells = 6;
    // A tick adds one second to what the counter shows while that stays
    // this close to the elapsed time; otherwise the counter shows the
    // elapsed time rounded to the nearest second. The leeway keeps the
    // digits from stuttering when ticks come near a half second of the
    // counter's time.
    static constexpr qint64 kLeewayMs = 750;

    // digits[p] shows display position p (0 = rightmost).
    DigitCounter(Timer& timer, const Clock& clock, std::array<Label*, 4> digits, Label& separator,
                 DigitCounterParams params);

    void startCounter();
    void resetDigits();
    void setDigitColour(QRgb colour);
    void advanceCounter();

    int cell(int k) const { return cellOf(shown_, k); }
    // The seconds the cells count, read as one number (it wraps to 0 after
    // 60 hours, as the cells do).
    int elapsedSeconds() const;
    const DigitCounterParams& params() const { return params_; }
    Timer& timer() { return timer_; }

private:
    static int cellOf(qint64 seconds, int k);
    void show(qint64 seconds);
    void writeDigit(int position);

    Timer& timer_;
    const Clock& clock_;
    std::array<Label*, 4> digits_;
    Label& separator_;
    DigitCounterParams params_;
    qint64 startMs_ = 0; // the counter's event, on the clock's elapsed time
    qint64 shown_ = 0;   // whole seconds since then that the digits show
};

} // namespace veltrasa
