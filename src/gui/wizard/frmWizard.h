#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <array>

class Dialogs;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class ReviewDecorator;
class SkinCheckView;
class WizardSession;
class clsCdlg;
class frmPreview;
struct WindowContext;

// The program's main window: five steps, one panel each, from choosing a
// package to saving its .int text; a view of the wizard's session, which
// holds the package, the type, the reviewed names and the text. Closing it
// stores its placement and ends the program. The program's shell connects the
// menu entries that open its other windows.
class frmWizard : public QMainWindow {
    Q_OBJECT

public:
    // Creating the window runs its load step: editor menus enabled, the type
    // list filled from the catalogue, the window sized to step one.
    frmWizard(WizardSession& session, WindowContext& state, QWidget* parent = nullptr);

    // The step shown, 1 to 5.
    int step() const { return step_; }

    // The text of txtINT as it is saved: lines end with CR LF.
    QString intText() const;

    // Shows the window centred on its screen.
    void showCentred();

    // Opens the package at `path` as if it had been chosen in the open dialog
    // (the same messages, the same type guess): for a dropped file and the
    // one named on the command line. Only in step one, while the window is
    // enabled.
    void openPackageFile(const QString& path);

    // The step panels (Frame1[k] is step k + 1) and the buttons between
    // them: cmdNext[i] lies on panel i, cmdBack[i] on panel i + 1.
    std::array<QGroupBox*, 5> Frame1{};
    std::array<QPushButton*, 5> cmdNext{};
    std::array<QPushButton*, 4> cmdBack{};

    // Step one.
    QPushButton* cmdOpen = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblFilename = nullptr;

    // Step two.
    QLabel* lblSkinInfo = nullptr;
    QComboBox* cboInfo = nullptr;
    QLabel* lblSkinDesc = nullptr;
    QLabel* lblCrap = nullptr;

    // Step three.
    QLabel* lblVerify = nullptr;

    // Step four.
    QWidget* FormatList = nullptr;
    QLabel* lblListInfo = nullptr;
    QListWidget* lstItems = nullptr;
    QLabel* lblHelpText = nullptr;
    QLabel* Label1 = nullptr;
    // What the package says beside what the filter list says: the command
    // that removes the entries marked as no textures, and the line offering
    // back the textures the filter list left out.
    QPushButton* cmdRemoveMarked = nullptr;
    QLabel* lblLeftOut = nullptr;
    QAction* actRemoveMarked = nullptr;
    QAction* actAddBack = nullptr;
    ReviewDecorator* decorator = nullptr;

    // Step five.
    QPlainTextEdit* txtINT = nullptr;
    SkinCheckView* checkView = nullptr;

    QMenu* mnuOptions = nullptr;
    QAction* mnuSettings = nullptr;
    QAction* mnuEditScript = nullptr;
    QAction* mnuEditTypes = nullptr;
    QAction* mnuEditFilter = nullptr;
    QAction* mnuPreview = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuTutorial = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createMenus();
    void createStepOne();
    void createStepTwo();
    void createStepThree();
    void createStepFour();
    void createListCaption(QWidget* panel);
    void createStepFourHelp(QWidget* panel);
    void createStepFourTextures(QWidget* panel);
    void createStepFive();
    QPushButton* createBack(int index, QWidget* panel, const QRect& place);
    QPushButton* createNext(int index, QWidget* panel, const QRect& place, const QString& caption);
    void connectControls();

    void Form_Load();
    void cmdOpen_Click();
    void openPackage(Dialogs& dialogs, clsCdlg& cdlg);
    void showTypes();
    void showSelectedType();
    void startCheck();
    void cboInfo_Click();
    void showOpenedFile();
    void showReview();
    void cmdNext_Click(int index);
    void requestReviewPictures();
    void cmdBack_Click(int index);
    void lstItems_DblClick();
    void lstItems_KeyRemove();
    void lblListInfo_Click();
    void showReviewState();
    void removeNonTextures();
    void addBackLeftOut();
    void mnuPreview_Click();
    void previewSelection();
    void savePlacement() const;

    void showPanel(int from, int to, bool forward);
    void focusStep();
    void sizeToPanel(int panel);
    void setEditorMenus(bool enabled);

    WizardSession& session_;
    WindowContext& state_;
    QPointer<frmPreview> preview_; // created when first asked for
    int step_ = 1;
    // Outer width and height beyond the panel shown: frame, caption and menu.
    int widthMargin_ = 0;
    int heightMargin_ = 0;
    // The frame the window was last sized for; a window manager may only
    // report its frame once the window is on screen.
    QMargins sizedForFrame_;
};
