#include "counters/DigitCounter.h"

#include <algorithm>

#include "common/Colours.h"
#include "common/Texts.h"
#include "controls/Label.h"
#include "platform/Clock.h"
#include "platform/Timer.h"

namespace veltrasa {
namespace {
// Value at which each cell wraps to 0: seconds, tens of seconds, minutes,
// tens of minutes, hours, tens of hours.
constexpr std::array<int, DigitCounter::kCells> kWrapAt = {10, 6, 10, 6, 10, 6};
constexpr qint64 kCellsWrapAfter = qint64(60) * 60 * 60; // seconds: 60 hours
} // namespace

DigitCounter::DigitCounter(Timer& timer, const Clock& clock, std::array<Label*, 4> digits, Label& separator,
                           DigitCounterParams params)
    : timer_(timer), clock_(clock), digits_(digits), separator_(separator), params_(params)
{
    timer_.setHandler([this] { advanceCounter(); });
}

int DigitCounter::cellOf(qint64 seconds, int k)
{
    qint64 rest = seconds % kCellsWrapAfter;
    for (int i = 0; i < k; ++i)
        rest /= kWrapAt[static_cast<std::size_t>(i)];
    return int(rest % kWrapAt[static_cast<std::size_t>(k)]);
}

int DigitCounter::elapsedSeconds() const
{
    return int(shown_ % kCellsWrapAfter);
}

void DigitCounter::startCounter()
{
    // Started, the counter goes on from what it shows; running, it goes on.
    if (!timer_.isEnabled())
        startMs_ = clock_.elapsedMs() - shown_ * 1000;
    timer_.setEnabled(true);
}

void DigitCounter::resetDigits()
{
    if (!params_.hasReset)
        return;
    startMs_ = clock_.elapsedMs();
    shown_ = 0;
    for (Label* digit : digits_)
        digit->setText(QString::fromUtf16(texts::kZeroDigit));
}

void DigitCounter::setDigitColour(QRgb colour)
{
    for (Label* digit : digits_)
        digit->setColour(colour);
    separator_.setColour(colour);
}

void DigitCounter::advanceCounter()
{
    const qint64 elapsedMs = clock_.elapsedMs() - startMs_;
    qint64 seconds = shown_ + 1;
    if (qAbs(seconds * 1000 - elapsedMs) > kLeewayMs)
        seconds = std::max(shown_, (elapsedMs + 500) / 1000); // never back
    // Due from the threshold on, also when a late tick jumps past it; the
    // colour is set before the digits that show the new time are written.
    const qint64 dueAt = qint64(params_.dueThreshold) * 60;
    if (params_.dueThreshold >= 0 && shown_ < dueAt && seconds >= dueAt)
        setDigitColour(colours::kCounterDue);
    show(seconds);
}

void DigitCounter::show(qint64 seconds)
{
    const qint64 before = shown_;
    shown_ = seconds;
    for (int p = 0; p < int(digits_.size()); ++p) {
        const int k = params_.firstDisplayedCell + p;
        if (cellOf(before, k) != cellOf(seconds, k))
            writeDigit(p);
    }
}

void DigitCounter::writeDigit(int position)
{
    const int value = cell(params_.firstDisplayedCell + position);
    digits_[static_cast<std::size_t>(position)]->setText(QString(QChar(u'0' + value)));
}

} // namespace veltrasa
