#include "counters/ClockDisplay.h"

#include "common/Colours.h"
#include "common/Texts.h"
#include "controls/Label.h"
#include "platform/Clock.h"

namespace veltrasa {
namespace {
// Digit values of "hh:mm", by clock cell: units of minutes, tens of minutes,
// units of hours, tens of hours.
std::array<int, 4> timeDigits(const QTime& t)
{
    return {t.minute() % 10, t.minute() / 10, t.hour() % 10, t.hour() / 10};
}

QString digitText(int value)
{
    return QString(QChar(u'0' + value));
}
} // namespace

QString formatDisplayDate(const QDate& date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

ClockDisplay::ClockDisplay(const Clock& clock, std::array<Label*, 4> digits, Label& separator, Label& date,
                           Label& arrivalSeparator)
    : clock_(clock), digits_(digits), separator_(separator), date_(date), arrivalSeparator_(arrivalSeparator)
{
}

void ClockDisplay::initClockDisplay()
{
    const auto values = timeDigits(clock_.now().time());
    for (std::size_t cell = 0; cell < values.size(); ++cell)
        digits_[cell]->setText(digitText(values[cell]));
    separator_.setText(QString::fromUtf16(texts::kSeparator));
    clockDigits = values;
}

void ClockDisplay::showToday()
{
    displayedDate = clock_.today();
    date_.setText(formatDisplayDate(displayedDate));
}

void ClockDisplay::clockTick()
{
    const QDateTime now = clock_.now();
    if (now.date() != displayedDate) {
        date_.setText(formatDisplayDate(now.date()));
        displayedDate = now.date();
    }

    const auto values = timeDigits(now.time());
    for (std::size_t cell = 0; cell < values.size(); ++cell) {
        if (values[cell] != clockDigits[cell]) {
            digits_[cell]->setText(digitText(values[cell]));
            clockDigits[cell] = values[cell];
        }
    }

    colonDimmed = !colonDimmed;
    separator_.setColour(colonDimmed ? colours::kClockDim : colours::kClockBright);
    if (arrivalRecorded)
        arrivalSeparator_.setColour(colonDimmed ? colours::kArrivalDim : colours::kArrivalBright);
}

} // namespace veltrasa
