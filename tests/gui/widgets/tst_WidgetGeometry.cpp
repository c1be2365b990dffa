#include "widgets/WidgetGeometry.h"

#include <QTest>
#include <QWidget>

class tst_WidgetGeometry : public QObject {
    Q_OBJECT

private slots:
    void resizeObject_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("area"); // holds the control at (4, 6), 50 x 40
        QTest::addColumn<Qt::Orientations>("fit");
        QTest::addColumn<QSize>("expected");
        const QRect all(0, 0, 300, 200);
        const Qt::Orientations across = Qt::Horizontal, down = Qt::Vertical, both = across | down;
        // Allowances: 27 down, 8 across. A length below zero ends the routine.
        QTest::newRow("both") << QSize(300, 200) << all << both << QSize(288, 167);
        QTest::newRow("across") << QSize(300, 200) << all << across << QSize(288, 40);
        QTest::newRow("nothing left") << QSize(12, 33) << all << both << QSize(0, 0);
        QTest::newRow("too narrow") << QSize(11, 200) << all << both << QSize(50, 40);
        QTest::newRow("too low") << QSize(300, 32) << all << both << QSize(288, 40);
        QTest::newRow("in area") << QSize(300, 200) << QRect(0, 40, 280, 150) << both
                                 << QSize(276, 144);
    }
    void resizeObject() {
        QFETCH(QSize, window);
        QFETCH(QRect, area);
        QFETCH(Qt::Orientations, fit);
        QFETCH(QSize, expected);
        QWidget frame;
        frame.resize(window);
        QWidget client(&frame);
        client.setGeometry(area);
        QWidget control(&client);
        control.setGeometry(4, 6, 50, 40);
        ResizeObject(control, frame, fit & Qt::Horizontal, fit & Qt::Vertical, 27, 8);
        QCOMPARE(control.geometry(), QRect(QPoint(4, 6), expected));
    }

    // A window leaving its screen (0, 0, 800 x 600) moves back by as little as needed.
    void keptOnScreen_data() {
        QTest::addColumn<QRect>("outer");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("inside") << QRect(10, 20, 454, 363) << QPoint(10, 20);
        QTest::newRow("right and below") << QRect(500, 400, 454, 363) << QPoint(346, 237);
        QTest::newRow("left and above") << QRect(-30, -5, 260, 245) << QPoint(0, 0);
        QTest::newRow("larger") << QRect(50, 50, 900, 700) << QPoint(0, 0);
    }
    void keptOnScreen() {
        QFETCH(QRect, outer);
        QFETCH(QPoint, expected);
        QCOMPARE(KeptOnScreen(outer, QRect(0, 0, 800, 600)), expected);
    }
};

QTEST_MAIN(tst_WidgetGeometry)
#include "tst_WidgetGeometry.moc"
