// Where the main window opens and at what scale: on a screen that holds it,
// as laid out and centred; on a smaller one, scaled down just enough for the
// window and its frame to fit the available area, never outside it; a
// further record's window cascaded from there; fitted again to the frame
// the window really gets once shown.
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/Scale.h"
#include "ui/look/Fonts.h"
#include "ui/placement/ScreenFitter.h"
#include "ui/placement/WindowFit.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

namespace {
const QSize kMainWindow(layout::kClientWidth, layout::kClientHeight);
const QMargins kOpenbox(1, 20, 1, 1); // left, top (the title bar), right, bottom
const QMargins kThickFrame(4, 32, 4, 4);
} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    // At factor 1 every length is what the layout always gave: the window
    // that fits looks exactly as before.
    void factorOneIsTheLayout()
    {
        const layout::Scale one;
        for (int twips = 0; twips <= 20000; ++twips) {
            const int laidOut = (twips + layout::kTwipsPerPixel / 2) / layout::kTwipsPerPixel;
            if (one.fromTwips(twips) != laidOut)
                QFAIL(qPrintable(QStringLiteral("%1 twips: %2 pixels, laid out %3")
                                     .arg(twips)
                                     .arg(one.fromTwips(twips))
                                     .arg(laidOut)));
        }
        QCOMPARE(one.rect(9855, 5250, 2715, 1020), QRect(657, 350, 181, 68));
        QCOMPARE(one.size(QSize(226, 96)), QSize(226, 96));
        QCOMPARE(one.fromPixels(4), 4);
        QCOMPARE(one.line(2), 2);
        QCOMPARE(one.points(21.75), 21.75);
    }

    // Scaled, controls that meet in twips still meet (each edge is rounded
    // on its own), and no line becomes thinner than a pixel.
    void scaledEdgesMeet()
    {
        for (const double f : {0.9, 0.8596, 0.8329, 0.61, 0.3}) {
            const layout::Scale k(f);
            for (int left = 0; left < 18405; left += 97) {
                const QRect a = k.rect(left, 60, 1545, 1545);
                const QRect b = k.rect(left + 1545, 60, 3705, 1545);
                QCOMPARE(a.right() + 1, b.left());
                QCOMPARE(a.top(), b.top());
            }
            QCOMPARE(k.line(1), 1);
            QCOMPARE(k.line(2), f >= 0.75 ? 2 : 1);
            QCOMPARE(k.points(12), 12 * f);
        }
    }

    void fitsAsExpected_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("placed"); // the frame on the screen

        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << kOpenbox << QSize(1227, 869)
                                   << QRect(345, 95, 1229, 890);
        QTest::newRow("1600x1200, no window manager")
            << QRect(0, 0, 1600, 1200) << QMargins() << QSize(1227, 869) << QRect(186, 165, 1227, 869);
        QTest::newRow("exactly the window and its frame")
            << QRect(0, 0, 1229, 890) << kOpenbox << QSize(1227, 869) << QRect(0, 0, 1229, 890);
        QTest::newRow("one pixel short") << QRect(0, 0, 1229, 889) << kOpenbox << QSize(1226, 868)
                                         << QRect(1, 0, 1228, 889);
        // Height 768 less the title bar: 747 / 869 of the layout.
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 768) << kOpenbox << QSize(1055, 747) << QRect(154, 0, 1057, 768);
        // Width 1024 less the edges: 1022 / 1227.
        QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << kOpenbox << QSize(1022, 724) << QRect(0, 11, 1024, 745);
        QTest::newRow("1366x768, panel below")
            << QRect(0, 0, 1366, 740) << kOpenbox << QSize(1015, 719) << QRect(174, 0, 1017, 740);
        QTest::newRow("1366x768, panel above and dock left")
            << QRect(48, 24, 1318, 744) << kThickFrame << QSize(1000, 708) << QRect(203, 24, 1008, 744);
        QTest::newRow("second screen, 1280x800")
            << QRect(1920, 0, 1280, 800) << kOpenbox << QSize(1100, 779) << QRect(2009, 0, 1102, 800);
        // Smaller than even the smallest window: the title bar stays on the
        // screen.
        QTest::newRow("320x200") << QRect(0, 0, 320, 200) << kOpenbox << QSize(307, 217) << QRect(5, 0, 309, 238);
    }

    void fitsAsExpected()
    {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(QSize, client);
        QFETCH(QRect, placed);
        const WindowFit fit = fitWindow(available, frame, kMainWindow);
        QCOMPARE(fit.frame, placed);
        QCOMPARE(QSize(fit.scale.fromTwips(layout::kClientWidth), fit.scale.fromTwips(layout::kClientHeight)), client);
        QCOMPARE(fit.frame.size(), client.grownBy(frame));
    }

    // On any screen from a netbook's to a large desktop's: inside the
    // available area, centred, at factor 1 where the window fits, else just
    // small enough (the frame fills the width or the height), with the
    // proportions of the layout.
    void fitsJustEnoughOnAnyScreen()
    {
        for (const QMargins& frame : {QMargins(), kOpenbox, kThickFrame})
            for (int width = 800; width <= 2560; width += 37)
                for (int height = 480; height <= 1600; height += 29) {
                    const QRect available(17, 23, width, height);
                    const WindowFit fit = fitWindow(available, frame, kMainWindow);
                    const QSize client = fit.frame.size().shrunkBy(frame);
                    const QString where = QStringLiteral("%1x%2 in a frame of %3,%4: %5x%6 at %7,%8")
                                              .arg(width)
                                              .arg(height)
                                              .arg(frame.left())
                                              .arg(frame.top())
                                              .arg(client.width())
                                              .arg(client.height())
                                              .arg(fit.frame.left())
                                              .arg(fit.frame.top());
                    QVERIFY2(available.contains(fit.frame), qPrintable(where));
                    QVERIFY2(qAbs(fit.frame.center().x() - available.center().x()) <= 1 &&
                                 qAbs(fit.frame.center().y() - available.center().y()) <= 1,
                             qPrintable(where));
                    QVERIFY2(fit.scale.factor() <= 1, qPrintable(where));
                    if (fit.scale.factor() == 1)
                        QVERIFY2(client == QSize(1227, 869), qPrintable(where));
                    else
                        QVERIFY2(fit.frame.width() == width || fit.frame.height() == height, qPrintable(where));
                    // Width to height as 1227 to 869, to within a pixel.
                    QVERIFY2(qAbs(client.width() * 869 - client.height() * 1227) <= 1227, qPrintable(where));
                }
    }

    // A window put inside the available area moves as little as it takes:
    // not at all where it is inside, only across the side it is off; one
    // larger than the area goes to its left or top edge, where the title
    // bar stays on the screen.
    void movedInside_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QPoint>("placed"); // its top left; the size stays

        // The available area is QRect(100, 50, 800, 600): right 899, bottom 649.
        QTest::newRow("inside") << QRect(300, 200, 400, 300) << QPoint(300, 200);
        QTest::newRow("exactly the area") << QRect(100, 50, 800, 600) << QPoint(100, 50);
        QTest::newRow("off the left") << QRect(60, 200, 400, 300) << QPoint(100, 200);
        QTest::newRow("off the top") << QRect(300, -10, 400, 300) << QPoint(300, 50);
        QTest::newRow("off the right by a pixel") << QRect(501, 200, 400, 300) << QPoint(500, 200);
        QTest::newRow("off the bottom") << QRect(300, 400, 400, 300) << QPoint(300, 350);
        QTest::newRow("off a corner") << QRect(700, 600, 400, 300) << QPoint(500, 350);
        QTest::newRow("wider than the area") << QRect(50, 200, 1000, 300) << QPoint(100, 200);
        QTest::newRow("taller, off the bottom") << QRect(300, 500, 400, 700) << QPoint(300, 50);
        QTest::newRow("larger, off the right") << QRect(2000, 900, 900, 700) << QPoint(100, 50);
    }

    void movedInside()
    {
        QFETCH(QRect, rect);
        QFETCH(QPoint, placed);
        const QRect area(100, 50, 800, 600);
        const QRect moved = veltrasa::movedInside(rect, area);
        QCOMPARE(moved.topLeft(), placed);
        QCOMPARE(moved.size(), rect.size());
        if (rect.width() <= area.width() && rect.height() <= area.height())
            QVERIFY(area.contains(moved));
    }

    // Further records' windows cascade: each a title bar's height (at least
    // kCascadeStep) down and to the right of the one before, as large as
    // the first where that fits, else just small enough; whole on the
    // screen, never where the first is; after a quarter of the window's
    // height the cascade starts again at one step.
    void furtherRecordsCascade()
    {
        for (const QMargins& frame : {QMargins(), kOpenbox, QMargins(4, 40, 4, 4)})
            for (int width = 800; width <= 2560; width += 131)
                for (int height = 480; height <= 1600; height += 97) {
                    const QRect available(17, 23, width, height);
                    const WindowFit first = fitWindow(available, frame, kMainWindow);
                    const int step = std::max(kCascadeStep, frame.top());
                    QPoint previous = first.frame.topLeft();
                    for (int place = 1; place <= 9; ++place) {
                        const WindowFit fit = fitWindow(available, frame, kMainWindow, place);
                        const QString where = QStringLiteral("%1x%2, frame top %3, place %4: %5x%6 at %7,%8")
                                                  .arg(width)
                                                  .arg(height)
                                                  .arg(frame.top())
                                                  .arg(place)
                                                  .arg(fit.frame.width())
                                                  .arg(fit.frame.height())
                                                  .arg(fit.frame.left())
                                                  .arg(fit.frame.top());
                        QVERIFY2(available.contains(fit.frame), qPrintable(where));
                        const QPoint offset = fit.frame.topLeft() - previous;
                        const bool again = fit.frame.topLeft() == first.frame.topLeft() + QPoint(step, step);
                        QVERIFY2(offset == QPoint(step, step) || (again && place > 3), qPrintable(where));
                        if (available.contains(first.frame.translated(offset + previous - first.frame.topLeft())))
                            QVERIFY2(fit.frame.size() == first.frame.size(), qPrintable(where));
                        else
                            QVERIFY2(fit.frame.right() == available.right() || fit.frame.bottom() == available.bottom(),
                                     qPrintable(where));
                        previous = fit.frame.topLeft();
                    }
                }
    }

    // The fitter on a real main window, offscreen.
    void initTestCase() { installFontSubstitutes(); }

    // Fitted first to the frame expected before the window is shown, the
    // window is fitted again to the frame it really gets once shown (the
    // offscreen platform's, on its 800 x 600 screen): scale and place follow.
    void fittedAgainToTheRealFrame()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        auto* fitter = new ScreenFitter(window);
        const QRect available = window.screen()->availableGeometry();
        const QMargins guess(10, 60, 10, 10);
        fitter->fit(available, guess);
        const WindowFit guessed = fitWindow(available, guess, {layout::kClientWidth, layout::kClientHeight});
        QCOMPARE(window.scale(), guessed.scale);
        QVERIFY(window.scale().factor() < 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(fitter->frame() != guess);
        const QMargins real = fitter->frame();
        QVERIFY(!real.isNull());
        const WindowFit fitted = fitWindow(available, real, {layout::kClientWidth, layout::kClientHeight});
        QCOMPARE(window.scale(), fitted.scale);
        QVERIFY(window.scale().factor() > guessed.scale.factor());
        QTRY_COMPARE(window.frameGeometry(), fitted.frame);
        QVERIFY(available.contains(window.frameGeometry()));
    }
};

QTEST_MAIN(ScreenFitTest)
#include "tst_ScreenFit.moc"
