#include <QtTest>

#include "Scripted.h"
#include "counters/CounterTable.h"
#include "counters/DigitCounter.h"
#include "record/EventButtons.h"
#include "record/EventCatalogue.h"
#include "record/RecordState.h"
#include "record/RecordWriter.h"
#include "record/RhythmButtons.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
const QString kIdeographicSpace = QString(QChar(0x3000));

// Everything the event handler touches, in memory.
struct Rig {
    Rig()
    {
        for (std::size_t i = 0; i < kCounterCount; ++i) {
            auto& lbl = labels[i];
            counters[i] = std::make_unique<DigitCounter>(timers[i], clock,
                                                         std::array<Label*, 4>{&lbl[0], &lbl[1], &lbl[2], &lbl[3]},
                                                         separators[i], counterTable()[i].params);
            timers[i].setInterval(1000);
            timers[i].setEnabled(false);
            for (auto& digit : lbl)
                digit.setText(QStringLiteral("0")); // as the window is designed
        }
        std::array<EventButton*, kEventButtonCount> b{};
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = &buttons[i];
        std::array<DigitCounter*, kCounterCount> c{};
        std::array<Label*, kCounterCount> t{};
        for (std::size_t i = 0; i < c.size(); ++i) {
            c[i] = counters[i].get();
            t[i] = &titles[i];
        }
        handler = std::make_unique<EventButtons>(
            EventButtons::Targets{state, writer, b, c, t, messages, [this] { ++closed; }, [this] { ++arrivals; }});
    }

    // A user press: the button goes down, then the handler is notified.
    void press(int index)
    {
        buttons[static_cast<std::size_t>(index)].down = true;
        handler->onEventPressed(index);
    }
    // Seconds pass; the running counters tick once a second.
    void pass(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            for (auto& t : timers)
                t.tick();
        }
    }
    QString lastRow() const { return list.rows.empty() ? QString() : list.rows.back(); }
    QString lastText() const { return lastRow().mid(14); }
    QString title(CounterId id) const { return titles[static_cast<std::size_t>(id)].text(); }
    ManualTimer& timer(CounterId id) { return timers[static_cast<std::size_t>(id)]; }
    QString shown(CounterId id) const
    {
        const auto& l = labels[static_cast<std::size_t>(id)];
        return l[3].text() + l[2].text() + QLatin1Char(':') + l[1].text() + l[0].text();
    }
    QRgb colour(CounterId id) const { return labels[static_cast<std::size_t>(id)][0].colour(); }

    FakeClock clock;
    MemoryRecordList list;
    RecordWriter writer{list, clock};
    RecordState state;
    ScriptedMessageBox messages;
    std::array<FakeEventButton, kEventButtonCount> buttons;
    std::array<ManualTimer, kCounterCount> timers;
    std::array<std::array<FakeLabel, 4>, kCounterCount> labels;
    std::array<FakeLabel, kCounterCount> separators;
    std::array<FakeLabel, kCounterCount> titles;
    std::array<std::unique_ptr<DigitCounter>, kCounterCount> counters;
    std::unique_ptr<EventButtons> handler;
    int closed = 0;
    int arrivals = 0; // calls telling the clock the arrival is recorded
};
} // namespace

