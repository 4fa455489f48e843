// The main window as laid out: where each control is, how it looks, which
// control a press reaches, the focus order, and the counters and clock as
// they appear on the real window.
#include <QtTest>

#include <QFontInfo>
#include <QPainter>
#include <functional>

#include "ScriptedMainWindow.h"
#include "counters/CounterTable.h"
#include "ui/look/Fonts.h"
#include "ui/look/Images.h"
#include "ui/placement/ScreenFitter.h"
#include "ui/placement/WindowFit.h"
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
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
QImage shot(FrmMain& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Rows and columns of `image` (inside `within`) holding a pixel that
// satisfies `ink`; an empty rectangle if none.
QRect inkBounds(const QImage& image, const std::function<bool(QRgb)>& ink, QRect within = {})
{
    if (within.isNull())
        within = image.rect();
    QRect bounds;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (ink(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Where the glyphs of the given labels land on the window: the pixels that
// change when the labels are drawn in another colour for a moment.
QRect glyphsOf(FrmMain& w, const char* array, std::initializer_list<int> indexes)
{
    const QImage before = shot(w);
    std::vector<std::pair<LabelWidget*, QRgb>> saved;
    for (int i : indexes) {
        LabelWidget* label = w.findLabel(QString::fromLatin1(array), i);
        saved.emplace_back(label, label->colour());
        label->setColour(0xFFFF00FF);
    }
    const QImage after = shot(w);
    for (const auto& [label, colour] : saved)
        label->setColour(colour);
    QRect bounds;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Same size, and no channel of any pixel further apart than a few levels.
bool nearlyEqual(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 16 || qAbs(qGreen(p) - qGreen(q)) > 16 || qAbs(qBlue(p) - qBlue(q)) > 16 ||
                qAbs(qAlpha(p) - qAlpha(q)) > 16)
                return false;
        }
    return true;
}

QString objectNameOf(QWidget* widget)
{
    return widget ? widget->objectName() : QStringLiteral("(none)");
}
} // namespace

class LayoutTest : public QObject {
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
        auto& [p, w] = m;
        QWidget* control = nullptr;
        if (name == QLatin1String("Check1"))
            control = w.eventButton(index);
        else if (name == QLatin1String("Option1"))
            control = w.rhythmButton(index);
        else if (name == QLatin1String("Command"))
            control = w.picturePanel(index);
        else if (name == QLatin1String("List1"))
            control = w.recordList();
        else if (name.startsWith(QLatin1String("Shape")))
            control = w.findShape(name, index);
        else
            control = w.findLabel(name, index);
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
        auto& [p, w] = m;
        QCOMPARE(w.windowTitle(), QStringLiteral("Veltrasa２００５"));
        QCOMPARE(w.minimumSize(), QSize(1227, 869));
        QCOMPARE(w.maximumSize(), QSize(1227, 869));
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage image = shot(w);
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

    // Buttons are drawn raised, and pressed in while held down.
    void buttonsPressIn()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (QPushButton* button : std::initializer_list<QPushButton*>{w.eventButton(3), w.rhythmButton(4)}) {
            const QPoint corner = button->geometry().topLeft();
            QCOMPARE(shot(w).pixel(corner), 0xFFFFFFFFu);
            QTest::mousePress(button, Qt::LeftButton);
            QCOMPARE(shot(w).pixel(corner), 0xFF000000u);
            QCOMPARE(shot(w).pixel(corner + QPoint(1, 1)), 0xFF808080u);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(shot(w).pixel(corner), 0xFFFFFFFFu);
        }
        QCOMPARE(w.recordList()->count(), 2); // each press recorded once, and released
    }

    void fontsAndColours()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        // Fonts name the installed face that stands for the Windows one.
        const auto check = [](QWidget* widget, double points, int weight, const QString& face) {
            const QFont f = widget->font();
            QCOMPARE(f.family(), face);
            QCOMPARE(f.pointSizeF(), points);
            QCOMPARE(int(f.weight()), weight);
            QCOMPARE(QFontInfo(f).family(), face);
        };
        check(w.findLabel("Label4", 0), 12, QFont::Bold, "IPAGothic");
        check(w.findLabel("Label4", 2), 15.75, QFont::Bold, "IPAGothic");
        check(w.findLabel("Label4", 6), 18, QFont::Bold, "IPAPGothic");
        check(w.findLabel("Label5"), 12, QFont::Normal, "IPAPGothic");
        check(w.findLabel("Label2"), 11.25, QFont::Normal, "IPAPGothic");
        check(w.eventButton(0), 21.75, QFont::Normal, "IPAPGothic");
        check(w.rhythmButton(0), 18, QFont::Normal, "IPAPGothic");
        check(w.recordList(), 18, QFont::Normal, "IPAGothic");
        // Arial Black stands for an extra-heavy face.
        check(w.findLabel("Label6", 0), 159.75, QFont::Black, "Lato Black");
        check(w.findLabel("Label6", 6), 140.25, QFont::Black, "Lato Black");
        check(w.findLabel("Label1", 0), 48, QFont::Black, "Lato Black");
        check(w.findLabel("Label7"), 14.25, QFont::Black, "Lato Black");
        QVERIFY(QFontInfo(w.findLabel("Label6", 0)->font()).styleName().contains("Black"));

        QCOMPARE(w.findLabel("Label3", 0)->colour(), 0xFF00FF00u);
        QCOMPARE(w.label(layout::keys::kDateLabel).colour(), 0xFF00FF00u);
        QCOMPARE(w.findLabel("Label4", 1)->colour(), 0xFFFFFFFFu);
        QCOMPARE(w.label(layout::keys::kReversibleCausesHeading).colour(), 0xFFFFFFFFu);
        QCOMPARE(w.label(layout::keys::kReversibleCausesList).colour(), 0xFFFFFF00u);
        for (int i : {8, 9, 10, 11, 14}) {
            QCOMPARE(w.findLabel("Label9", i)->colour(), 0xFF808000u);
            QCOMPARE(w.findLabel("Label8", i)->colour(), 0xFF808000u);
        }
        QCOMPARE(w.eventButton(3)->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QCOMPARE(w.rhythmButton(2)->palette().color(QPalette::ButtonText), QColor(Qt::white));
        QCOMPARE(w.recordList()->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
    }

    void reversibleCausesText()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        const QString text = w.label(layout::keys::kReversibleCausesList).text();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.left(text.size() - 2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 11);
        for (const QString& line : lines)
            QCOMPARE(line.at(0), QChar(0x30FB));
        QCOMPARE(lines[3], QStringLiteral("・低／高カリウム血症"));
        QCOMPARE(lines[9], QStringLiteral("・血栓症(冠動脈/肺動脈)"));
        QCOMPARE(w.label(layout::keys::kReversibleCausesHeading).text(), QStringLiteral("６Ｈs５Ｔs"));
    }

    // Glyphs sit where the original faces put them: the large CPR digits
    // inside the CPR panel (their boxes reach up into the top strip), the
    // small digits below their headings, the date above the clock digits,
    // all eleven reversible causes inside their box.
    void glyphsStayInsideTheirPanels()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        const QRect cpr = glyphsOf(w, "Label6", {0, 1, 2, 3, 6});
        QVERIFY2(
            cpr.top() > 112 && cpr.bottom() < 336,
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(cpr.x()).arg(cpr.y()).arg(cpr.width()).arg(cpr.height())));
        QVERIFY(cpr.left() > 471 && cpr.right() < 1222);

        const QRect arrival = glyphsOf(w, "Label1", {0, 1, 2, 3, 6});
        QVERIFY2(arrival.top() >= 36 && arrival.bottom() < 106, qPrintable(QString::number(arrival.top())));
        QVERIFY(arrival.left() > 257 && arrival.right() < 465);

        const QRect clockDigits = glyphsOf(w, "Label3", {0, 1, 2, 3, 4});
        const QRect date = glyphsOf(w, "Label7", {-1});
        QVERIFY(!date.isEmpty() && !clockDigits.isEmpty());
        QVERIFY2(date.bottom() < clockDigits.top(),
                 qPrintable(QStringLiteral("%1 %2").arg(date.bottom()).arg(clockDigits.top())));

        for (Visibility* v : std::initializer_list<Visibility*>{&w.shape(layout::keys::kReversibleCausesBox),
                                                                &w.label(layout::keys::kReversibleCausesHeading),
                                                                &w.label(layout::keys::kReversibleCausesList)})
            v->setShown(true);
        const QRect causes = glyphsOf(w, "Label2", {-1});
        QVERIFY2(causes.top() >= 546 && causes.bottom() <= 714, qPrintable(QString::number(causes.bottom())));
        QVERIFY(causes.left() >= 1046 && causes.right() < 1218);
    }

    // Labels keep only the part of their picture the glyphs can cover. Every
    // text a label shows (its own, each digit, the separator) must come out
    // as the same text drawn whole on the label's full rectangle. Large
    // glyphs, drawn from their outlines, may differ between two drawings by
    // a few levels of antialiasing; a lost edge differs by far more.
    void keptGlyphsLoseNoInk()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto drawnWhole = [](LabelWidget* l) {
            QImage image(l->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setFont(l->font());
            painter.setPen(QColor::fromRgb(l->colour()));
            const QFontMetricsF metrics(l->font());
            const QStringList lines = l->text().split(QStringLiteral("\r\n"));
            for (int i = 0; i < lines.size(); ++i) {
                const qreal x =
                    l->alignment() & Qt::AlignHCenter ? (l->width() - metrics.horizontalAdvance(lines[i])) / 2 : 0;
                painter.drawText(QPointF(x, l->baseline(i)), lines[i]);
            }
            return image;
        };
        int compared = 0;
        for (LabelWidget* l : w.findChildren<LabelWidget*>()) {
            l->setShown(true);
            QStringList texts{l->text(), QStringLiteral(":")};
            for (char digit = '0'; digit <= '9'; ++digit)
                texts << QString(QLatin1Char(digit));
            for (const QString& text : texts) {
                l->setText(text);
                const QImage kept = l->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QVERIFY2(nearlyEqual(kept, drawnWhole(l)), qPrintable(l->objectName() + QLatin1Char(' ') + text));
                ++compared;
            }
        }
        QVERIFY(compared > 400);
    }

    void picturePanels()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        PicturePanelWidget* panel = w.picturePanel(15);
        QCOMPARE(panel->lettering(), QStringLiteral("終　了"));
        QCOMPARE(w.picturePanel(11)->lettering(), QStringLiteral("ドパミン"));
        QVERIFY(!w.picturePanel(13) && !w.picturePanel(14));
        // The 226 x 96 picture is centred on the 181 x 68 panel and clipped.
        QCOMPARE(panel->pictureRect().size(), QSize(226, 96));
        QCOMPARE(panel->pictureRect().center(), panel->rect().center());
        const QImage image = panel->grab().toImage();
        const QRgb middle = image.pixel(1, 34); // mid-height of the picture
        QVERIFY(qAbs(qRed(middle) - 0x33) <= 2 && qAbs(qBlue(middle) - 0x99) <= 2);
        QCOMPARE(image.pixel(1, 0), image.pixel(1, 67)); // symmetric gradient
        QVERIFY(qBlue(image.pixel(1, 0)) < qBlue(middle));
        const QRect white = inkBounds(image, [](QRgb c) { return c == 0xFFFFFFFF; });
        QVERIFY(!white.isEmpty());
        QVERIFY(qAbs(white.center().x() - image.width() / 2) <= 6);
    }

    // A press anywhere inside an event button reaches it, including the
    // strip over its picture panel; the panel's own sliver does nothing.
    void stacking()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int i = 0; i < kEventButtonCount; ++i) {
            const QRect r = w.eventButton(i)->geometry();
            QCOMPARE(w.childAt(r.bottomLeft()), w.eventButton(i));
            QCOMPARE(w.childAt(r.bottomRight()), w.eventButton(i));
            QCOMPARE(w.childAt(r.topLeft()), w.eventButton(i));
            QVERIFY(qobject_cast<PicturePanelWidget*>(w.childAt(r.bottomRight() + QPoint(0, 1))));
        }
        QVERIFY(qobject_cast<PicturePanelWidget*>(w.childAt(w.eventButton(5)->geometry().topRight() + QPoint(1, 0))));

        const QRect arrival = w.eventButton(4)->geometry();
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, arrival.bottomLeft() + QPoint(3, 0));
        QCOMPARE(w.recordList()->count(), 1);
        QCOMPARE(w.recordList()->rowText(0), QStringLiteral("06/04 09:05:07　気管挿管施行"));
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, arrival.bottomLeft() + QPoint(3, 1));
        QCOMPARE(w.recordList()->count(), 1);
    }

    void focusOrder()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
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
        auto& [p, w] = m;
        QList<int> order{0, 1, 2, 3, 4, 5};
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return w.rhythmButton(a)->geometry().x() < w.rhythmButton(b)->geometry().x(); });
        QCOMPARE(order, (QList<int>{0, 1, 3, 4, 2, 5}));
        QStringList captions;
        for (int i : order) {
            captions << w.rhythmButton(i)->caption();
            QCOMPARE(w.rhythmButton(i)->geometry().y(), 782);
            QVERIFY(!w.rhythmButton(i)->isSelected());
            QCOMPARE(w.rhythmButton(i)->background(), 0xFF000080u);
        }
        QCOMPARE(captions.join(' '), QStringLiteral("心室細動 心室頻拍 ＰＥＡ 心静止 徐脈 心拍再開"));
    }

    // Idle, active and due colours of each counter as the window draws
    // them, reached by real presses and manual ticks.
    void countersIdleActiveDue_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("array");
        QTest::addColumn<int>("firstDigit");
        QTest::addColumn<QRgb>("idle");
        QTest::addColumn<QRgb>("active");
        QTest::addColumn<int>("dueAfter"); // seconds; 0: never due
        QTest::addColumn<QRect>("panel");
        QTest::newRow("arrival") << 0 << "Label1" << 0 << 0xFF804000u << 0xFFFF8000u << 0 << QRect(257, 4, 209, 103);
        QTest::newRow("CPR") << 1 << "Label6" << 0 << 0xFF808000u << 0xFFFFFF00u << 120 << QRect(471, 112, 752, 225);
        QTest::newRow("defibrillation") << 2 << "Label6" << 0 << 0xFF808000u << 0xFFFFFF00u << 120
                                        << QRect(471, 112, 752, 225);
        QTest::newRow("epinephrine") << 5 << "Label1" << 8 << 0xFF808000u << 0xFFFFFF00u << 180
                                     << QRect(472, 4, 247, 103);
        QTest::newRow("atropine") << 6 << "Label9" << 8 << 0xFF808000u << 0xFFFFFF00u << 180 << QRect(724, 4, 247, 103);
        QTest::newRow("antiarrhythmic") << 9 << "Label8" << 8 << 0xFF808000u << 0xFFFFFF00u << 0
                                        << QRect(976, 4, 247, 103);
    }

    void countersIdleActiveDue()
    {
        QFETCH(int, button);
        QFETCH(QString, array);
        QFETCH(int, firstDigit);
        QFETCH(QRgb, idle);
        QFETCH(QRgb, active);
        QFETCH(int, dueAfter);
        QFETCH(QRect, panel);
        ScriptedMainWindow m;
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<int> labels{firstDigit, firstDigit + 1, firstDigit + 2, firstDigit + 3, firstDigit == 0 ? 6 : 14};
        const auto drawnIn = [&](QRgb colour) {
            for (int i : labels)
                if (w.findLabel(array, i)->colour() != colour)
                    return false;
            return !inkBounds(
                        shot(w), [&](QRgb c) { return c == colour; }, panel.adjusted(1, 1, -1, -1))
                        .isEmpty();
        };

        QVERIFY(drawnIn(idle));
        QTest::mouseClick(w.eventButton(button), Qt::LeftButton);
        QVERIFY(drawnIn(active));
        m.timer(1).setEnabled(false); // the clock would blink the arrival separator
        const int quiet = dueAfter ? dueAfter - 1 : 3 * 3600;
        m.pass(quiet);
        QVERIFY(drawnIn(active));
        m.pass(1);
        QVERIFY(drawnIn(dueAfter ? DigitCounter::kDueColour : active));
        if (array == QLatin1String("Label1") && firstDigit == 0) // hours:minutes
            QCOMPARE(w.findLabel(array, 2)->text() + w.findLabel(array, 1)->text() + w.findLabel(array, 0)->text(),
                     QStringLiteral("300"));
    }

    // A tick repaints only what the old and the new digit cover. What the
    // screen shows after many such partial repaints, through new colours and
    // carries, must be what a full repaint of the window draws.
    void partialRepaintsLeaveNoTrace()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(23, 58, 0)));
        auto& [p, w] = m;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto onScreen = [&] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const auto sameAsFullRepaint = [&](int second) {
            const QImage screen = onScreen();
            if (screen == shot(w))
                return true;
            qWarning("second %d: the screen differs from a full repaint", second);
            return false;
        };
        QVERIFY(sameAsFullRepaint(0));
        for (int button : {0, 1, 5})
            QTest::mouseClick(w.eventButton(button), Qt::LeftButton);
        for (int second = 1; second <= 185; ++second) {
            p.clock.advance(1);
            for (int timer : {1, 2, 3, 4})
                m.timer(timer).tick();
            if (second < 25 || second % 10 == 0 || (second >= 118 && second <= 122) || second >= 178)
                QVERIFY(sameAsFullRepaint(second));
        }
        QCOMPARE(w.findLabel("Label6", 1)->colour(), DigitCounter::kDueColour);
        QCOMPARE(w.findLabel("Label1", 9)->colour(), DigitCounter::kDueColour);
    }

    // The clock on the window: only the digits that change are rewritten,
    // the separator blinks, the date follows midnight on the same tick.
    void clockOnTheWindow()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(23, 59, 58)));
        auto& [p, w] = m;
        const auto writes = [&] {
            QList<int> n;
            for (int i = 0; i < 4; ++i)
                n << w.findLabel("Label3", i)->textWrites();
            return n << w.label(layout::keys::kDateLabel).textWrites();
        };
        const QList<int> before = writes();
        p.clock.advance(1);
        m.timer(1).tick();
        QCOMPARE(writes(), before); // 23:59:59 shows as before
        QCOMPARE(w.findLabel("Label3", 4)->colour(), 0xFF008000u);
        p.clock.advance(1);
        m.timer(1).tick();
        QCOMPARE(w.findLabel("Label3", 4)->colour(), 0xFF00FF00u);
        const QList<int> after = writes();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(after[i], before[i] + 1);
        QCOMPARE(w.label(layout::keys::kDateLabel).text(), QStringLiteral("2005-06-05"));
        QString shown;
        for (int i : {3, 2, 4, 1, 0})
            shown += w.findLabel("Label3", i)->text();
        QCOMPARE(shown, QStringLiteral("00:00"));
        QCOMPARE(w.label(layout::keys::kArrivalSeparator).colour(), 0xFF804000u); // no arrival yet: no blink
        p.clock.advance(60);
        m.timer(1).tick();
        QCOMPARE(writes()[0], after[0] + 1);
        QCOMPARE(writes().mid(1), after.mid(1));
    }

    void pointers()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        QCOMPARE(w.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(w.cursor().hotSpot(), QPoint(0, 1));
        // Labels, panels and pictures show the window's pointer.
        for (QWidget* inherits : std::initializer_list<QWidget*>{w.findLabel("Label6", 0), w.findShape("Shape1", 4),
                                                                 w.picturePanel(1), w.findLabel("Label4", 6)})
            QCOMPARE(inherits->cursor().shape(), Qt::BitmapCursor);
        for (QWidget* standard : std::initializer_list<QWidget*>{w.eventButton(0), w.eventButton(15), w.rhythmButton(3),
                                                                 w.recordList(), w.recordList()->viewport()})
            QCOMPARE(standard->cursor().shape(), Qt::ArrowCursor);

        const QImage arrow = images::arrowPointerImage();
        QCOMPARE(arrow.size(), QSize(32, 32));
        const auto opaque = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < 32 && y < 32 && qAlpha(arrow.pixel(x, y)) == 255;
        };
        QCOMPARE(inkBounds(arrow, [](QRgb c) { return qAlpha(c) != 0; }), QRect(0, 1, 18, 30));
        QCOMPARE(arrow.pixel(0, 1), 0xFF000000u); // the tip
        int white = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb c = arrow.pixel(x, y);
                if (qAlpha(c) == 0)
                    continue;
                QVERIFY(c == 0xFF000000u || c == 0xFFFFFFFFu);
                const bool edge = !(opaque(x - 1, y) && opaque(x + 1, y) && opaque(x, y - 1) && opaque(x, y + 1));
                QCOMPARE(c == 0xFF000000u, edge); // a one-pixel black outline around white
                white += c == 0xFFFFFFFFu;
            }
        QVERIFY(white > 100);

        // The same look in both forms: the bitmap with its mask that X11
        // shows, the colour picture that Wayland shows.
        const QCursor colour = images::arrowPointer(images::PointerForm::Colour);
        QCOMPARE(colour.hotSpot(), QPoint(0, 1));
        QCOMPARE(colour.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), arrow);
        const QCursor bitmap = images::arrowPointer(images::PointerForm::Bitmap);
        QCOMPARE(bitmap.hotSpot(), QPoint(0, 1));
        const QImage bits = bitmap.bitmap().toImage();
        const QImage mask = bitmap.mask().toImage();
        QImage drawn(32, 32, QImage::Format_ARGB32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) // bit and mask 1 (color1) is black
                drawn.setPixel(x, y, mask.pixel(x, y) != 0xFF000000u ? 0u : bits.pixel(x, y));
        QCOMPARE(drawn, arrow);
    }

    void windowIcon()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        const QList<QSize> sizes = w.windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
        const QSet<QRgb> basic{0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 0xFF808080, 0xFFC0C0C0};
        for (int size : {32, 16}) {
            const QImage image = images::stopwatch(size);
            QSet<QRgb> used;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (qAlpha(image.pixel(x, y)) != 0)
                        used.insert(image.pixel(x, y));
            QCOMPARE(used, basic); // white dial, black hands, red dots, grey crown and buttons
        }
    }

    // Ending the session or the application (a quit request) closes the
    // window, which ends the record once.
    void quitEndsTheRecordOnce()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        const auto exitSequences = m.countExitSequences();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
        w.close();
        QCOMPARE(*exitSequences, 1);
        QCOMPARE(p.programEnd.ended, 1);
        QVERIFY(!w.timer(1).isEnabled());
    }

    // Shown smaller to fit a small screen (1024 x 768), the window keeps its
    // proportions: each control at its place and size times the factor, its
    // font and picture likewise; a press lands on the control drawn there;
    // the window looks as laid out, only smaller; and back at factor 1 it is
    // the window as laid out to the pixel.
    void scaledWindowKeepsItsProportions()
    {
        ScriptedPlatform p, q;
        FrmMain laidOut(p.platform());
        FrmMain scaled(q.platform());
        const double f = 1022.0 / 1227;
        scaled.setScale(layout::Scale(f));
        QCOMPARE(scaled.size(), QSize(1022, 724));
        QCOMPARE(scaled.minimumSize(), scaled.maximumSize());

        const auto controls = [](FrmMain& w) {
            QList<QWidget*> list = w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
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
        auto& [p, w] = m;
        const QFont platformMenuFont = w.popup()->font();
        QCOMPARE(platformMenuFont, QApplication::font(w.popup()));
        const double f = 747.0 / 869; // a 1366 x 768 screen
        w.setScale(layout::Scale(f));
        QVERIFY(qFuzzyCompare(w.popup()->font().pointSizeF(), platformMenuFont.pointSizeF() * f));
        QCOMPARE(w.popup()->font().family(), platformMenuFont.family());

        w.eventButton(0)->click();
        bool opened = false;
        w.setEditWindowRunner([&](FrmEdit& e) {
            opened = true;
            QCOMPARE(e.size(), QSize(536, 77)); // 624 x 89 laid out
            QCOMPARE(e.minimumSize(), e.maximumSize());
            QCOMPARE(e.editBox()->geometry(), QRect(7, 9, 518, 26));
            QCOMPARE(e.cancelButton()->geometry(), QRect(148, 45, 63, 26));
            QCOMPARE(e.buttonBackdrop(1)->geometry(), QRect(304, 43, 68, 32));
            QVERIFY(qFuzzyCompare(e.editBox()->font().pointSizeF(), 15.75 * f));
            QVERIFY(qFuzzyCompare(e.changeButton()->font().pointSizeF(), 11.25 * f));
        });
        w.popup()->editItem()->trigger();
        QVERIFY(opened);

        w.setScale(layout::Scale());
        QCOMPARE(w.popup()->font(), platformMenuFont);
        QVERIFY(!w.popup()->testAttribute(Qt::WA_SetFont));
    }

    // Fitted first to the frame expected before the window is shown, the
    // window is fitted again to the frame it really gets once shown (the
    // offscreen platform's, on its 800 x 600 screen): scale and place follow.
    void fittedAgainToTheRealFrame()
    {
        ScriptedMainWindow m;
        auto& [p, w] = m;
        auto* fitter = new ScreenFitter(w);
        const QRect available = w.screen()->availableGeometry();
        const QMargins guess(10, 60, 10, 10);
        fitter->fit(available, guess);
        const WindowFit guessed = fitWindow(available, guess, {layout::kClientWidth, layout::kClientHeight});
        QCOMPARE(w.scale(), guessed.scale);
        QVERIFY(w.scale().factor() < 1);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(fitter->frame() != guess);
        const QMargins real = fitter->frame();
        QVERIFY(!real.isNull());
        const WindowFit fitted = fitWindow(available, real, {layout::kClientWidth, layout::kClientHeight});
        QCOMPARE(w.scale(), fitted.scale);
        QVERIFY(w.scale().factor() > guessed.scale.factor());
        QTRY_COMPARE(w.frameGeometry(), fitted.frame);
        QVERIFY(available.contains(w.frameGeometry()));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_Layout.moc"
