#include <QScrollBar>
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/FocusChain.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/FrmEdit.h"
#include "ui/windows/FrmMain.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {

QString shownCounter(const FrmMain& w, const char* array, std::array<int, 5> indexes)
{
    QString s;
    for (int i : indexes)
        s += w.findLabel(QString::fromLatin1(array), i)->text();
    return s;
}

bool rowShows(const RecordListWidget& list, int row)
{
    return row >= 0 && ScriptedMainWindow::rowShows(list, list.visualItemRect(list.item(row)));
}

bool selectedRowShows(const RecordListWidget& list)
{
    return rowShows(list, list.selectedIndex());
}

QString inView(const RecordListWidget& list)
{
    const int row = list.selectedIndex();
    const QRect rect = row >= 0 ? list.visualItemRect(list.item(row)) : QRect();
    return QStringLiteral("row %1 of %2 at (%3, %4), viewport %5x%6, scrolled to %7 of %8 and across to %9")
        .arg(row)
        .arg(list.count())
        .arg(rect.left())
        .arg(rect.top())
        .arg(list.viewport()->width())
        .arg(list.viewport()->height())
        .arg(list.verticalScrollBar()->value())
        .arg(list.verticalScrollBar()->maximum())
        .arg(list.horizontalScrollBar()->value());
}

