// The picture panels under the event buttons: lettering, and the picture
// centred and clipped.
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

class PicturePanelWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void picturePanels()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        PicturePanelWidget* panel = window.picturePanel(15);
        QCOMPARE(panel->lettering(), QStringLiteral("終　了"));
        QCOMPARE(window.picturePanel(11)->lettering(), QStringLiteral("ドパミン"));
        QVERIFY(!window.picturePanel(13) && !window.picturePanel(14));
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
};

QTEST_MAIN(PicturePanelWidgetTest)
#include "tst_PicturePanelWidget.moc"
