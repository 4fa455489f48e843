// The main window as laid out from its tables: where each control is, how
// it looks, which control a press reaches, the focus order, and the window
// and its edit window and menu at a smaller scale.
#include <QtTest>

#include <QFontInfo>

#include "ScriptedMainWindow.h"
#include "counters/CounterTable.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/Scale.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EditBoxWidget.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/EditWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
QString objectNameOf(QWidget* widget)
{
    return widget ? widget->objectName() : QStringLiteral("(none)");
}
} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void controlsAtTheirPixelRectangles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");
        // Twips / 15, each edge rounded to the nearest pixel.
        QTest::newRow("clock panel") << "Shape1" << 1 << QRect(3, 4, 247, 103);
        QTest::newRow("antiarrhythmic panel") << "Shape1" << 5 << QRect(976, 4, 247, 103);
        QTest::newRow("CPR panel") << "Shape1" << 4 << QRect(471, 112, 752, 225);
        QTest::newRow("rhythm panel") << "Shape1" << 6 << QRect(470, 740, 752, 121);
        QTest::newRow("reversible causes panel") << "Shape2" << -1 << QRect(1036, 506, 183, 223);
        QTest::newRow("clock heading") << "Label4" << 0 << QRect(11, 11, 117, 28);
        QTest::newRow("CPR heading") << "Label4" << 2 << QRect(479, 123, 478, 41);
        QTest::newRow("clock separator") << "Label3" << 4 << QRect(116, 11, 18, 90);
        QTest::newRow("arrival separator") << "Label1" << 6 << QRect(332, 11, 58, 90);
        QTest::newRow("epinephrine tens") << "Label1" << 11 << QRect(488, 16, 56, 90);
        QTest::newRow("atropine units") << "Label9" << 8 << QRect(892, 16, 58, 90);
        QTest::newRow("CPR tens of minutes") << "Label6" << 3 << QRect(548, 76, 160, 255);
        QTest::newRow("CPR tens of seconds") << "Label6" << 1 << QRect(885, 77, 160, 255);
        QTest::newRow("CPR separator") << "Label6" << 6 << QRect(787, 80, 160, 255);
        QTest::newRow("date") << "Label7" << -1 << QRect(109, 5, 129, 28);
        QTest::newRow("6Hs5Ts") << "Label5" << -1 << QRect(1048, 516, 107, 25);
        QTest::newRow("reversible causes") << "Label2" << -1 << QRect(1046, 546, 161, 169);
        QTest::newRow("病院到着") << "Check1" << 0 << QRect(472, 350, 181, 67);
        QTest::newRow("経皮ﾍﾟｰｼﾝｸﾞ") << "Check1" << 14 << QRect(842, 662, 181, 67);
        QTest::newRow("CPR終了") << "Check1" << 15 << QRect(1040, 350, 181, 67);
        QTest::newRow("Command1") << "Command" << 1 << QRect(472, 350, 181, 68);
        QTest::newRow("Command6, column 2") << "Command" << 6 << QRect(657, 350, 181, 68);
        QTest::newRow("Command17, column 2") << "Command" << 17 << QRect(657, 584, 181, 68);
        QTest::newRow("心室頻拍") << "Option1" << 1 << QRect(607, 782, 113, 57);
        QTest::newRow("ＰＥＡ") << "Option1" << 3 << QRect(728, 782, 113, 57);
        QTest::newRow("心静止") << "Option1" << 4 << QRect(850, 782, 113, 57);
        QTest::newRow("record list") << "List1" << -1 << QRect(8, 113, 458, 748);
    }

    void controlsAtTheirPixelRectangles()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, rect);
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QWidget* control = nullptr;
        if (name == QLatin1String("Check1"))
            control = window.eventButton(index);
        else if (name == QLatin1String("Option1"))
            control = window.rhythmButton(index);
        else if (name == QLatin1String("Command"))
            control = window.picturePanel(index);
        else if (name == QLatin1String("List1"))
            control = window.recordList();
        else if (name.startsWith(QLatin1String("Shape")))
            control = window.findShape(name, index);
        else
            control = window.findLabel(name, index);
        QVERIFY(control);
        QCOMPARE(control->geometry(), rect);
    }

    // The keys are checked when they are built, the counters' among them:
    // each names the widget of its row.
    void everyLabelTheLogicNamesIsLaidOut()
    {
        static_assert(layout::LabelKey::exists("Label1", 6) && layout::ShapeKey::exists("Shape2"));
        static_assert(!layout::LabelKey::exists("Label1", 7) && !layout::LabelKey::exists("Label", 6) &&
                      !layout::LabelKey::exists("Label11", 6));
        static_assert(!layout::ShapeKey::exists("Shape2", 0) && !layout::ShapeKey::exists("Label2"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, layout::LabelKey::of("Label1", 7));

        ScriptedMainWindow m;
        const auto check = [&m](layout::LabelKey key, const char* array, int index) {
            QCOMPARE(&m.window.label(key), m.window.findLabel(QString::fromLatin1(array), index));
            QCOMPARE(m.window.label(key).objectName(), QString::fromLatin1(array));
        };
        for (const CounterSpec& entry : counterTable()) {
            const auto& keys = layout::keys::kCounterLabels[static_cast<std::size_t>(entry.id)];
            for (std::size_t p = 0; p < keys.digits.size(); ++p)
                check(keys.digits[p], entry.labelArray, entry.digitIndexes[p]);
            check(keys.separator, entry.labelArray, entry.separatorIndex);
            check(keys.title, kCounterTitleArray, entry.titleIndex);
        }
        QCOMPARE(&m.window.shape(layout::keys::kReversibleCausesBox), m.window.findShape(QStringLiteral("Shape2")));
    }

    void theWindow()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Veltrasa２００５"));
        QCOMPARE(window.minimumSize(), QSize(1227, 869));
        QCOMPARE(window.maximumSize(), QSize(1227, 869));
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage image = shot(window);
        QCOMPARE(image.size(), QSize(1227, 869));
        QCOMPARE(image.pixel(1, 1), 0xFF000000u);                // window
        QCOMPARE(image.pixel(3, 4), 0xFFC0C0C0u);                // top strip border
        QCOMPARE(image.pixel(471, 112), 0xFFE0E0E0u);            // CPR panel border
        QCOMPARE(image.pixel(20, 100), 0xFF000040u);             // panel fill
        QCOMPARE(image.pixel(30, 850), 0xFF404040u);             // list
        QCOMPARE(image.pixel(476, 354), 0xFF000080u);            // event button, whatever the style
        QCOMPARE(image.pixel(1044, 354), 0xFF400000u);           // CPR終了
        QCOMPARE(image.pixel(611, 786), 0xFF000080u);            // rhythm button
        QCOMPARE(image.pixel(1041, 511), 0xFF000000u);           // reversible causes hidden
        QVERIFY(image.pixel(472, 350) != image.pixel(652, 416)); // raised: light and dark edges
    }

    void fontsAndColours()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        // Fonts name the installed face that stands for the Windows one.
        const auto check = [](QWidget* widget, double points, int weight, const QString& face) {
            const QFont f = widget->font();
            QCOMPARE(f.family(), face);
            QCOMPARE(f.pointSizeF(), points);
            QCOMPARE(int(f.weight()), weight);
            QCOMPARE(QFontInfo(f).family(), face);
        };
        check(window.findLabel("Label4", 0), 12, QFont::Bold, "IPAGothic");
        check(window.findLabel("Label4", 2), 15.75, QFont::Bold, "IPAGothic");
        check(window.findLabel("Label4", 6), 18, QFont::Bold, "IPAPGothic");
        check(window.findLabel("Label5"), 12, QFont::Normal, "IPAPGothic");
        check(window.findLabel("Label2"), 11.25, QFont::Normal, "IPAPGothic");
        check(window.eventButton(0), 21.75, QFont::Normal, "IPAPGothic");
        check(window.rhythmButton(0), 18, QFont::Normal, "IPAPGothic");
        check(window.recordList(), 18, QFont::Normal, "IPAGothic");
        // Arial Black stands for an extra-heavy face.
        check(window.findLabel("Label6", 0), 159.75, QFont::Black, "Lato Black");
        check(window.findLabel("Label6", 6), 140.25, QFont::Black, "Lato Black");
        check(window.findLabel("Label1", 0), 48, QFont::Black, "Lato Black");
        check(window.findLabel("Label7"), 14.25, QFont::Black, "Lato Black");
        QVERIFY(QFontInfo(window.findLabel("Label6", 0)->font()).styleName().contains("Black"));

        QCOMPARE(window.findLabel("Label3", 0)->colour(), 0xFF00FF00u);
        QCOMPARE(window.label(layout::keys::kDateLabel).colour(), 0xFF00FF00u);
        QCOMPARE(window.findLabel("Label4", 1)->colour(), 0xFFFFFFFFu);
        QCOMPARE(window.label(layout::keys::kReversibleCausesHeading).colour(), 0xFFFFFFFFu);
        QCOMPARE(window.label(layout::keys::kReversibleCausesList).colour(), 0xFFFFFF00u);
        for (int i : {8, 9, 10, 11, 14}) {
            QCOMPARE(window.findLabel("Label9", i)->colour(), 0xFF808000u);
            QCOMPARE(window.findLabel("Label8", i)->colour(), 0xFF808000u);
        }
        QCOMPARE(window.eventButton(3)->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QCOMPARE(window.rhythmButton(2)->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QCOMPARE(window.recordList()->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
    }

    void reversibleCausesText()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        const QString text = window.label(layout::keys::kReversibleCausesList).text();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.left(text.size() - 2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 11);
        for (const QString& line : lines)
            QCOMPARE(line.at(0), QChar(0x30FB));
        QCOMPARE(lines[3], QStringLiteral("・低／高カリウム血症"));
        QCOMPARE(lines[9], QStringLiteral("・血栓症(冠動脈/肺動脈)"));
        QCOMPARE(window.label(layout::keys::kReversibleCausesHeading).text(), QStringLiteral("６Ｈs５Ｔs"));
    }

    // A press anywhere inside an event button reaches it, including the
    // strip over its picture panel; the panel's own sliver does nothing.
    void stacking()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int i = 0; i < kEventButtonCount; ++i) {
            const QRect r = window.eventButton(i)->geometry();
            QCOMPARE(window.childAt(r.bottomLeft()), window.eventButton(i));
            QCOMPARE(window.childAt(r.bottomRight()), window.eventButton(i));
            QCOMPARE(window.childAt(r.topLeft()), window.eventButton(i));
            QVERIFY(qobject_cast<PicturePanelWidget*>(window.childAt(r.bottomRight() + QPoint(0, 1))));
        }
        QVERIFY(qobject_cast<PicturePanelWidget*>(
            window.childAt(window.eventButton(5)->geometry().topRight() + QPoint(1, 0))));

        const QRect arrival = window.eventButton(4)->geometry();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, arrival.bottomLeft() + QPoint(3, 0));
        QCOMPARE(window.recordList()->count(), 1);
        QCOMPARE(window.recordList()->rowText(0), QStringLiteral("06/04 09:05:07　気管挿管施行"));
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, arrival.bottomLeft() + QPoint(3, 1));
        QCOMPARE(window.recordList()->count(), 1);
    }

    void focusOrder()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QStringList expected{"Command1", "Command15", "List1"};
        for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 18})
            expected << QStringLiteral("Command%1").arg(n);
        for (int i = 0; i < kRhythmButtonCount; ++i)
            expected << QStringLiteral("Option1_%1").arg(i);
        for (int i = 0; i < kEventButtonCount; ++i)
            expected << QStringLiteral("Check1_%1").arg(i);
        expected << "Command1"; // and round again

        QStringList visited{objectNameOf(QApplication::focusWidget())};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << objectNameOf(QApplication::focusWidget());
        }
        QCOMPARE(visited, expected);
    }

    void rhythmButtonsLeftToRight()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QList<int> order{0, 1, 2, 3, 4, 5};
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return window.rhythmButton(a)->geometry().x() < window.rhythmButton(b)->geometry().x();
        });
        QCOMPARE(order, (QList<int>{0, 1, 3, 4, 2, 5}));
        QStringList captions;
        for (int i : order) {
            captions << window.rhythmButton(i)->caption();
            QCOMPARE(window.rhythmButton(i)->geometry().y(), 782);
            QVERIFY(!window.rhythmButton(i)->isSelected());
            QCOMPARE(window.rhythmButton(i)->background(), 0xFF000080u);
        }
        QCOMPARE(captions.join(' '), QStringLiteral("心室細動 心室頻拍 ＰＥＡ 心静止 徐脈 心拍再開"));
    }

    // Shown smaller to fit a small screen (1024 x 768), the window keeps its
    // proportions: each control at its place and size times the factor, its
    // font and picture likewise; a press lands on the control drawn there;
    // the window looks as laid out, only smaller; and back at factor 1 it is
    // the window as laid out to the pixel.
    void scaledWindowKeepsItsProportions()
    {
        ScriptedPlatform laidOutServices, scaledServices;
        MainWindow laidOut(laidOutServices.platform());
        MainWindow scaled(scaledServices.platform());
        const double f = 1022.0 / 1227;
        scaled.setScale(layout::Scale(f));
        QCOMPARE(scaled.size(), QSize(1022, 724));
        QCOMPARE(scaled.minimumSize(), scaled.maximumSize());

        const auto controls = [](MainWindow& window) {
            QList<QWidget*> list = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            list.removeIf([](QWidget* c) { return c->isWindow(); }); // the popup menu
            return list;
        };
        const QList<QWidget*> before = controls(laidOut), after = controls(scaled);
        QCOMPARE(after.size(), before.size());
        QVERIFY(before.size() > 80);
        for (qsizetype i = 0; i < before.size(); ++i) {
            const QRect a = before[i]->geometry(), b = after[i]->geometry();
            const QString name = before[i]->objectName();
            QVERIFY2(qAbs(b.left() - a.left() * f) <= 1 && qAbs(b.top() - a.top() * f) <= 1 &&
                         qAbs(b.width() - a.width() * f) <= 1 && qAbs(b.height() - a.height() * f) <= 1,
                     qPrintable(name));
            QVERIFY2(qFuzzyCompare(after[i]->font().pointSizeF(), before[i]->font().pointSizeF() * f) ||
                         !before[i]->testAttribute(Qt::WA_SetFont),
                     qPrintable(name));
        }
        QCOMPARE(scaled.picturePanel(6)->pictureRect().size(), QSize(188, 80));
        QCOMPARE(scaled.picturePanel(6)->pictureRect().center(), scaled.picturePanel(6)->rect().center());
        for (int i = 0; i < kEventButtonCount; ++i) {
            const QPointF centre = QRectF(laidOut.eventButton(i)->geometry()).center() * f;
            QCOMPARE(scaled.childAt(centre.toPoint()), scaled.eventButton(i));
        }
        for (int i = 0; i < kRhythmButtonCount; ++i) {
            const QPointF centre = QRectF(laidOut.rhythmButton(i)->geometry()).center() * f;
            QCOMPARE(scaled.childAt(centre.toPoint()), scaled.rhythmButton(i));
        }

        laidOut.show();
        scaled.show();
        QVERIFY(QTest::qWaitForWindowExposed(&laidOut));
        QVERIFY(QTest::qWaitForWindowExposed(&scaled));
        // The window as laid out, shrunk as a picture, against the scaled
        // window: edges and glyphs differ by a few levels of antialiasing
        // (about 1.4 % of the pixels far apart); glyphs of another size, or
        // a control out of place, make several per cent.
        const QImage small = shot(laidOut).scaled(scaled.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage drawn = shot(scaled);
        int far = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = small.pixel(x, y), b = drawn.pixel(x, y);
                far += qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))), qAbs(qBlue(a) - qBlue(b))) > 96;
            }
        QVERIFY2(far < drawn.width() * drawn.height() / 50, qPrintable(QString::number(far)));

        scaled.setScale(layout::Scale());
        QCOMPARE(shot(scaled), shot(laidOut));
    }

    // The edit window and the popup menu open at the main window's scale;
    // at factor 1 the menu keeps the platform's font as it is.
    void editWindowAndMenuScaleWithTheWindow()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        const QFont platformMenuFont = window.popup()->font();
        QCOMPARE(platformMenuFont, QApplication::font(window.popup()));
        const double f = 747.0 / 869; // a 1366 x 768 screen
        window.setScale(layout::Scale(f));
        QVERIFY(qFuzzyCompare(window.popup()->font().pointSizeF(), platformMenuFont.pointSizeF() * f));
        QCOMPARE(window.popup()->font().family(), platformMenuFont.family());

        window.eventButton(0)->click();
        bool opened = false;
        window.setEditWindowRunner([&](EditWindow& e) {
            opened = true;
            QCOMPARE(e.size(), QSize(536, 77)); // 624 x 89 laid out
            QCOMPARE(e.minimumSize(), e.maximumSize());
            QCOMPARE(e.editBox()->geometry(), QRect(7, 9, 518, 26));
            QCOMPARE(e.cancelButton()->geometry(), QRect(148, 45, 63, 26));
            QCOMPARE(e.buttonBackdrop(1)->geometry(), QRect(304, 43, 68, 32));
            QVERIFY(qFuzzyCompare(e.editBox()->font().pointSizeF(), 15.75 * f));
            QVERIFY(qFuzzyCompare(e.changeButton()->font().pointSizeF(), 11.25 * f));
        });
        window.popup()->editItem()->trigger();
        QVERIFY(opened);

        window.setScale(layout::Scale());
        QCOMPARE(window.popup()->font(), platformMenuFont);
        QVERIFY(!window.popup()->testAttribute(Qt::WA_SetFont));
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_MainWindowLayout.moc"
