// The labels as the main window draws them: glyphs inside their panels,
// the kept part of each picture losing no ink, and partial repaints that
// leave the screen as a full repaint would.
#include <QtTest>

#include <QPainter>
#include <utility>
#include <vector>

#include "ScriptedMainWindow.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
// Where the glyphs of the given labels land on the window: the pixels that
// change when the labels are drawn in another colour for a moment.
QRect glyphsOf(MainWindow& window, const char* array, std::initializer_list<int> indexes)
{
    const QImage before = shot(window);
    std::vector<std::pair<LabelWidget*, QRgb>> saved;
    for (int i : indexes) {
        LabelWidget* label = window.findLabel(QString::fromLatin1(array), i);
        saved.emplace_back(label, label->colour());
        label->setColour(0xFFFF00FF);
    }
    const QImage after = shot(window);
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
} // namespace

class LabelWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    // Glyphs sit where the original faces put them: the large CPR digits
    // inside the CPR panel (their boxes reach up into the top strip), the
    // small digits below their headings, the date above the clock digits,
    // all eleven reversible causes inside their box.
    void glyphsStayInsideTheirPanels()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QRect cpr = glyphsOf(window, "Label6", {0, 1, 2, 3, 6});
        QVERIFY2(
            cpr.top() > 112 && cpr.bottom() < 336,
            qPrintable(QStringLiteral("%1,%2 %3x%4").arg(cpr.x()).arg(cpr.y()).arg(cpr.width()).arg(cpr.height())));
        QVERIFY(cpr.left() > 471 && cpr.right() < 1222);

        const QRect arrival = glyphsOf(window, "Label1", {0, 1, 2, 3, 6});
        QVERIFY2(arrival.top() >= 36 && arrival.bottom() < 106, qPrintable(QString::number(arrival.top())));
        QVERIFY(arrival.left() > 257 && arrival.right() < 465);

        const QRect clockDigits = glyphsOf(window, "Label3", {0, 1, 2, 3, 4});
        const QRect date = glyphsOf(window, "Label7", {-1});
        QVERIFY(!date.isEmpty() && !clockDigits.isEmpty());
        QVERIFY2(date.bottom() < clockDigits.top(),
                 qPrintable(QStringLiteral("%1 %2").arg(date.bottom()).arg(clockDigits.top())));

        for (Visibility* v : std::initializer_list<Visibility*>{&window.shape(layout::keys::kReversibleCausesBox),
                                                                &window.label(layout::keys::kReversibleCausesHeading),
                                                                &window.label(layout::keys::kReversibleCausesList)})
            v->setShown(true);
        const QRect causes = glyphsOf(window, "Label2", {-1});
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
        MainWindow& window = m.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
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
        for (LabelWidget* l : window.findChildren<LabelWidget*>()) {
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

    // A tick repaints only what the old and the new digit cover. What the
    // screen shows after many such partial repaints, through new colours and
    // carries, must be what a full repaint of the window draws.
    void partialRepaintsLeaveNoTrace()
    {
        ScriptedMainWindow m(QDateTime(QDate(2005, 6, 4), QTime(23, 58, 0)));
        auto& [services, window] = m;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto onScreen = [&] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const auto sameAsFullRepaint = [&](int second) {
            const QImage screen = onScreen();
            if (screen == shot(window))
                return true;
            qWarning("second %d: the screen differs from a full repaint", second);
            return false;
        };
        QVERIFY(sameAsFullRepaint(0));
        for (int button : {0, 1, 5})
            QTest::mouseClick(window.eventButton(button), Qt::LeftButton);
        for (int second = 1; second <= 185; ++second) {
            services.clock.advance(1);
            for (int timer : {1, 2, 3, 4})
                m.timer(timer).tick();
            if (second < 25 || second % 10 == 0 || (second >= 118 && second <= 122) || second >= 178)
                QVERIFY(sameAsFullRepaint(second));
        }
        QCOMPARE(window.findLabel("Label6", 1)->colour(), colours::kCounterDue);
        QCOMPARE(window.findLabel("Label1", 9)->colour(), colours::kCounterDue);
    }
};

QTEST_MAIN(LabelWidgetTest)
#include "tst_LabelWidget.moc"
