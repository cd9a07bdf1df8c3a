#include "frmAddIn.h"

#include "ListAllPushpins.h"
#include "PushpinSearch.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "ResultRowHost.h"
#include "StatusBar.h"
#include "addin/FailureStyle.h"
#include "addin/mappoint/HostAccess.h"
#include "addin/mappoint/SymbolImageIndex.h"
#include "desktop/Desktop.h"
#include "desktop/Twips.h"
#include "mappoint/Application.h"
#include "mappoint/MapObject.h"
#include "widgets/AltKeyGuard.h"
#include "widgets/FixedFrame.h"
#include "widgets/LocastraButton.h"
#include "widgets/chameleonButton.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>

namespace toolwindow {

namespace {
constexpr int ClientWidth = 3705;
constexpr int ClientHeight = 7515;
const QString DataSetTip = QStringLiteral("Select a Dataset to work with or ALL Datasets");

void place(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(desktop::twipsRect(left, top, width, height));
}

// Whether the map's selection is an area shape (Type 1, 5 or 9); any failure on the
// way (no map, nothing selected, an object without Type) means no.
bool selectionIsAreaShape() {
    bool area = false;
    locastra::EndSilentlyOnFailure([&] {
        const mappoint::MapObjectPtr selection = locastra::AttachActiveMap()->Selection();
        if (!selection)
            return;
        area = locastra::IsAreaShape(selection->Type());
    });
    return area;
}
} // namespace

frmAddIn::frmAddIn(QWidget* parent)
    : QDialog(parent), results_(new ResultListModel(this)),
      rowHost_(std::make_unique<ResultRowHost>(*this)) {
    setObjectName(QStringLiteral("frmAddIn"));
    setWindowFlags(FixedFrame(Qt::Dialog));
    buildMenus();
    buildLayout();
    connectHandlers();
    GuardTextInputsFromAltKeys(this);
}

frmAddIn::~frmAddIn() {
    // A visible window is hidden by QDialog's destructor, after this window's members are
    // gone; the focus then leaves the selector's text box, which reports its text as
    // chosen. Hide here, whole, with the selector cut off: nothing runs on the way out.
    disconnect(ImageCombo1, nullptr, this, nullptr);
    hide();
}

actions::RowActionHost& frmAddIn::rowActionHost() {
    return *rowHost_;
}

void frmAddIn::buildLayout() {
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    const QSize client = desktop::twipsRect(0, 0, ClientWidth, ClientHeight).size();
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, client.width(), menuHeight);
    clientArea->setGeometry(0, menuHeight, client.width(), client.height());
    setFixedSize(client.width(), menuHeight + client.height());

