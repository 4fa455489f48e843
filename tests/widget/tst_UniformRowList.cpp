// The record list's arithmetic row geometry against Qt's own QListWidget:
// same places, same scrolling, same keys, same pixels.
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QtTest>

#include "ui/look/Fonts.h"
#include "ui/widgets/UniformRowListWidget.h"

using veltrasa::UniformRowListWidget;

namespace {
QString rowText(int i)
{
    return QStringLiteral("06/04 09:%1:%2　ﾘｽﾞﾑﾁｪｯｸ：心室細動")
        .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'));
}

void setUp(QListWidget& list, int rows)
{
    list.setUniformItemSizes(true);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setFont(QFont(QStringLiteral("IPAPGothic"), 12));
    list.setGeometry(0, 0, 300, 200);
    for (int i = 0; i < rows; ++i)
        list.addItem(rowText(i));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
}

// Counts how often rows are measured.
class CountingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable int measured = 0;
};

// The stock list and ours, both shown with the same rows.
struct Pair {
    explicit Pair(int rows)
    {
        setUp(stock, rows);
        setUp(ours, rows);
    }
    QListWidget stock;
    UniformRowListWidget ours;
};
} // namespace

class UniformRowListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { veltrasa::installFontSubstitutes(); }

    void placesRowsAndScrollsLikeQListWidget()
    {
        Pair p(40);
        for (int row : {0, 1, 5, 39})
            QCOMPARE(p.ours.visualRect(p.ours.model()->index(row, 0)),
                     p.stock.visualRect(p.stock.model()->index(row, 0)));
        QCOMPARE(p.ours.verticalScrollBar()->maximum(), p.stock.verticalScrollBar()->maximum());
        QCOMPARE(p.ours.verticalScrollBar()->pageStep(), p.stock.verticalScrollBar()->pageStep());

        for (int row : {39, 0, 20, 7}) {
            p.stock.setCurrentRow(row);
            p.stock.scrollToItem(p.stock.item(row));
            p.ours.setCurrentRow(row);
            p.ours.scrollToItem(p.ours.item(row));
            QCOMPARE(p.ours.verticalScrollBar()->value(), p.stock.verticalScrollBar()->value());
            QCOMPARE(p.ours.visualRect(p.ours.currentIndex()), p.stock.visualRect(p.stock.currentIndex()));
        }
        for (QPoint point : {QPoint(5, 5), QPoint(100, 60), QPoint(290, 150), QPoint(5, 199)})
            QCOMPARE(p.ours.indexAt(point).row(), p.stock.indexAt(point).row());
    }

    void drawsTheSamePixels()
    {
        Pair p(30);
        p.stock.setCurrentRow(29);
        p.ours.setCurrentRow(29);
        p.stock.setFocus();
        QApplication::processEvents();
        QCOMPARE(p.ours.grab().toImage(), p.stock.grab().toImage());
        p.stock.item(29)->setText(QStringLiteral("edited"));
        p.ours.item(29)->setText(QStringLiteral("edited"));
        p.stock.setCurrentRow(3);
        p.ours.setCurrentRow(3);
        p.stock.scrollToTop();
        p.ours.scrollToTop();
        QApplication::processEvents();
        QCOMPARE(p.ours.grab().toImage(), p.stock.grab().toImage());
    }

    void keysAndClicksMoveLikeQListWidget()
    {
        Pair p(50);
        for (QListWidget* list : {static_cast<QListWidget*>(&p.stock), static_cast<QListWidget*>(&p.ours)})
            list->setCurrentRow(10);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_PageUp,
                            Qt::Key_Home, Qt::Key_Up}) {
            QTest::keyClick(&p.stock, key);
            QTest::keyClick(&p.ours, key);
            QCOMPARE(p.ours.currentRow(), p.stock.currentRow());
            QCOMPARE(p.ours.verticalScrollBar()->value(), p.stock.verticalScrollBar()->value());
        }
        for (QPoint point : {QPoint(20, 30), QPoint(250, 120)}) {
            QTest::mouseClick(p.stock.viewport(), Qt::LeftButton, {}, point);
            QTest::mouseClick(p.ours.viewport(), Qt::LeftButton, {}, point);
            QCOMPARE(p.ours.currentRow(), p.stock.currentRow());
            QCOMPARE(p.ours.selectedItems().size(), 1);
            QCOMPARE(p.ours.selectedItems().first()->text(), p.stock.selectedItems().first()->text());
        }
    }

    // Rows narrower and wider than the list.
    void newestRowStaysInViewAsRowsAreAdded()
    {
        for (const QString& tail : {QString(), QString(30, QChar(u'あ'))}) {
            UniformRowListWidget list;
            setUp(list, 0);
            for (int i = 0; i < 500; ++i) {
                list.addItem(rowText(i) + tail);
                list.setCurrentRow(list.count() - 1);
                list.scrollToItem(list.item(list.count() - 1));
                const QRect newest = list.visualRect(list.currentIndex());
                QVERIFY2(newest.top() >= 0 && newest.bottom() <= list.viewport()->rect().bottom(),
                         qPrintable(QStringLiteral("row %1 at %2, %3 wide").arg(i).arg(newest.top()).arg(tail.size())));
            }
            const QRect newest = list.visualRect(list.currentIndex());
            QCOMPARE(list.indexAt(newest.center()).row(), 499);
            // Rows as wide as the list, clipped at its edge.
            QVERIFY(list.viewport()->rect().contains(newest));
            QCOMPARE(list.horizontalScrollBar()->maximum(), 0);
            QVERIFY(!list.horizontalScrollBar()->isVisible());
            // Scrolled to without being selected: at the top edge.
            list.scrollToItem(list.item(3));
            QCOMPARE(list.visualItemRect(list.item(3)).top(), 0);
        }
    }

    // The row height is measured once; no row's width ever.
    void changingRowsMeasuresNoRow()
    {
        UniformRowListWidget list;
        auto* delegate = new CountingDelegate(&list);
        list.setItemDelegate(delegate);
        setUp(list, 2000);
        list.setCurrentRow(1999);
        QApplication::processEvents();
        delegate->measured = 0;
        list.addItem(rowText(2000) + QString(30, QChar(u'あ')));
        list.setCurrentRow(2000);
        list.scrollToItem(list.item(2000));
        delete list.takeItem(2000); // the selected row
        list.item(5)->setText(QStringLiteral("edited"));
        list.insertItem(0, rowText(0));
        QApplication::processEvents();
        QCOMPARE(delegate->measured, 0);
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);

        list.clear();
        QApplication::processEvents();
        QCOMPARE(list.verticalScrollBar()->maximum(), 0);
        QVERIFY(!list.indexAt(QPoint(5, 5)).isValid());
    }
};

QTEST_MAIN(UniformRowListTest)
#include "tst_UniformRowList.moc"
