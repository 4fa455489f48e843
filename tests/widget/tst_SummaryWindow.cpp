// The summary window: opened from the record menu once there are rows, run
// modally over the main window at its scale, its figures readable labels;
// it closes with 閉じる and leaves the record as it was.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/windows/SummaryWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

class SummaryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void openedFromTheMenuChangesNothing()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ScriptedMenu menu(window);
        menu.choice = RecordMenu::Item::Summary;
        int opened = 0;
        const auto choose = [&](const std::function<void(SummaryWindow&)>& check) {
            QTimer::singleShot(0, this, [&] {
                auto* w = qobject_cast<SummaryWindow*>(QApplication::activeModalWidget());
                QVERIFY(w);
                ++opened;
                auto closeOnFailure = qScopeGuard([w] { w->reject(); });
                check(*w);
                closeOnFailure.dismiss();
                QTest::mouseClick(w->closeButton(), Qt::LeftButton);
            });
            rightPressOnRow(window, 0);
        };

        rightPressOnRow(window, 0); // not offered in an empty record
        QVERIFY(!window.popup()->summaryItem()->isEnabled());
        QVERIFY(!QApplication::activeModalWidget());

        window.eventButton(0)->click(); // 病院到着
        m.pass(40);
        window.eventButton(1)->click(); // CPR開始
        m.pass(50);
        window.eventButton(2)->click(); // 除細動
        window.recordList()->select(0);
        const QStringList rows = m.rows();
        for (const double factor : {1.0, 0.6}) {
            window.setScale(layout::Scale(factor));
            choose([&](SummaryWindow& w) {
                QCOMPARE(w.windowTitle(), QStringLiteral("振り返り"));
                QVERIFY(w.isModal() && w.isVisible());
                QCOMPARE(w.size(), QSize(qRound(1120 * factor), qRound(800 * factor)));
                QCOMPARE(w.closeButton()->text(), QStringLiteral("閉じる"));
                const std::pair<const char16_t*, const char16_t*> figures[] = {
                    {u"病院到着からＣＰＲ開始まで", u"0分40秒"},
                    {u"除細動", u"1回"},
                    {u"集計に含めなかった行", u"0行"}};
                for (const auto& [label, value] : figures) {
                    const QLabel* shown = w.figure(QString::fromUtf16(label));
                    QVERIFY2(shown, qPrintable(QString::fromUtf16(label)));
                    QCOMPARE(shown->text(), QString::fromUtf16(value));
                    QCOMPARE(shown->accessibleName(),
                             QString::fromUtf16(label) + QStringLiteral("　") + QString::fromUtf16(value));
                }
            });
        }
        QCOMPARE(opened, 2);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m.rows(), rows);
        QCOMPARE(window.recordList()->selectedIndex(), 0);
    }
};

QTEST_MAIN(SummaryWindowTest)
#include "tst_SummaryWindow.moc"
