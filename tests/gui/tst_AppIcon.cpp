#include "shell/AppIcon.h"

#include <QPixmap>
#include <QTest>

class tst_AppIcon : public QObject {
    Q_OBJECT

private slots:
    void drawnAtEverySize_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
    }
    void drawnAtEverySize() {
        QFETCH(int, size);
        const QImage image = DrawAppIcon(size);
        QCOMPARE(image.size(), QSize(size, size));
        // The tile's rounded corners leave the image's corners clear; the
        // middle is the opaque picture.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);

        const QIcon icon = MakeAppIcon();
        QVERIFY(!icon.isNull());
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        QCOMPARE(pixmap.size(), QSize(size, size));
        QCOMPARE(pixmap.toImage().convertToFormat(image.format()), image);
    }
};

QTEST_MAIN(tst_AppIcon)
#include "tst_AppIcon.moc"
