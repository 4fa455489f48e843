#include "record/EventCatalogue.h"

#include "common/Texts.h"

namespace veltrasa {
namespace {

const std::array<EventEntry, kEventButtonCount> kEvents = {{
    // caption, row head, row tail, tally, counter, title head, title tail
    {texts::kArrival, texts::kArrivalRow, texts::kEmpty, {}, CounterId::Arrival, nullptr, nullptr},
    {texts::kCprStart, texts::kCprStartRow, texts::kEmpty, {}, CounterId::Cpr, texts::kCprStartTitle, texts::kEmpty},
    {texts::kDefibrillation, texts::kDefibrillationRow, texts::kPerformedTail, Tally::Defibrillation, CounterId::Cpr,
     texts::kDefibrillationTitle, texts::kPerformedTitleTail},
    {texts::kIvAccess, texts::kIvAccessRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kIntubation, texts::kIntubationRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kEpinephrine, texts::kEpinephrineRow, texts::kGivenTail, Tally::Epinephrine, CounterId::Epinephrine,
     texts::kEpinephrine, texts::kGivenTitleTail},
    {texts::kAtropine, texts::kAtropineRow, texts::kGivenTail, Tally::Atropine, CounterId::Atropine, texts::kAtropine,
     texts::kGivenTitleTail},
    {texts::kAncaron, texts::kAncaronRow, texts::kGivenTail, Tally::Ancaron, CounterId::Antiarrhythmic, texts::kAncaron,
     texts::kGivenTitleTail},
    {texts::kShinbit, texts::kShinbitRow, texts::kGivenTail, Tally::Shinbit, CounterId::Antiarrhythmic, texts::kShinbit,
     texts::kGivenTitleTail},
    {texts::kXylocaine, texts::kXylocaineRow, texts::kGivenTail, Tally::Xylocaine, CounterId::Antiarrhythmic,
     texts::kXylocaine, texts::kGivenTitleTail},
    {texts::kMagnesol, texts::kMagnesolRow, texts::kGivenTail, Tally::Magnesol, CounterId::Antiarrhythmic,
     texts::kMagnesol, texts::kGivenTitleTail},
    {texts::kMeylon, texts::kMeylonRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kInfusionAdded, texts::kInfusionAddedRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kDopamine, texts::kDopamineRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kPacing, texts::kPacingRow, texts::kEmpty, {}, {}, nullptr, nullptr},
    {texts::kCprEnd, texts::kCprEndRow, texts::kEmpty, {}, {}, nullptr, nullptr},
}};

const std::array<RhythmEntry, kRhythmButtonCount> kRhythms = {{
    {texts::kVentricularFibrillation, false},
    {texts::kVentricularTachycardia, false},
    {texts::kBradycardia, false},
    {texts::kPea, true},
    {texts::kAsystole, true},
    {texts::kReturnOfCirculation, false},
}};

QString compose(const char16_t* head, const char16_t* tail, bool tallied, int n)
{
    QString text = QString::fromUtf16(head);
    if (tallied)
        text += QString::number(n);
    return text + QString::fromUtf16(tail);
}

} // namespace

const std::array<EventEntry, kEventButtonCount>& eventCatalogue()
{
    return kEvents;
}

QString eventRowText(const EventEntry& entry, int n)
{
    return compose(entry.rowHead, entry.rowTail, entry.tally.has_value(), n);
}

QString eventTitleText(const EventEntry& entry, int n)
{
    if (!entry.titleHead)
        return {};
    return compose(entry.titleHead, entry.titleTail, entry.tally.has_value(), n);
}

const std::array<RhythmEntry, kRhythmButtonCount>& rhythmCatalogue()
{
    return kRhythms;
}

QString rhythmRowText(const QString& caption)
{
    return QString::fromUtf16(texts::kRhythmCheckRow) + caption;
}

QString endOfRecordQuestion()
{
    return QString::fromUtf16(texts::kEndOfRecordQuestion);
}

} // namespace veltrasa