// A record list of its own, `rows` rows long, shown.
void showList(RecordListWidget& list, int rows, const QString& tail = {})
{
    list.setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    list.setGeometry(0, 0, 300, 200);
    for (int i = 0; i < rows; ++i)
        list.addRow(QStringLiteral("06/04 09:%1:%2　ﾘｽﾞﾑﾁｪｯｸ：心室細動%3")
                        .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(i % 60, 2, 10, QLatin1Char('0'))
                        .arg(tail));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
}
} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startUpState()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(9, 5, 30)));
        auto& [p, w] = m;
        QCOMPARE(w.recordList()->count(), 0); // the sample row is gone
        QCOMPARE(w.label(layout::keys::kDateLabel).text(), QStringLiteral("2005-06-04"));
        QCOMPARE(shownCounter(w, "Label3", {3, 2, 4, 1, 0}), QStringLiteral("09:05"));
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(w.findLabel("Label4", i)->text(), QString());
        QCOMPARE(shownCounter(w, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label9", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(shownCounter(w, "Label8", {11, 10, 14, 9, 8}), QStringLiteral("00:00"));
        QCOMPARE(w.findLabel("Label1", 0)->colour(), QRgb(0xFF804000));
        QCOMPARE(w.findLabel("Label6", 0)->colour(), QRgb(0xFF808000));
        QVERIFY(!w.shape(layout::keys::kReversibleCausesBox).isShown());
        QVERIFY(!w.label(layout::keys::kReversibleCausesHeading).isShown());
        QVERIFY(!w.label(layout::keys::kReversibleCausesList).isShown());
        QVERIFY(w.timer(1).isEnabled());
        for (int t = 1; t <= 6; ++t)
            QCOMPARE(w.timer(t).interval(), 1000);
        for (int t = 2; t <= 6; ++t)
            QVERIFY(!w.timer(t).isEnabled());
        QVERIFY(!m.timer(3).tick());
    }

    void clickingTheRealButtons()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.eventButton(0), Qt::LeftButton);
        QTest::mouseClick(w.eventButton(1), Qt::LeftButton);
        p.clock.advance(1);
        QTest::mouseClick(w.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(w.eventButton(5), Qt::LeftButton);
        QTest::mouseClick(w.rhythmButton(3), Qt::LeftButton);
        QTest::mouseClick(w.rhythmButton(0), Qt::LeftButton);
        QCOMPARE(m.rows(), (QStringList{
                               QStringLiteral("06/04 09:05:07　病院到着"),
                               QStringLiteral("06/04 09:05:07　ＣＰＲ開始"),
                               QStringLiteral("06/04 09:05:08　エピネフリン1回目投与"),
                               QStringLiteral("06/04 09:05:08　エピネフリン2回目投与"),
                               QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"),
                               QStringLiteral("06/04 09:05:08　ﾘｽﾞﾑﾁｪｯｸ：心室細動"),
                           }));
        QCOMPARE(w.recordList()->selectedIndex(), 5);
        for (int i = 0; i < kEventButtonCount; ++i)
            QVERIFY(!w.eventButton(i)->isChecked());
        QCOMPARE(w.findLabel("Label4", 2)->text(), QStringLiteral("心マッサージ開始後"));
        QCOMPARE(w.findLabel("Label4", 3)->text(), QStringLiteral("エピネフリン2回目投与後"));
        QCOMPARE(w.rhythmButton(0)->background(), QRgb(0xFFFF0000));
        QCOMPARE(w.rhythmButton(3)->background(), QRgb(0xFF000080));
        QVERIFY(!w.shape(layout::keys::kReversibleCausesBox).isShown());

        // The counters tick from their own timers and show the time since
        // their events on the platform's clock (エピネフリン a second later).
        m.pass(119);
        QCOMPARE(shownCounter(w, "Label6", {3, 2, 6, 1, 0}), QStringLiteral("02:00"));
        QCOMPARE(w.findLabel("Label6", 0)->colour(), DigitCounter::kDueColour);
        m.timer(4).setEnabled(false);
        m.pass(60);
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("01:59")); // Timer4 stopped
        QCOMPARE(w.findLabel("Label1", 8)->colour(), QRgb(0xFFFFFF00));
        m.timer(4).setEnabled(true);
        m.pass(1);
        QCOMPARE(shownCounter(w, "Label1", {11, 10, 14, 9, 8}), QStringLiteral("03:00"));
        QCOMPARE(w.findLabel("Label1", 14)->colour(), DigitCounter::kDueColour);
        // The wall clock set back an hour: the clock follows, the counters do not.
        p.clock.set(p.clock.now().addSecs(-3600));
        m.pass(3600 - 180);
        QCOMPARE(shownCounter(w, "Label1", {3, 2, 6, 1, 0}), QStringLiteral("01:00"));
        QCOMPARE(shownCounter(w, "Label3", {3, 2, 4, 1, 0}), QStringLiteral("09:05"));
        // The clock blinks the arrival separator now that arrival is recorded.
        m.timer(1).tick();
        QCOMPARE(w.label(layout::keys::kArrivalSeparator).colour(), QRgb(0xFF804000));
        m.timer(1).tick();
        QCOMPARE(w.label(layout::keys::kArrivalSeparator).colour(), QRgb(0xFFFF8000));
    }

    // 除細動, エピネフリン and キシロカイン write rows wider than the list:
    // each press, and each undo that puts a row back, shows its row whole,
    // with or without the focus in the list and however long the record.
    void newestRowInViewWhateverItsWidth()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        RecordListWidget* list = w.recordList();
        for (bool focused : {false, true}) {
            (focused ? static_cast<QWidget*>(list) : w.eventButton(0))->setFocus();
            for (int i = 0; i < 40; ++i) {
                EventButtonWidget* button = w.eventButton(std::array{2, 5, 9}[i % 3]);
                if (focused)
                    button->click(); // the focus stays in the list
                else
                    QTest::mouseClick(button, Qt::LeftButton);
                QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
            }
            QCOMPARE(list->hasFocus(), focused);
        }
        QCOMPARE(list->selectedIndex(), 79);
        QVERIFY(list->sizeHintForColumn(0) > list->viewport()->width()); // rows wider than the list
        // No horizontal scroll bar: the rows are clipped at the list's edge,
        // and the last row can be scrolled wholly into view.
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(list->textElideMode(), Qt::ElideNone);
        QCOMPARE(list->viewport()->height(), list->height() - 2 * list->frameWidth());
        list->scrollToTop();
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        QVERIFY(rowShows(*list, 79));

        // Undo puts a row back where the list had been scrolled away from.
        list->select(60);
        w.editing().deleteRow();
        list->scrollToTop();
        w.editing().undoLastChange();
        QCOMPARE(list->selectedIndex(), 60);
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        list->select(3);
        w.editing().deleteRow();
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        w.editing().undoLastChange();
        QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        // A correction, and its undo, of a row scrolled out of view while it
        // stayed selected.
        w.setEditWindowRunner([](FrmEdit& e) { e.changeButton()->click(); });
        for (int row : {70, 2}) {
            list->select(row);
            for (int step = 0; step < 2; ++step) {
                if (row > 40)
                    list->scrollToTop();
                else
                    list->scrollToBottom();
                if (step == 0)
                    w.editing().editRow();
                else
                    w.editing().undoLastChange();
                QCOMPARE(list->selectedIndex(), row);
                QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
            }
        }

        // 10,000 rows.
        while (list->count() < 10000)
            list->addRow(list->rowText(list->count() % 80));
        for (int i : {2, 5, 9}) {
            QTest::mouseClick(w.eventButton(i), Qt::LeftButton);
            QVERIFY2(selectedRowShows(*list), qPrintable(inView(*list)));
        }
        QCOMPARE(list->selectedIndex(), 10002);
    }

    // The list on its own, 300 pixels wide: rows narrower and wider than
    // the list, hundreds of them, a row put back at the top, each selected
    // row shown from its start.
    void newestRowInViewOfAListOfItsOwn()
    {
        for (const QString& tail : {QString(), QString(30, QChar(u'あ'))}) {
            RecordListWidget list(nullptr);
            showList(list, 0);
            list.addRow(QStringLiteral("短い行"));
            for (int i = 1; i < 500; ++i) {
                list.addRow(QStringLiteral("%1　行%2").arg(i).arg(tail));
                list.select(list.count() - 1);
                QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
            }
            QCOMPARE(list.indexAt(list.visualItemRect(list.item(499)).center()).row(), 499);
            QCOMPARE(list.horizontalScrollBar()->value(), 0);
            QVERIFY(!list.horizontalScrollBar()->isVisible());
            // Scrolled to without being selected: at the top edge.
            list.scrollToItem(list.item(3));
            QCOMPARE(list.visualItemRect(list.item(3)).top(), 0);
            QCOMPARE(list.selectedIndex(), 499);
            list.insertRow(0, QStringLiteral("0　行") + tail);
            list.select(0);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
            list.select(500);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
        }
    }

    // Keys move the selected row and keep it in view; nothing deselects it.
    void keysMoveTheSelectedRowAndNeverLoseIt()
    {
        RecordListWidget list(nullptr);
        showList(list, 300, QString(30, QChar(u'あ')));
        list.select(10);
        list.setFocus();
        int before = 10;
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            before = list.selectedIndex();
            QTest::keyClick(&list, key, modifiers);
            QCOMPARE(list.selectedItems().size(), 1);
            QVERIFY2(selectedRowShows(list), qPrintable(inView(list)));
        };
        press(Qt::Key_Down);
        QCOMPARE(list.selectedIndex(), 11);
        press(Qt::Key_PageDown);
        const int page = list.selectedIndex() - before;
        QVERIFY2(page > 1 && page * list.visualItemRect(list.item(0)).height() <= list.viewport()->height(),
                 qPrintable(QString::number(page)));
        press(Qt::Key_PageDown);
        QCOMPARE(list.selectedIndex(), before + page);
        press(Qt::Key_PageUp);
        QCOMPARE(list.selectedIndex(), before - page);
        press(Qt::Key_End);
        QCOMPARE(list.selectedIndex(), 299);
        press(Qt::Key_PageDown);
        QCOMPARE(list.selectedIndex(), 299);
        press(Qt::Key_Home);
        QCOMPARE(list.selectedIndex(), 0);
        press(Qt::Key_Up);
        press(Qt::Key_PageUp);
        press(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(list.selectedIndex(), 0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list.visualItemRect(list.item(0)).center());
        QCOMPARE(list.selectedIndex(), 0);

        // A click below the rows of a short list.
        while (list.count() > 3)
            list.removeRow(list.count() - 1);
        list.select(1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, list.viewport()->height() - 3));
        QCOMPARE(list.selectedIndex(), 1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
        QCOMPARE(list.selectedIndex(), 2);
    }

    void endOfCprNoKeepsRecording()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        p.messages.answer({Answer::No});
        QTest::mouseClick(w.eventButton(15), Qt::LeftButton);
        QCOMPARE(w.recordList()->count(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(p.programEnd.ended, 0);
        QVERIFY(!w.eventButton(15)->isChecked());
        QVERIFY(w.timer(1).isEnabled());
    }

    void endOfCprYesEndsTheRecord()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QTest::mouseClick(w.eventButton(1), Qt::LeftButton);
        p.messages.answer({Answer::Yes, Answer::No, Answer::No});
        QTest::mouseClick(w.eventButton(15), Qt::LeftButton);
        QCOMPARE(m.rows().last(), QStringLiteral("06/04 09:05:07　ＣＰＲ終了"));
        QCOMPARE(p.programEnd.ended, 1);
        for (int t = 1; t <= 6; ++t)
            QVERIFY(!w.timer(t).isEnabled());
    }

    void closingRunsShutDownOnce()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        const auto exitSequences = m.countExitSequences();
        w.show();
        w.close();
        w.close();
        QCOMPARE(*exitSequences, 1);
        QCOMPARE(p.programEnd.ended, 1);
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_FrmMain.moc"
