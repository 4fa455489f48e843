#pragma once
#include <array>

#include <QDate>
#include <QRgb>
#include <QString>

namespace veltrasa {

class Clock;
class Label;

// "yyyy-mm-dd" in ASCII whatever the user's locale.
QString formatDisplayDate(const QDate& date);

// The wall clock (hours:minutes) and date of the main window. Unlike the
// counters it reads the local clock on every tick and shows what it reads;
// its separator blinks, and once the arrival is recorded the arrival
// counter's separator blinks in step with it. It keeps the date it shows.
class ClockDisplay {
public:
    // digits: Label3(0) .. Label3(3) (units of minutes .. tens of hours).
    ClockDisplay(const Clock& clock, std::array<Label*, 4> digits, Label& separator, Label& date,
                 Label& arrivalSeparator);

    void initClockDisplay();
    // Writes today's date into the date label and remembers it.
    void showToday();
    void clockTick();

    bool colonDimmed = false;
    // Hospital arrival has been recorded: from then on each tick also blinks
    // the arrival counter's separator.
    bool arrivalRecorded = false;
    std::array<int, 4> clockDigits{};
    QDate displayedDate; // the date last written to the date label

private:
    const Clock& clock_;
    std::array<Label*, 4> digits_;
    Label& separator_;
    Label& date_;
    Label& arrivalSeparator_;
};

} // namespace veltrasa