    const int lineTops[2] = {45, 30};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(clientArea);
        line->setObjectName(QStringLiteral("Line1"));
        line->setProperty("Index", i);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(i == 0 ? QFrame::Plain : QFrame::Sunken);
        line->setGeometry(0, desktop::twipsToPixelsY(lineTops[i]), client.width(), 1);
        Line1[static_cast<size_t>(i)] = line;
    }

    Label2 = new QLabel(QStringLiteral("Dataset(s)"), clientArea);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(QFont(QStringLiteral("Microsoft Sans Serif")));
    Label2->setToolTip(DataSetTip);
    place(Label2, 30, 165, 1140, 285);

    ImageCombo1 = new QComboBox(clientArea);
    ImageCombo1->setObjectName(QStringLiteral("ImageCombo1"));
    // The selector's text can be typed as well as chosen; typing never adds items.
    ImageCombo1->setEditable(true);
    ImageCombo1->setInsertPolicy(QComboBox::NoInsert);
    ImageCombo1->setIconSize(QSize(16, 16));
    place(ImageCombo1, 1215, 150, 2430, 330);

    Frame1 = new QGroupBox(QStringLiteral(" Pushpin Labels"), clientArea);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 90, 600, 3540, 1245);

    // The option buttons sit over the frame but belong to the window.
    const char* optionCaptions[3] = {"Display All Information", "Display Name Only",
                                     "Close All Balloons"};
    const int optionGeometry[3][4] = {
        {180, 915, 2685, 255}, {180, 1170, 2460, 255}, {180, 1440, 2310, 255}};
    Option1Group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(optionCaptions[i]), clientArea);
        option->setObjectName(QStringLiteral("Option1"));
        option->setProperty("Index", i);
        place(option, optionGeometry[i][0], optionGeometry[i][1], optionGeometry[i][2],
              optionGeometry[i][3]);
        Option1Group->addButton(option, i);
        Option1[static_cast<size_t>(i)] = option;
    }
    Option1[0]->setChecked(true);

    cmdChange =
        makeLocastraButton(clientArea, QStringLiteral("&Change"), QStringLiteral("cmdChange"));
    place(cmdChange, 2580, 1110, 855, 375);

    Frame4 = new QGroupBox(QStringLiteral("Pushpins"), clientArea);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    place(Frame4, 90, 1890, 3540, 5310);
    cmdFindPushpin =
        makeLocastraButton(Frame4, QStringLiteral("Find"), QStringLiteral("cmdFindPushpin"));
    place(cmdFindPushpin, 135, 270, 765, 375);
    ButtonShowAll =
        makeLocastraButton(Frame4, QStringLiteral("Get All"), QStringLiteral("ButtonShowAll"));
    place(ButtonShowAll, 945, 270, 855, 375);
    cmdSort = makeLocastraButton(Frame4, QStringLiteral("Sort"), QStringLiteral("cmdSort"));
    place(cmdSort, 1860, 270, 750, 375);
    ButtonClear =
        makeLocastraButton(Frame4, QStringLiteral("Clear"), QStringLiteral("ButtonClear"));
    place(ButtonClear, 2670, 270, 735, 375);

    Text1 = new QLineEdit(clientArea);
    Text1->setObjectName(QStringLiteral("Text1"));
    place(Text1, 150, 2625, 3375, 360);

    ListView1 = new ResultListView(clientArea);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setToolTip(QStringLiteral("Double Click on a selection to Zoom and Goto"));
    ListView1->setModel(results_);
    place(ListView1, 135, 3015, 3435, 4125);

    StatusBar1 = new StatusBar(1, clientArea);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    place(StatusBar1, 0, 7200, 3705, 315);

    ProgressBar1 = new QProgressBar(clientArea);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    place(ProgressBar1, 30, 8790, 6090, 210);
    ProgressBar1->hide();

    // Outside the client area: never seen, but there.
    Combo1 = new QComboBox(clientArea);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setToolTip(DataSetTip);
    place(Combo1, 4065, 2070, 1455, 315);
    Option2Group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QStringLiteral("Option2"), clientArea);
        option->setObjectName(QStringLiteral("Option2"));
        option->setProperty("Index", i);
        place(option, 4080, 2700 + 300 * i, 1215, 255);
        Option2Group->addButton(option, i);
        Option2[static_cast<size_t>(i)] = option;
    }
    cmdExport =
        makeLocastraButton(clientArea, QStringLiteral("&Export"), QStringLiteral("cmdExport"));
    place(cmdExport, 4050, 1350, 855, 375);
    cmdQuit = makeLocastraButton(clientArea, QStringLiteral("&Quit"), QStringLiteral("cmdQuit"));
    place(cmdQuit, 195, 9045, 855, 375);
    Help =
        makeLocastraButton(clientArea, QStringLiteral("&HiddenHelpButton"), QStringLiteral("Help"));
    place(Help, 2910, 9075, 855, 375);
    Command1 =
        makeLocastraButton(clientArea, QStringLiteral("Command1"), QStringLiteral("Command1"));
    place(Command1, 4485, 4590, 855, 375);
    Command222 =
        makeLocastraButton(clientArea, QStringLiteral("Command2"), QStringLiteral("Command222"));
    place(Command222, 4455, 5115, 855, 375);
}

