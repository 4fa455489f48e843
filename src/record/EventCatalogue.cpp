#include "record/EventCatalogue.h"

namespace veltrasa {
namespace {

const std::array<EventEntry, kEventButtonCount> kEvents = {{
    // caption, row head, row tail, tally, counter, title head, title tail
    {u"病院到着", u"　病院到着", u"", {}, CounterId::Arrival, nullptr, nullptr},
    {u"CPR開始", u"　ＣＰＲ開始", u"", {}, CounterId::Cpr, u"心マッサージ開始後", u""},
    {u"除細動", u"　電気的除細動", u"回目施行", Tally::Defibrillation, CounterId::Cpr, u"電気的除細動", u"回目施行後"},
    {u"静脈路確保", u"　静脈路確保", u"", {}, {}, nullptr, nullptr},
    {u"気管挿管", u"　気管挿管施行", u"", {}, {}, nullptr, nullptr},
    {u"エピネフリン", u"　エピネフリン", u"回目投与", Tally::Epinephrine, CounterId::Epinephrine, u"エピネフリン",
     u"回目投与後"},
    {u"アトロピン", u"　アトロピン", u"回目投与", Tally::Atropine, CounterId::Atropine, u"アトロピン", u"回目投与後"},
    {u"アンカロン", u"　アンカロン", u"回目投与", Tally::Ancaron, CounterId::Antiarrhythmic, u"アンカロン",
     u"回目投与後"},
    {u"シンビット", u"　シンビット", u"回目投与", Tally::Shinbit, CounterId::Antiarrhythmic, u"シンビット",
     u"回目投与後"},
    {u"キシロカイン", u"　キシロカイン", u"回目投与", Tally::Xylocaine, CounterId::Antiarrhythmic, u"キシロカイン",
     u"回目投与後"},
    {u"マグネゾール", u"　マグネゾール", u"回目投与", Tally::Magnesol, CounterId::Antiarrhythmic, u"マグネゾール",
     u"回目投与後"},
    {u"メイロン", u"　メイロン投与", u"", {}, {}, nullptr, nullptr},
    {u"点滴追加", u"　点滴追加", u"", {}, {}, nullptr, nullptr},
    {u"ドーパミン", u"　ドーパミン投与開始", u"", {}, {}, nullptr, nullptr},
    {u"経皮ﾍﾟｰｼﾝｸﾞ", u"　経皮ペーシング開始", u"", {}, {}, nullptr, nullptr},
    {u"CPR終了", u"　ＣＰＲ終了", u"", {}, {}, nullptr, nullptr},
}};

const std::array<RhythmEntry, kRhythmButtonCount> kRhythms = {{
    {u"心室細動", false},
    {u"心室頻拍", false},
    {u"徐脈", false},
    {u"ＰＥＡ", true},
    {u"心静止", true},
    {u"心拍再開", false},
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
    return QStringLiteral("　ﾘｽﾞﾑﾁｪｯｸ：") + caption;
}

QString endOfRecordQuestion()
{
    return QStringLiteral("記録を中止しますか？　　　");
}

} // namespace veltrasa
