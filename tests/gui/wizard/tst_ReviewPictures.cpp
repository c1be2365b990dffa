#include "ListEntries.h"
#include "UtxBuilder.h"
#include "WindowTestState.h"
#include "engine/FilterList.h"
#include "wizard/ReviewDecorator.h"
#include "wizard/frmWizard.h"

#include <QSemaphore>

namespace {
// The colour at the middle of an entry's picture; transparent for none.
QColor Picture(const QListWidget* list, int row) {
    const int size = ReviewDecorator::PictureSize;
    return list->item(row)->icon().pixmap(size, size).toImage().pixelColor(size / 2, size / 2);
}

// Packages A and B have the same names: a picture of one on the other's list
// would go unnoticed but for its colour. The filter list drops "engine".
struct Rig : WindowTestState {
    QSemaphore gate; // decodes of package A wait for it
    bool holdA = false;
    std::unique_ptr<frmWizard> wizard;

    Rig() {
        WriteBytes(programFile("SkinFormats.ini"),
                   SkinRecord({"SoldierSkins", "team", "1", "5", "4", "UT male soldier"}));
        WriteBytes(programFile("unreal.flt"),
                   *EncodeFilterFile({"none", "engine", "palette", "core", "package", "class",
                                      "texture", "format", "size"}));
        const QList<SyntheticTexture> textures{{"blkt1"}, {"blkt2"}, {"blkt4engineer"}};
        for (const char* name : {"SoldierSkins_A.utx", "SoldierSkins_B.utx"})
            WriteBytes(folder.filePath(name), BuildTexturePackage(textures, {"skinpal"}));
        // Package A's pictures come out red, and only when the test lets them.
        state.decodeTopMip = [this](const UnrealPackage& package, int index) {
            if (!package.packageName().endsWith("_A"))
                return package.decodeTopMip(index);
            if (holdA && !gate.tryAcquire(1, 10000))
                return PackageResult<RgbaImage>(PackageError{"test gate timed out"});
            const int size = ReviewDecorator::PictureSize;
            return PackageResult<RgbaImage>(
                RgbaImage{size, size, QByteArray("\xFF\0\0\xFF", 4).repeated(size * size)});
        };
        wizard = std::make_unique<frmWizard>(session, state);
        state.wizard = wizard.get();
        wizard->show();
    }
    // From step one to four with package `letter`.
    void review(const char* letter) {
        wizard->openPackageFile(folder.filePath(QStringLiteral("SoldierSkins_%1.utx").arg(letter)));
        for (int i = 0; i < 3; ++i)
            wizard->cmdNext[i]->click();
        QCoreApplication::processEvents(); // the pictures are asked for once the list is shown
    }
    void backToStepOne() {
        for (int i = 2; i >= 0; --i)
            wizard->cmdBack[i]->click();
    }
};
} // namespace

class tst_ReviewPictures : public QObject {
    Q_OBJECT

private slots:
    // Pictures for textures only; the name that is no object marked; Delete,
    // removing the marked entries, adding back the left-out texture and
    // restoring change the list, its caption and the saved text.
    void review() {
        Rig rig;
        rig.review("B");
        frmWizard& w = *rig.wizard;
        QCOMPARE(ListEntries(w.lstItems), QStringList({"blkt1", "blkt2", "skinpal"}));
        QTRY_COMPARE(w.decorator->outstanding(), 0);
        QVERIFY(Picture(w.lstItems, 0).alpha() > 0 && Picture(w.lstItems, 1).alpha() > 0);
        QCOMPARE(Picture(w.lstItems, 2).alpha(), 0);
        QVERIFY(w.lstItems->item(2)->font().italic() && !w.lstItems->item(0)->font().italic());
        QVERIFY(w.lstItems->item(2)->toolTip().startsWith("Not a texture in this package: a name"));
        QVERIFY(!w.lblLeftOut->isHidden());
        QCOMPARE(w.lblLeftOut->text(), "1 texture was left out by the filter list: blkt4engineer "
                                       "— <a href=\"add\">Add back</a>");

        const QPoint belowTheLast(5, w.lstItems->viewport()->height() - 2);
        QTest::mouseClick(w.lstItems->viewport(), Qt::LeftButton, {}, belowTheLast);
        QTest::mouseDClick(w.lstItems->viewport(), Qt::LeftButton, {}, belowTheLast);
        w.lstItems->setCurrentRow(0);
        QTest::keyClick(w.lstItems, Qt::Key_Delete);
        QCOMPARE(ListEntries(w.lstItems), QStringList({"blkt2", "skinpal"}));
        QCOMPARE(w.lblListInfo->text(), "2 Items found.");
        w.cmdRemoveMarked->click();
        QCOMPARE(ListEntries(w.lstItems), QStringList({"blkt2"}));
        QVERIFY(!w.cmdRemoveMarked->isEnabled());
        emit w.lblLeftOut->linkActivated("add");
        QCOMPARE(ListEntries(w.lstItems), QStringList({"blkt2", "blkt4engineer"}));
        QVERIFY(w.lblLeftOut->isHidden());
        QVERIFY(Picture(w.lstItems, 1).alpha() > 0); // decoded when the step began
        w.cmdNext[3]->click();
        QCOMPARE(w.intText(), "[public]\r\n"
                              "Object=(Name=SoldierSkins_B.blkt2,Class=Texture)\r\n"
                              "Object=(Name=SoldierSkins_B.blkt4engineer,Class=Texture)\r\n");
        w.cmdBack[3]->click();
        QTest::mouseClick(w.lblListInfo, Qt::LeftButton);
        QCOMPARE(ListEntries(w.lstItems),
                 QStringList({"blkt1", "blkt2", "blkt4engineer", "skinpal"}));
    }

    // A decode still running when the user moves on to another package never
    // lands on the new list, nor after the window has gone.
    void switchingMidDecode() {
        QThreadPool::globalInstance()->setMaxThreadCount(8); // B decodes while A waits
        Rig rig;
        rig.holdA = true;
        rig.review("A");
        QCOMPARE(rig.wizard->decorator->outstanding(), 3);
        rig.backToStepOne();
        rig.review("B");
        QTRY_COMPARE(rig.wizard->decorator->outstanding(), 0);
        rig.gate.release(3);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        for (int row : {0, 1})
            QVERIFY(Picture(rig.wizard->lstItems, row) != QColor(Qt::red));

        rig.backToStepOne();
        rig.review("A");
        rig.wizard.reset();
        rig.gate.release(3);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(tst_ReviewPictures)
#include "tst_ReviewPictures.moc"