class RecordTest : public QObject {
    Q_OBJECT
private slots:
    void timeStamp_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("morning") << QDateTime(QDate(2005, 6, 4), QTime(9, 5, 7)) << "06/04 09:05:07";
        QTest::newRow("year end") << QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59)) << "12/31 23:59:59";
        QTest::newRow("next second") << QDateTime(QDate(2006, 1, 1), QTime(0, 0, 0)) << "01/01 00:00:00";
    }
    void timeStamp()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, stamp);
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); // non-ASCII digits
        QCOMPARE(formatTimeStamp(when), stamp);
        QLocale::setDefault(saved);
    }

    void stampAcrossTheYear()
    {
        Rig r;
        r.clock.set(QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59)));
        r.press(3);
        r.clock.advance(1);
        r.press(3);
        QCOMPARE(r.list.rows[0], QStringLiteral("12/31 23:59:59　静脈路確保"));
        QCOMPARE(r.list.rows[1], QStringLiteral("01/01 00:00:00　静脈路確保"));
    }

    // The exact texts written by each button's first press, ideographic
    // space, full-width ＣＰＲ and the half-width caption of pacing included.
    void everyRowText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("caption");
        const QString sp = kIdeographicSpace;
        QTest::newRow("0") << 0 << sp + QStringLiteral("病院到着") << QStringLiteral("病院到着");
        QTest::newRow("1") << 1 << sp + QStringLiteral("ＣＰＲ開始") << QStringLiteral("CPR開始");
        QTest::newRow("2") << 2 << sp + QStringLiteral("電気的除細動1回目施行") << QStringLiteral("除細動");
        QTest::newRow("3") << 3 << sp + QStringLiteral("静脈路確保") << QStringLiteral("静脈路確保");
        QTest::newRow("4") << 4 << sp + QStringLiteral("気管挿管施行") << QStringLiteral("気管挿管");
        QTest::newRow("5") << 5 << sp + QStringLiteral("エピネフリン1回目投与") << QStringLiteral("エピネフリン");
        QTest::newRow("6") << 6 << sp + QStringLiteral("アトロピン1回目投与") << QStringLiteral("アトロピン");
        QTest::newRow("7") << 7 << sp + QStringLiteral("アンカロン1回目投与") << QStringLiteral("アンカロン");
        QTest::newRow("8") << 8 << sp + QStringLiteral("シンビット1回目投与") << QStringLiteral("シンビット");
        QTest::newRow("9") << 9 << sp + QStringLiteral("キシロカイン1回目投与") << QStringLiteral("キシロカイン");
        QTest::newRow("10") << 10 << sp + QStringLiteral("マグネゾール1回目投与") << QStringLiteral("マグネゾール");
        QTest::newRow("11") << 11 << sp + QStringLiteral("メイロン投与") << QStringLiteral("メイロン");
        QTest::newRow("12") << 12 << sp + QStringLiteral("点滴追加") << QStringLiteral("点滴追加");
        QTest::newRow("13") << 13 << sp + QStringLiteral("ドーパミン投与開始") << QStringLiteral("ドーパミン");
        QTest::newRow("14") << 14 << sp + QStringLiteral("経皮ペーシング開始")
                            << QString::fromUtf16(u"\u7D4C\u76AE\uFF8D\uFF9F\uFF70\uFF7C\uFF9D\uFF78\uFF9E");
    }
    void everyRowText()
    {
        QFETCH(int, index);
        QFETCH(QString, row);
        QFETCH(QString, caption);
        Rig r;
        r.press(index);
        QCOMPARE(r.list.count(), 1);
        QCOMPARE(r.lastRow(), QStringLiteral("06/04 09:05:07") + row);
        QCOMPARE(r.list.selected, 0);
        QCOMPARE(QString::fromUtf16(eventCatalogue()[static_cast<std::size_t>(index)].caption), caption);
        QVERIFY(!r.buttons[static_cast<std::size_t>(index)].down);
    }

    void rhythmRowTexts()
    {
        QCOMPARE(rhythmRowText(QStringLiteral("ＰＥＡ")),
                 QString::fromUtf16(u"\u3000\uFF98\uFF7D\uFF9E\uFF91\uFF81\uFF6A\uFF6F\uFF78\uFF1A\uFF30\uFF25\uFF21"));
        const char16_t* captions[] = {u"心室細動", u"心室頻拍", u"徐脈", u"ＰＥＡ", u"心静止", u"心拍再開"};
        const bool shown[] = {false, false, false, true, true, false};
        for (std::size_t i = 0; i < 6; ++i) {
            QCOMPARE(QString::fromUtf16(rhythmCatalogue()[i].caption), QString::fromUtf16(captions[i]));
            QCOMPARE(rhythmCatalogue()[i].showsReversibleCauses, shown[i]);
        }
    }

    void defibrillationNumberingAcrossCprStart()
    {
        Rig r;
        r.press(2);
        QCOMPARE(r.lastText(), QStringLiteral("　電気的除細動1回目施行"));
        QCOMPARE(r.title(CounterId::Cpr), QStringLiteral("電気的除細動1回目施行後"));
        QVERIFY(r.timer(CounterId::Cpr).isEnabled()); // started although CPR開始 was never pressed
        r.press(1);
        QCOMPARE(r.title(CounterId::Cpr), QStringLiteral("心マッサージ開始後"));
        QCOMPARE(r.state.defibrillationCount(), 1);
        r.press(2);
        QCOMPARE(r.lastText(), QStringLiteral("　電気的除細動2回目施行"));
        QCOMPARE(r.title(CounterId::Cpr), QStringLiteral("電気的除細動2回目施行後"));
    }

    void antiarrhythmicsShareOneCounter()
    {
        Rig r;
        r.press(7);
        r.pass(61);
        r.press(9);
        QCOMPARE(r.shown(CounterId::Antiarrhythmic), QStringLiteral("00:00"));
        r.pass(30);
        r.press(7);
        QCOMPARE(r.shown(CounterId::Antiarrhythmic), QStringLiteral("00:00"));
        QStringList texts;
        for (const auto& row : r.list.rows)
            texts << row.mid(14);
        QCOMPARE(texts, (QStringList{QStringLiteral("　アンカロン1回目投与"), QStringLiteral("　キシロカイン1回目投与"),
                                     QStringLiteral("　アンカロン2回目投与")}));
        QCOMPARE(r.title(CounterId::Antiarrhythmic), QStringLiteral("アンカロン2回目投与後"));
        QCOMPARE(r.state.ancaronCount(), 2);
        QCOMPARE(r.state.xylocaineCount(), 1);
        QCOMPARE(r.state.shinbitCount(), 0);
        r.press(10);
        QCOMPARE(r.title(CounterId::Antiarrhythmic), QStringLiteral("マグネゾール1回目投与後"));
        r.press(8);
        QCOMPARE(r.title(CounterId::Antiarrhythmic), QStringLiteral("シンビット1回目投与後"));
        // Each of the four keeps its own tally; the other counters never moved.
        QVERIFY(!r.timer(CounterId::Epinephrine).isEnabled());
        QCOMPARE(r.title(CounterId::Epinephrine), QString());
    }

    void epinephrineTwiceInOneSecond()
    {
        Rig r;
        r.press(5);
        r.press(5);
        QCOMPARE(r.list.rows[0], QStringLiteral("06/04 09:05:07　エピネフリン1回目投与"));
        QCOMPARE(r.list.rows[1], QStringLiteral("06/04 09:05:07　エピネフリン2回目投与"));
        QCOMPARE(r.title(CounterId::Epinephrine), QStringLiteral("エピネフリン2回目投与後"));
        QCOMPARE(r.list.selected, 1);
    }

    void restartShowsZeroInActiveColour()
    {
        Rig r;
        r.press(6);
        r.pass(180);
        QCOMPARE(r.colour(CounterId::Atropine), colours::kCounterDue);
        r.press(6);
        QCOMPARE(r.shown(CounterId::Atropine), QStringLiteral("00:00"));
        QCOMPARE(r.colour(CounterId::Atropine), QRgb(0xFFFFFF00));
        QCOMPARE(r.separators[static_cast<std::size_t>(CounterId::Atropine)].colour(), QRgb(0xFFFFFF00));
    }

    void arrivalStartsWithoutZeroing()
    {
        Rig r;
        for (int i = 1; i < kEventButtonCount - 1; ++i)
            r.press(i);
        QCOMPARE(r.arrivals, 0);
        r.press(0);
        QCOMPARE(r.arrivals, 1);
        QCOMPARE(r.colour(CounterId::Arrival), QRgb(0xFFFF8000));
        r.pass(30 * 60);
        r.press(0);
        QCOMPARE(r.shown(CounterId::Arrival), QStringLiteral("00:30"));
        r.pass(60);
        QCOMPARE(r.shown(CounterId::Arrival), QStringLiteral("00:31"));
        QCOMPARE(r.title(CounterId::Arrival), QString()); // its heading is fixed, never written
    }

    void eventWithoutCounterChangesNothingElse()
    {
        Rig r;
        r.press(3);
        for (const auto& t : r.timers)
            QVERIFY(!t.isEnabled());
        for (const auto& t : r.titles)
            QCOMPARE(t.textWrites, 0);
        QCOMPARE(r.state.tallies, (std::array<std::int16_t, kTallyCount>{}));
    }

    void tallySaturatesAt32767()
    {
        Rig r;
        r.state.tallies[static_cast<std::size_t>(Tally::Epinephrine)] = 32766;
        r.press(5);
        QCOMPARE(r.lastText(), QStringLiteral("　エピネフリン32767回目投与"));
        r.press(5);
        QCOMPARE(r.state.epinephrineCount(), 32767);
        QCOMPARE(r.list.count(), 2);
        QCOMPARE(r.lastText(), QStringLiteral("　エピネフリン32767回目投与"));
        QCOMPARE(r.title(CounterId::Epinephrine), QStringLiteral("エピネフリン32767回目投与後"));
    }

    void notificationForAButtonThatIsUpDoesNothing()
    {
        Rig r;
        r.handler->onEventPressed(5);
        r.handler->onEventPressed(15);
        QCOMPARE(r.list.count(), 0);
        QCOMPARE(r.state.epinephrineCount(), 0);
        QVERIFY(r.messages.shown.empty());
        r.handler->onEventPressed(16); // out of range
        r.handler->onEventPressed(-1);
    }

    void endOfCprAnsweredNo()
    {
        Rig r;
        r.press(1);
        r.messages.answer({Answer::No});
        r.press(15);
        QCOMPARE(r.messages.shown.size(), std::size_t(1));
        QCOMPARE(r.messages.shown[0].kind, ShownMessage::Question);
        QCOMPARE(r.messages.shown[0].text, QStringLiteral("記録を中止しますか？\u3000\u3000\u3000"));
        QCOMPARE(r.list.count(), 1);
        QCOMPARE(r.closed, 0);
        QVERIFY(!r.buttons[15].down);
        QVERIFY(r.timer(CounterId::Cpr).isEnabled());
    }

    void endOfCprAnsweredYes()
    {
        Rig r;
        r.press(0);
        // The row is stamped when the question is answered, not when pressed.
        struct AdvancingAnswer final : MessageBox {
            FakeClock& clock;
            explicit AdvancingAnswer(FakeClock& c) : clock(c) {}
            Answer question(const QString&) override
            {
                clock.advance(42);
                return Answer::Yes;
            }
            Answer questionDefaultNo(const QString&) override { return Answer::No; }
            void notice(const QString&) override {}
            void warning(const QString&) override {}
        } answering(r.clock);
        std::array<EventButton*, kEventButtonCount> b{};
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = &r.buttons[i];
        bool buttonUpDuringQuestion = false;
        EventButtons handler({r.state,
                              r.writer,
                              b,
                              {},
                              {},
                              answering,
                              [&] {
                                  buttonUpDuringQuestion = !r.buttons[15].down;
                                  ++r.closed;
                              },
                              {}});
        r.buttons[15].down = true;
        handler.onEventPressed(15);
        QCOMPARE(r.closed, 1);
        QVERIFY(buttonUpDuringQuestion);
        QCOMPARE(r.lastRow(), QStringLiteral("06/04 09:05:49　ＣＰＲ終了"));
    }

    void rhythmButtons()
    {
        FakeClock clock;
        MemoryRecordList list;
        RecordWriter writer(list, clock);
        std::array<FakeRhythmButton, 6> buttons = {
            FakeRhythmButton(QStringLiteral("心室細動")), FakeRhythmButton(QStringLiteral("心室頻拍")),
            FakeRhythmButton(QStringLiteral("徐脈")),     FakeRhythmButton(QStringLiteral("ＰＥＡ")),
            FakeRhythmButton(QStringLiteral("心静止")),   FakeRhythmButton(QStringLiteral("心拍再開"))};
        std::array<FakeLabel, 3> panel;
        for (auto& p : panel)
            p.setShown(false);
        RhythmButtons handler(writer, {&buttons[0], &buttons[1], &buttons[2], &buttons[3], &buttons[4], &buttons[5]},
                              {&panel[0], &panel[1], &panel[2]});
        auto press = [&](int i) {
            buttons[static_cast<std::size_t>(i)].selected = true;
            handler.onRhythmPressed(i);
            QVERIFY(!buttons[static_cast<std::size_t>(i)].selected);
        };
        auto panelShown = [&] { return panel[0].isShown() && panel[1].isShown() && panel[2].isShown(); };
        auto panelHidden = [&] { return !panel[0].isShown() && !panel[1].isShown() && !panel[2].isShown(); };

        press(3);
        QVERIFY(panelShown());
        QCOMPARE(buttons[3].background(), colours::kLatestRhythm);
        press(0);
        QVERIFY(panelHidden());
        QCOMPARE(buttons[0].background(), colours::kLatestRhythm);
        QCOMPARE(buttons[3].background(), colours::kRhythmButton);
        QCOMPARE(list.rows[0].mid(14), QStringLiteral("　ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"));
        QCOMPARE(list.rows[1].mid(14), QStringLiteral("　ﾘｽﾞﾑﾁｪｯｸ：心室細動"));

        press(4);
        press(4);
        QVERIFY(panelShown());
        QCOMPARE(buttons[4].background(), colours::kLatestRhythm);
        press(5);
        QVERIFY(panelHidden());
        QCOMPARE(list.count(), 5);
        QCOMPARE(list.selected, 4);
        int red = 0;
        for (const auto& b : buttons)
            red += b.background() == colours::kLatestRhythm;
        QCOMPARE(red, 1);
    }

    void selectNewestRowOnEmptyList()
    {
        FakeClock clock;
        MemoryRecordList list;
        RecordWriter writer(list, clock);
        writer.selectNewestRow();
        QCOMPARE(list.selected, -1);
    }
};

QTEST_GUILESS_MAIN(RecordTest)
#include "tst_Record.moc"
