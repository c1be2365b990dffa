#include "UtxBuilder.h"
#include "WindowTestState.h"
#include "preview/TextureView.h"
#include "preview/frmPreview.h"

namespace {
std::optional<UnrealPackage> Package() {
    const QList<SyntheticTexture> textures{{"Boss1", 0, 16, 8},
                                           {"Boss1T_0", 3, 8, 8},
                                           {"Boss4Xan", 5, 4, 4},
                                           {"Boss2", 1, 8, 8},
                                           {"Boss5Xan", 0, 8, 8}};
    auto package = UnrealPackage::fromBytes(BuildTexturePackage(textures), "BossSkins");
    return package ? std::optional<UnrealPackage>(*package) : std::nullopt;
}
} // namespace

class tst_frmPreview : public QObject {
    Q_OBJECT

private slots:
    // Each kind of entry: the picture in every decoded format at its zoom, a
    // format that cannot be decoded, a name that is no texture, nothing open.
    void entries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("shown"); // the view's size at 1:1 and 2:1
        QTest::addColumn<QString>("message");
        QTest::newRow("P8 fit") << "boss1" << 0 << QSize() << "";
        QTest::newRow("DXT1 1:1") << "boss1t_0" << 1 << QSize(8, 8) << "";
        QTest::newRow("RGBA8 2:1") << "boss4xan" << 2 << QSize(8, 8) << "";
        QTest::newRow("RGBA7") << "boss2" << 0 << QSize() << "Cannot be shown: format RGBA7";
        QTest::newRow("palette") << "palette1" << 0 << QSize()
                                 << "Not a texture in this package: a palette (Engine.Palette).";
        QTest::newRow("no package") << "boss1" << 0 << QSize()
                                    << "Cannot be shown: the package's objects could not be "
                                       "read, only its names.";
    }
    void entries() {
        QFETCH(QString, name);
        QFETCH(int, zoom);
        QFETCH(QSize, shown);
        QFETCH(QString, message);
        WindowTestState test;
        const std::optional<UnrealPackage> package = Package();
        QVERIFY(package);
        frmPreview preview(test.state);
        preview.show();
        preview.optZoom[zoom]->click();
        const bool open = QTest::currentDataTag() != QLatin1String("no package");
        preview.showEntry(open ? package : std::nullopt, TextureCensus(*package), name);
        if (message.isEmpty()) {
            QTRY_VERIFY(!preview.view->picture().isNull());
            if (shown.isValid())
                QCOMPARE(preview.view->size(), shown);
        } else {
            QTRY_COMPARE(preview.view->message(), message);
        }
    }

    // The facts line and the skin's pieces; the window keeps its placement
    // across openings and Escape closes it.
    void setAndPlacement() {
        WindowTestState test;
        const std::optional<UnrealPackage> package = Package();
        {
            frmPreview preview(test.state);
            preview.show();
            preview.setGeometry(40, 50, 700, 480);
            preview.showEntry(package, TextureCensus(*package), "boss1");
            QCOMPARE(preview.lblInfo->text(), "Boss1 — 16 × 8, P8, 1 mip, no mask");
            QCOMPARE(preview.lblSet->text(), "Skin Boss: the pieces the game loads");
            const auto tiles = preview.setPanel->findChildren<QLabel*>();
            QTRY_COMPARE(std::count_if(tiles.cbegin(), tiles.cend(),
                                       [](QLabel* l) { return !l->pixmap().isNull(); }),
                         4); // Boss1, Boss1T_0, Boss4Xan, Boss5Xan
            QTest::keyClick(&preview, Qt::Key_Escape);
            QVERIFY(!preview.isVisible());
        }
        frmPreview again(test.state);
        QCOMPARE(again.size(), QSize(700, 480));
    }
};

QTEST_MAIN(tst_frmPreview)
#include "tst_frmPreview.moc"
