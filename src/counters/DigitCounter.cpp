#include "counters/DigitCounter.h"

#include "platform/Controls.h"
#include "platform/Timer.h"

namespace veltrasa {
namespace {
// Value at which each cell wraps to 0: seconds, tens of seconds, minutes,
// tens of minutes, hours, tens of hours.
constexpr std::array<int, DigitCounter::kCells> kWrapAt = {10, 6, 10, 6, 10, 6};
constexpr int kMinutesCell = 2;
} // namespace

DigitCounter::DigitCounter(Timer& timer, std::array<Label*, 4> digits, Label& separator, DigitCounterParams params)
    : timer_(timer), digits_(digits), separator_(separator), params_(params)
{
    timer_.setHandler([this] { advanceCounter(); });
}

int DigitCounter::elapsedSeconds() const
{
    int seconds = 0;
    for (int k = kCells - 1; k >= 0; --k)
        seconds = seconds * kWrapAt[static_cast<std::size_t>(k)] + cell(k);
    return seconds;
}

void DigitCounter::startCounter()
{
    timer_.setEnabled(true);
}

void DigitCounter::resetDigits()
{
    if (!params_.hasReset)
        return;
    for (int k = 0; k < 4; ++k)
        cells_[static_cast<std::size_t>(k)] = 0;
    for (Label* digit : digits_)
        digit->setText(QStringLiteral("0"));
}

void DigitCounter::setDigitColour(QRgb colour)
{
    for (Label* digit : digits_)
        digit->setColour(colour);
    separator_.setColour(colour);
}

void DigitCounter::advanceCounter()
{
    // Carry from the seconds upwards; `wrapped` counts the cells that wrapped.
    int wrapped = 0;
    for (int k = 0; k < kCells; ++k) {
        auto& c = cells_[static_cast<std::size_t>(k)];
        ++c;
        if (k == kMinutesCell && params_.dueThreshold >= 0 && c == params_.dueThreshold)
            setDigitColour(kDueColour);
        if (c != kWrapAt[static_cast<std::size_t>(k)])
            break;
        c = 0;
        ++wrapped;
    }
    // Refresh the displayed positions up to the highest cell the carry reached.
    const int refresh = wrapped + 1 < 4 ? wrapped + 1 : 4;
    for (int p = 0; p < refresh; ++p)
        writeDigit(p);
}

void DigitCounter::writeDigit(int position)
{
    const int cellIndex = params_.firstDisplayedCell + position;
    const int value = cells_[static_cast<std::size_t>(cellIndex)];
    digits_[static_cast<std::size_t>(position)]->setText(QString(QChar(u'0' + value)));
}

} // namespace veltrasa
