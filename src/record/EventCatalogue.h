#pragma once
#include <array>
#include <optional>

#include <QString>

#include "counters/CounterTable.h"
#include "record/RecordState.h"

namespace veltrasa {

constexpr int kEventButtonCount = 16;
constexpr int kRhythmButtonCount = 6;
constexpr int kArrivalEvent = 0;
constexpr int kCprStartEvent = 1;
constexpr int kDefibrillationEvent = 2;
constexpr int kEpinephrineEvent = 5;
constexpr int kAtropineEvent = 6;
constexpr int kEndOfCprEvent = 15;
// The rhythm buttons of the shockable rhythms and of return of circulation.
constexpr int kVentricularFibrillationRhythm = 0;
constexpr int kVentricularTachycardiaRhythm = 1;
constexpr int kReturnOfCirculationRhythm = 5;

// What one event button writes and changes. A tallied text is
// head + tally + tail; an untallied one is head + tail.
struct EventEntry {
    const char16_t* caption;
    const char16_t* rowHead;
    const char16_t* rowTail;
    std::optional<Tally> tally;
    std::optional<CounterId> counter;
    const char16_t* titleHead; // nullptr: the press sets no title
    const char16_t* titleTail;
};

const std::array<EventEntry, kEventButtonCount>& eventCatalogue();

// Row text (after the time stamp) and counter title for a press whose tally,
// if it has one, now holds n.
QString eventRowText(const EventEntry& entry, int n);
QString eventTitleText(const EventEntry& entry, int n);

struct RhythmEntry {
    const char16_t* caption;
    bool showsReversibleCauses;
};

const std::array<RhythmEntry, kRhythmButtonCount>& rhythmCatalogue();

// "　ﾘｽﾞﾑﾁｪｯｸ：" + caption
QString rhythmRowText(const QString& caption);

// The question asked before CPR終了 ends the record.
QString endOfRecordQuestion();

} // namespace veltrasa