void frmAddIn::buildMenus() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    // The menu bar lives in the window, also where a global menu bar exists.
    menuBar->setNativeMenuBar(false);

    const auto menu = [this](QWidget* parent, const QString& title, const char* name) {
        auto* m = new QMenu(title, parent);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };
    const auto entry = [](QMenu* m, const QString& text, const char* name,
                          const QKeySequence& keys = {}) {
        QAction* action = m->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        return action;
    };

    mnuFile = menu(menuBar, QStringLiteral("&File"), "mnuFile");
    mnuHide = entry(mnuFile, QStringLiteral("Hide"), "mnuHide");
    mnuExit = entry(mnuFile, QStringLiteral("E&xit"), "mnuExit");
    menuBar->addMenu(mnuFile);

    mnuView = menu(menuBar, QStringLiteral("&View"), "mnuView");
    mnuZoomIn = entry(mnuView, QStringLiteral("Zoom In"), "mnuZoomIn", QKeySequence("Ctrl+I"));
    mnuZoomOut = entry(mnuView, QStringLiteral("Zoom Out"), "mnuZoomOut", QKeySequence("Ctrl+O"));
    mnuCoordinateFormat = menu(mnuView, QStringLiteral("Coordinate Format"), "mnuCoordinateFormat");
    mnuView->addMenu(mnuCoordinateFormat);
    mnuZoomToCoordinates =
        entry(mnuView, QStringLiteral("Zoom to Coordinates..."), "mnuZoomToCoordinates");
    menuBar->addMenu(mnuView);

    mnuDataset = menu(menuBar, QStringLiteral("Dataset"), "mnuDataset");
    mnuZoomtoDataset = entry(mnuDataset, QStringLiteral("Zoom to Dataset"), "mnuZoomtoDataset");
    mnuHideDataset = entry(mnuDataset, QStringLiteral("Hide Dataset"), "mnuHideDataset");
    mnuChangePushpin4Dataset =
        entry(mnuDataset, QStringLiteral("Unhide/Change Symbol"), "mnuChangePushpin4Dataset");
    mnuRefresh = entry(mnuDataset, QStringLiteral("&Refresh"), "mnuRefresh");
    menuBar->addMenu(mnuDataset);

    mnuTools = menu(menuBar, QStringLiteral("&Tools"), "mnuTools");
    mnuRunBenchmark = entry(mnuTools, QStringLiteral("Run Benchmark"), "mnuRunBenchmark");
    mnuExport = menu(mnuTools, QStringLiteral("Export with Lat/Lon"), "mnuExport");
    mnuSelectedDataset =
        entry(mnuExport, QStringLiteral("Selected Datasets"), "mnuSelectedDataset");
    mnuSelectedShape = entry(mnuExport, QStringLiteral("Selected Shape"), "mnuSelectedShape");
    mnuTools->addMenu(mnuExport);
    menuBar->addMenu(mnuTools);

    mnuAboutMaain = menu(menuBar, QStringLiteral("&Help"), "mnuAboutMaain");
    mnuAbout = entry(mnuAboutMaain, QStringLiteral("About"), "mnuAbout");
    mnuHelp = entry(mnuAboutMaain, QStringLiteral("&Help"), "mnuHelp", QKeySequence(Qt::Key_F1));
    menuBar->addMenu(mnuAboutMaain);
    // Shortcuts work while the menus are closed.
    addActions({mnuZoomIn, mnuZoomOut, mnuHelp});

    mnuRightClick = menu(this, QStringLiteral("mnuRightClick"), "mnuRightClick");
    mnuShowInformation =
        entry(mnuRightClick, QStringLiteral("Show Information"), "mnuShowInformation");
    mnuShowName = entry(mnuRightClick, QStringLiteral("Show Name Only"), "mnuShowName");
    mnuCloseBalloon = entry(mnuRightClick, QStringLiteral("Close Balloon"), "mnuCloseBalloon");
    mnuHighlight = entry(mnuRightClick, QStringLiteral("Highlight On/Off"), "mnuHighlight");
    mnu1 = entry(mnuRightClick, QString(28, QLatin1Char('-')), "mnu1");
    mnuGetLatLon = entry(mnuRightClick, QStringLiteral("Get Lat/Lon"), "mnuGetLatLon");
    mnuShowInfo = entry(mnuRightClick, QStringLiteral("Copy/Print Information"), "mnuShowInfo");
    mnuChangeSymbol =
        entry(mnuRightClick, QStringLiteral("Change Pushpin Symbol"), "mnuChangeSymbol");
    mnuDeletePushpin = entry(mnuRightClick, QStringLiteral("Delete Pushpin"), "mnuDeletePushpin");
    mnuCopyLatLon = entry(mnuRightClick, QStringLiteral("Copy Lat/Lon"), "mnuCopyLatLon");
}

