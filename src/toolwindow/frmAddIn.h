#pragma once

#include "actions/RowActionHost.h"
#include "addin/ToolWindowOwner.h"
#include "addin/mappoint/SymbolImageTable.h"
#include "mappoint/Types.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QRadioButton;
class chameleonButton;

namespace toolwindow {

class ResultListModel;
class ResultListView;
class StatusBar;

// The Locastra tool window. Controls and menu entries are public members named as
// the window's layout names them (each also carries its name as objectName), so the
// commands of the other windows and modules can reach them as they reach a form's
// controls. Control arrays (Line1, Option1, Option2) share one objectName and carry
// their index in the "Index" property. The result-list actions reach the rows and
// the position variables through rowActionHost() (thelat/thelon are variables here,
// so the window cannot be the interface itself).
class frmAddIn : public QDialog {
    Q_OBJECT
public:
    explicit frmAddIn(QWidget* parent = nullptr);
    ~frmAddIn() override;

    // --- public variables -------------------------------------------------------------
    locastra::ToolWindowOwner* Connect = nullptr;
    mappoint::ApplicationPtr g_oApp;
    double thelat = 0;
    double thelon = 0;
    // Ends the loops of Find and Get All at their next check.
    bool StopFlag = false;
    // Set by File > Exit: the next close request unloads instead of hiding.
    bool ExitFlag = false;

    // --- life cycle -------------------------------------------------------------------
    // Loads the window when it is not loaded, then shows it modally; returns when the
    // window is hidden or unloaded.
    void ShowModal();
    // Runs the load sequence once (ShowModal does it; tests may show the window
    // without a modal loop).
    void Load();
    bool isLoaded() const { return loaded_; }
    // True once the window has been unloaded (File > Exit or disconnection); the add-in
    // then drops it and the next Show loads a fresh one.
    bool isUnloaded() const { return unloaded_; }
    // Unloads the window for good (disconnection): the close-to-hide rule does not apply.
    void Unload();

    // --- commands -----------------------------------------------------------------------
    void MoveProgressBarIntoPanel(QProgressBar* pb, StatusBar* sb, int16_t& pnlIndex);
    // Refills the Dataset selector (Dataset > Refresh; also used after commands that
    // change the map's datasets).
    void RefreshDataSets();
    // The Dataset choice: the selector's text.
    QString DataSetChoice() const;
    // Enables "Selected Shape" when the map's selection is an area shape.
    void UpdateSelectedShapeEntry();

    void cmdFindPushpin_Click();
    void ButtonShowAll_Click();
    void cmdSort_Click();
    void ButtonClear_Click();
    void ImageCombo1_Change();

    // The Result list's rows and the image table they draw from.
    ResultListModel* ResultRows() const { return results_; }
    const locastra::SymbolImageTable& ImageList1() const { return imageList1_; }

    // The rows, their selection and the position variables for the row actions.
    actions::RowActionHost& rowActionHost();

    // --- controls -------------------------------------------------------------------------
    QMenuBar* menuBar = nullptr;
    QWidget* clientArea = nullptr;
    std::array<QFrame*, 2> Line1{};
    QLabel* Label2 = nullptr;
    QComboBox* ImageCombo1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> Option1{};
    QButtonGroup* Option1Group = nullptr;
    chameleonButton* cmdChange = nullptr;
    QGroupBox* Frame4 = nullptr;
    chameleonButton* cmdFindPushpin = nullptr;
    chameleonButton* ButtonShowAll = nullptr;
    chameleonButton* cmdSort = nullptr;
    chameleonButton* ButtonClear = nullptr;
    QLineEdit* Text1 = nullptr;
    ResultListView* ListView1 = nullptr;
    StatusBar* StatusBar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    // Placed outside the client area: they exist but are never seen.
    QComboBox* Combo1 = nullptr;
    std::array<QRadioButton*, 2> Option2{};
    QButtonGroup* Option2Group = nullptr;
    chameleonButton* cmdExport = nullptr;
    chameleonButton* cmdQuit = nullptr;
    chameleonButton* Help = nullptr;
    chameleonButton* Command1 = nullptr;
    chameleonButton* Command222 = nullptr;

    // --- menus ------------------------------------------------------------------------------
    QMenu* mnuFile = nullptr;
    QAction* mnuHide = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuZoomIn = nullptr;
    QAction* mnuZoomOut = nullptr;
    // The coordinate format (radio entries, filled by the wiring) and the typed position.
    QMenu* mnuCoordinateFormat = nullptr;
    QAction* mnuZoomToCoordinates = nullptr;
    QMenu* mnuDataset = nullptr;
    QAction* mnuZoomtoDataset = nullptr;
    QAction* mnuHideDataset = nullptr;
    QAction* mnuChangePushpin4Dataset = nullptr;
    QAction* mnuRefresh = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuRunBenchmark = nullptr;
    QMenu* mnuExport = nullptr;
    QAction* mnuSelectedDataset = nullptr;
    QAction* mnuSelectedShape = nullptr;
    QMenu* mnuAboutMaain = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuHelp = nullptr;
    // The Result list's pop-up menu (not on the menu bar).
    QMenu* mnuRightClick = nullptr;
    QAction* mnuShowInformation = nullptr;
    QAction* mnuShowName = nullptr;
    QAction* mnuCloseBalloon = nullptr;
    QAction* mnuHighlight = nullptr;
    QAction* mnu1 = nullptr;
    QAction* mnuGetLatLon = nullptr;
    QAction* mnuShowInfo = nullptr;
    QAction* mnuChangeSymbol = nullptr;
    QAction* mnuDeletePushpin = nullptr;
    QAction* mnuCopyLatLon = nullptr;

signals:
    // The window was unloaded (File > Exit or disconnection).
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void reject() override;

private:
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void FillDataSetSelector();
    void ListView1_MouseDown(int button, int shift, int x, int y);
    void Text1_KeyPress(int keyAscii);
    void HideThroughOwner();
    void mnuExit_Click();
    void markUnloaded();

    ResultListModel* results_ = nullptr;
    std::unique_ptr<actions::RowActionHost> rowHost_;
    locastra::SymbolImageTable imageList1_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace toolwindow
