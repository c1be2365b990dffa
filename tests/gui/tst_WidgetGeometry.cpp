#include "services/WidgetGeometry.h"

#include <QTest>
#include <QWidget>

class tst_WidgetGeometry : public QObject {
    Q_OBJECT

private slots:
    void twipsBecomePixels_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("exact") << 3795 << 253;
        QTest::newRow("rounds down") << 37 << 2;
        QTest::newRow("rounds up") << 38 << 3;
        QTest::newRow("negative") << -30 << -2;
        QTest::newRow("zero") << 0 << 0;
    }
    void twipsBecomePixels() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(Px(twips), pixels);
        QCOMPARE(TwipsRect(twips, 0, twips, 15), QRect(pixels, 0, pixels, 1));
    }

    void resizeObject_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("fitWidth");
        QTest::addColumn<bool>("fitHeight");
        QTest::addColumn<QSize>("expected");
        // The control sits at (4, 6), 50 x 40; allowances: 27 down, 8 across.
        QTest::newRow("both") << QSize(300, 200) << true << true << QSize(288, 167);
        QTest::newRow("width only") << QSize(300, 200) << true << false << QSize(288, 40);
        QTest::newRow("height only") << QSize(300, 200) << false << true << QSize(50, 167);
        QTest::newRow("neither") << QSize(300, 200) << false << false << QSize(50, 40);
        QTest::newRow("exactly nothing left") << QSize(12, 33) << true << true << QSize(0, 0);
        // A length below zero ends the routine: what was set stays set.
        QTest::newRow("too narrow") << QSize(11, 200) << true << true << QSize(50, 40);
        QTest::newRow("too low") << QSize(300, 32) << true << true << QSize(288, 40);
    }
    void resizeObject() {
        QFETCH(QSize, window);
        QFETCH(bool, fitWidth);
        QFETCH(bool, fitHeight);
        QFETCH(QSize, expected);
        QWidget frame;
        frame.resize(window);
        QWidget control(&frame);
        control.setGeometry(4, 6, 50, 40);
        ResizeObject(control, frame, fitWidth, fitHeight, 27, 8);
        QCOMPARE(control.size(), expected);
        QCOMPARE(control.pos(), QPoint(4, 6));
    }

    // A frame thicker than the allowance never pushes the control past the
    // edge of the area that holds it.
    void staysInsideItsParent() {
        QWidget frame;
        frame.resize(300, 200);
        QWidget client(&frame);
        client.setGeometry(0, 40, 280, 150);
        QWidget control(&client);
        control.setGeometry(2, 4, 10, 10);
        ResizeObject(control, frame, true, true, 10, 5);
        QCOMPARE(control.size(), QSize(278, 146));
    }

    void keptFittedWhenResizedOrMoved() {
        QWidget window;
        window.resize(300, 200);
        QWidget control(&window);
        control.setGeometry(3, 5, 10, 10);
        KeepFitted(control, window, 27, 8);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto fitted = [&] {
            const QSize outer = window.frameGeometry().size();
            return QSize(outer.width() - 3 - 8, outer.height() - 5 - 27);
        };
        QCOMPARE(control.size(), fitted());
        window.resize(420, 330);
        QTRY_COMPARE(control.size(), fitted());
        control.resize(10, 10);
        window.move(window.pos() + QPoint(20, 10));
        QTRY_COMPARE(control.size(), fitted());
    }
};

QTEST_MAIN(tst_WidgetGeometry)
#include "tst_WidgetGeometry.moc"