void frmAddIn::connectHandlers() {
    connect(mnuHide, &QAction::triggered, this, [this] { HideThroughOwner(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(mnuRefresh, &QAction::triggered, this, [this] { RefreshDataSets(); });
    connect(mnuTools, &QMenu::aboutToShow, this, [this] { UpdateSelectedShapeEntry(); });

    connect(cmdFindPushpin, &chameleonButton::Click, this, [this] { cmdFindPushpin_Click(); });
    connect(cmdFindPushpin, &chameleonButton::MouseMove, this,
            [this] { cmdFindPushpin->setFontBold(true); });
    connect(ButtonShowAll, &chameleonButton::Click, this, [this] { ButtonShowAll_Click(); });
    connect(cmdSort, &chameleonButton::Click, this, [this] { cmdSort_Click(); });
    connect(ButtonClear, &chameleonButton::Click, this, [this] { ButtonClear_Click(); });
    connect(cmdQuit, &chameleonButton::Click, this, [this] { HideThroughOwner(); });
    connect(Command1, &chameleonButton::Click, this, [this] {
        desktop::services().messageBox(DataSetChoice(), QStringLiteral("Locastra"),
                                       desktop::Icon::None, desktop::Buttons::Ok);
    });

    // Typing in the selector and choosing an item are handled alike.
    connect(ImageCombo1, &QComboBox::currentTextChanged, this, [this] { ImageCombo1_Change(); });
    connect(ImageCombo1, qOverload<int>(&QComboBox::activated), this,
            [this] { ImageCombo1_Change(); });

    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(13); });
    connect(
        ListView1, &ResultListView::MouseDown, this,
        [this](int button, int shift, int x, int y) { ListView1_MouseDown(button, shift, x, y); });
}

// --- life cycle ------------------------------------------------------------------------

void frmAddIn::ShowModal() {
    Load();
    exec();
}

void frmAddIn::Load() {
    using locastra::Step;
    if (loaded_)
        return;
    loaded_ = true;
    setWindowTitle(QStringLiteral("Locastra v2.4"));
    const auto host = [this] {
        if (!Connect)
            throw automation::Error(91, QStringLiteral("No add-in object"));
        const mappoint::ApplicationPtr application = Connect->hostApplication();
        if (!application)
            throw automation::Error(91, QStringLiteral("No host application"));
        return application;
    };
    // Left and top are two steps: a top that cannot be read keeps the left.
    Step([&] { move(desktop::twipsToPixelsX(static_cast<double>(host()->Left())), y()); });
    Step([&] {
        const int64_t top = static_cast<int64_t>(host()->Top()) + 1400;
        move(x(), desktop::twipsToPixelsY(static_cast<double>(top)));
    });
    results_->setColumnHeader(QStringLiteral("Pushpin"));
    ListView1->showColumnHeader();
    FillDataSetSelector();
    mnuSelectedShape->setEnabled(selectionIsAreaShape());
}

void frmAddIn::showEvent(QShowEvent* event) {
    ExitFlag = false;
    QDialog::showEvent(event);
}

bool frmAddIn::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        ExitFlag = false;
    return QDialog::event(event);
}

void frmAddIn::closeEvent(QCloseEvent* event) {
    if (!ExitFlag && !unloaded_) {
        // Closing only hides: the lists and the status stay for the next Show.
        event->ignore();
        HideThroughOwner();
        return;
    }
    event->accept();
    markUnloaded();
}

void frmAddIn::reject() {
    // Esc: the window has no cancel button, so the key does nothing (a dialog would
    // close). The close box, File > Hide and Quit are the ways to hide it.
}

void frmAddIn::Unload() {
    ExitFlag = true;
    close();
    markUnloaded();
}

void frmAddIn::markUnloaded() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // Loops still running on the stack end at their next check.
    StopFlag = true;
    hide();
    emit unloaded();
}

