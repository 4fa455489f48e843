// The window's pictures: its painted arrow pointer in both forms and the
// controls that show it, and its icon drawn from the built-in SVG.
#include <QtTest>

#include "ScriptedMainWindow.h"
#include "ui/look/ArrowPointer.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/LabelWidget.h"
#include "ui/widgets/PicturePanelWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/widgets/ShapeWidget.h"
#include "ui/windows/MainWindow.h"

using namespace veltrasa;
using namespace veltrasa::testing;

class ImagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void pointers()
    {
        ScriptedMainWindow m;
        MainWindow& window = m.window;
        QCOMPARE(window.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window.cursor().hotSpot(), QPoint(0, 1));
        // Labels, panels and pictures show the window's pointer.
        for (QWidget* inherits :
             std::initializer_list<QWidget*>{window.findLabel("Label6", 0), window.findShape("Shape1", 4),
                                             window.picturePanel(1), window.findLabel("Label4", 6)})
            QCOMPARE(inherits->cursor().shape(), Qt::BitmapCursor);
        for (QWidget* standard :
             std::initializer_list<QWidget*>{window.eventButton(0), window.eventButton(15), window.rhythmButton(3),
                                             window.recordList(), window.recordList()->viewport()})
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
        // An SVG icon lists no sizes: each size asked for is drawn from it.
        ScriptedMainWindow m;
        const QIcon icon = m.window.windowIcon();
        const QIcon svg(QStringLiteral(":/veltrasa.svg"));
        QVERIFY(QFile::exists(":/veltrasa.svg"));
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(image, svg.pixmap(size).toImage());
            QVERIFY(inkBounds(image, [](QRgb c) { return qAlpha(c) != 0; }).isValid()); // not fully transparent
        }
    }
};

QTEST_MAIN(ImagesTest)
#include "tst_Images.moc"
