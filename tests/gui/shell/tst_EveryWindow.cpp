#include "WindowTestState.h"
#include "about/frmAbout.h"
#include "editors/frmEditFilter.h"
#include "editors/frmEditTypes.h"
#include "services/clsCdlg.h"
#include "settings/frmBrowse.h"
#include "settings/frmSettings.h"
#include "tutorial/frmTutorial.h"
#include "widgets/WidgetDialogs.h"
#include "wizard/frmWizard.h"

#include <QAccessible>

// Every window at every step, as ctest runs this at scale 1, at scale 2
// (QT_SCALE_FACTOR) and with a default font a quarter larger
// (VARNWICK_FONT_PERCENT=125): no text is cut off, no window is larger than a
// 1024x768 screen, and every control has a name a screen reader can say.
namespace {

QString Where(const QWidget& widget) {
    return widget.window()->objectName() + '/' + widget.objectName() + " \"" +
           widget.accessibleName() + '"';
}

// The text's place in `widget`, or an empty rectangle for a widget whose text
// is not checked.
QRect TextPlace(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const int margin = label->margin();
        return label->contentsRect().adjusted(margin, margin, -margin, -margin);
    }
    QStyleOptionButton button;
    button.initFrom(&widget);
    if (qobject_cast<const QPushButton*>(&widget))
        return widget.style()->subElementRect(QStyle::SE_PushButtonContents, &button, &widget);
    if (qobject_cast<const QCheckBox*>(&widget))
        return widget.style()->subElementRect(QStyle::SE_CheckBoxContents, &button, &widget);
    if (qobject_cast<const QRadioButton*>(&widget))
        return widget.style()->subElementRect(QStyle::SE_RadioButtonContents, &button, &widget);
    return {};
}

QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return QString(button->text()).remove('&');
    return {};
}

// What does not fit in `window`: texts wider or taller than their place (a
// push button's text may use its whole height), captions outside their frame,
// controls without a name, the window itself larger than 1024x768.
QStringList Misfits(QWidget& window) {
    QStringList found;
    const QSize pixels = window.frameGeometry().size() * window.devicePixelRatio();
    if (pixels.width() > 1024 || pixels.height() > 768)
        found << window.objectName() +
                     QString(" is %1x%2").arg(pixels.width()).arg(pixels.height());
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window)
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        const QString text = TextOf(*widget);
        const QRect place = TextPlace(*widget);
        if (!text.isEmpty() && place.isValid()) {
            const auto* label = qobject_cast<QLabel*>(widget);
            const int flags =
                label ? int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)
                      : Qt::AlignCenter;
            const QRect need = metrics.boundingRect(place, flags, text);
            const int height = label ? place.height() : widget->height();
            if (need.width() > place.width() || need.height() > height)
                found << Where(*widget) + QString(" needs %1x%2 in %3x%4")
                                              .arg(need.width())
                                              .arg(need.height())
                                              .arg(place.width())
                                              .arg(height);
        }
        if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect caption = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, box);
            if (!box->rect().contains(caption) ||
                caption.width() < metrics.horizontalAdvance(box->title()))
                found << Where(*box) + " caption is cut";
        }
        if (widget->focusPolicy() & Qt::TabFocus) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (!accessible || accessible->text(QAccessible::Name).isEmpty())
                found << Where(*widget) + " has no name";
        }
    }
    return found;
}

} // namespace

class tst_EveryWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        const int percent = qEnvironmentVariableIntValue("VARNWICK_FONT_PERCENT");
        if (percent > 0) {
            QFont font = QApplication::font();
            font.setPointSizeF(font.pointSizeF() * percent / 100);
            QApplication::setFont(font);
        }
    }

    // The wizard at every step and every skin type.
    void wizard() {
        WindowTestState t;
        for (const QString name : {"SkinFormats.ini", "unreal.flt"})
            QVERIFY(QFile::copy(BuiltBinDir() + '/' + name, t.programFile(name)));
        const QString package = t.folder.filePath("SoldierSkins_Foo.utx");
        WriteBytes(package, BuildUtx64({"None", "foot1", "foot4", "foot5bob"}));
        clsCdlg cdlg(t.dialogs);
        t.state.cdlg = &cdlg;
        frmWizard w(t.session, t.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList found = Misfits(w);
        t.dialogs.files.enqueue(package);
        w.cmdOpen->click();
        QVERIFY(w.cmdNext[0]->isEnabled());
        found << Misfits(w);
        for (int step = 2; step <= 5; ++step) {
            w.cmdNext[step - 2]->click();
            found << Misfits(w);
            for (int type = 0; step == 2 && type < w.cboInfo->count(); ++type) {
                w.cboInfo->setCurrentIndex(type);
                found << Misfits(w);
            }
        }
        QVERIFY(w.cboInfo->count() >= 14);
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    // The other windows as they open, the file dialog and a message box.
    void otherWindows() {
        WindowTestState t;
        for (const QString name : {"SkinFormats.ini", "unreal.flt", "tutorial.txt"})
            QVERIFY(QFile::copy(BuiltBinDir() + '/' + name, t.programFile(name)));
        QStringList found;
        for (QWidget* window : std::initializer_list<QWidget*>{
                 new frmSettings(t.store, t.dialogs, {}), new frmBrowse({}),
                 new frmEditFilter(t.programDir, t.dialogs),
                 new frmEditTypes(t.programDir, t.dialogs), new frmTutorial(t.programDir, {}),
                 new frmAbout(t.store, t.state.updateBuffer, {})}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            found << Misfits(*window);
            window->close();
        }
        WidgetDialogs real;
        WhenModal([&found](QWidget* dialog) {
            found << Misfits(*dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        real.chooseFile({false, BuiltBinDir(), "UTX Files (*.utx);;All Files (*)", {}});
        WhenModal([&found](QWidget* box) {
            found << Misfits(*box);
            if (box->width() < box->fontMetrics().horizontalAdvance(box->windowTitle()))
                found << "the message box is narrower than its title";
            box->close();
        });
        real.message("Select the correct skin type.", "Format Unknown", Dialogs::Buttons::Ok);
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }
};

QTEST_MAIN(tst_EveryWindow)
#include "tst_EveryWindow.moc"