void frmAddIn::HideThroughOwner() {
    if (Connect)
        Connect->Hide();
    else
        hide();
}

void frmAddIn::mnuExit_Click() {
    ExitFlag = true;
    close();
}

// --- Dataset selector ----------------------------------------------------------------------

QString frmAddIn::DataSetChoice() const {
    return ImageCombo1->currentText();
}

void frmAddIn::FillDataSetSelector() {
    using locastra::Step;
    // Filling is no choice by the user: the status panel stays as it is.
    const QSignalBlocker quiet(ImageCombo1);
    ImageCombo1->clear();
    ImageCombo1->addItem(imageList1_.icon(1), locastra::AllDataSets);
    ImageCombo1->setCurrentIndex(0);
    ImageCombo1->setEditText(locastra::AllDataSets);
    mappoint::DataSetsPtr dataSets;
    if (!Step([&] { dataSets = locastra::AttachActiveMap()->DataSets(); }))
        return;
    int32_t count = 0;
    if (!Step([&] { count = dataSets->Count(); }))
        return;
    for (int32_t i = 1; i <= count; ++i) {
        // Adding the item and giving it its dataset's picture are two steps: a dataset
        // whose symbol cannot be read is listed with picture 1.
        mappoint::DataSetPtr dataSet;
        if (!Step([&] {
                dataSet = dataSets->Item(i);
                ImageCombo1->addItem(imageList1_.icon(1), dataSet->Name());
            }))
            continue;
        const int item = ImageCombo1->count() - 1;
        Step([&] {
            const int picture = locastra::SymbolImageIndex(dataSet->Symbol());
            ImageCombo1->setItemIcon(item, imageList1_.icon(picture));
        });
    }
}

void frmAddIn::RefreshDataSets() {
    FillDataSetSelector();
}

void frmAddIn::ImageCombo1_Change() {
    const QString choice = DataSetChoice();
    if (choice == locastra::AllDataSets) {
        StatusBar1->setPanelText(1, QString());
        return;
    }
    locastra::EndSilentlyOnFailure([&] {
        // When no dataset bears the name, the panel keeps its text.
        if (const mappoint::DataSetPtr dataSet =
                locastra::FirstDataSetNamed(locastra::AttachActiveMap(), choice))
            StatusBar1->setPanelText(1, dataSet->Name() + QStringLiteral(" contains ") +
                                            QString::number(dataSet->RecordCount()) +
                                            QStringLiteral(" Pushpins"));
    });
}

void frmAddIn::UpdateSelectedShapeEntry() {
    mnuSelectedShape->setEnabled(selectionIsAreaShape());
}

// --- status bar and progress ----------------------------------------------------------------

void frmAddIn::MoveProgressBarIntoPanel(QProgressBar* pb, StatusBar* sb, int16_t& pnlIndex) {
    const QWidget* container = pb->parentWidget();
    const int border = 2; // two pixels
    const QRect panel = sb->panelRect(pnlIndex);
    sb->setPanelBevel(pnlIndex, StatusBar::NoBevel);
    const int innerHeight =
        container ? container->contentsRect().height() : sb->geometry().bottom();
    pb->setGeometry(sb->x() + panel.left(), innerHeight - sb->height() + border, panel.width(),
                    sb->height() - border);
    pb->setVisible(true);
    pb->raise();
}

// --- buttons and keys --------------------------------------------------------------------------

void frmAddIn::cmdFindPushpin_Click() {
    PushpinSearch(*this).click();
}

void frmAddIn::ButtonShowAll_Click() {
    ListAllPushpins(*this).click();
}

void frmAddIn::cmdSort_Click() {
    results_->toggleSort();
}

void frmAddIn::ButtonClear_Click() {
    results_->clear();
}

void frmAddIn::Text1_KeyPress(int keyAscii) {
    if (keyAscii == 13)
        locastra::Step([&] { cmdFindPushpin_Click(); });
}

void frmAddIn::ListView1_MouseDown(int button, int, int x, int y) {
    if (button == 2)
        mnuRightClick->popup(ListView1->viewport()->mapToGlobal(QPoint(x, y)));
}

} // namespace toolwindow
