#include "MainWindow.h"

#include "AddinManager.h"
#include "AddinsDialog.h"
#include "RecentFiles.h"
#include "ToolIcons.h"
#include "automation/Error.h"
#include "desktop/Desktop.h"
#include "desktop/Twips.h"
#include "maphost/document/DataImport.h"
#include "maphost/document/MapDocument.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "maphost/view/MapView.h"
#include "mappoint/DataSet.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"
#include "mappoint/SphereDistance.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

namespace maphost {

namespace {
const QString AppTitle = QStringLiteral("Map Host");
const QString DocumentFilter = QStringLiteral("Map documents (*.gpkg);;All files (*)");
const QString DataFilter =
    QStringLiteral("Data files (*.csv *.geojson *.json *.gpx *.kml *.shp *.gpkg);;"
                   "All files (*)");

QString formatAngle(double value, char positive, char negative) {
    return QLocale().toString(std::abs(value), 'f', 4) + QStringLiteral("° ") +
           QChar::fromLatin1(value >= 0 ? positive : negative);
}
} // namespace

MainWindow::MainWindow(std::shared_ptr<HostApplication> application, AddinManager* addins,
                       QString settingsFile, QWidget* parent)
    : QMainWindow(parent), application_(std::move(application)), addins_(addins),
      settingsFile_(std::move(settingsFile)), recent_(std::make_unique<RecentFiles>(settingsFile_)),
      view_(new MapView(this)), positionLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setCentralWidget(view_);
    positionLabel_->setObjectName(QStringLiteral("PointerPosition"));
    positionLabel_->setMinimumWidth(220);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addPermanentWidget(positionLabel_);
    view_->setTextPrompt([this]() -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(this, tr("Text Box"), tr("Text:"), QLineEdit::Normal, {}, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    });
    connect(view_, &MapView::pointerMoved, this, [this](double lat, double lon, bool valid) {
        positionLabel_->setText(valid ? formatAngle(lat, 'N', 'S') + QStringLiteral(", ") +
                                            formatAngle(lon, 'E', 'W')
                                      : QString());
    });

    buildMenus();
    connect(application_.get(), &HostApplication::commandsChanged, this,
            &MainWindow::rebuildToolsMenu);
    connect(application_.get(), &HostApplication::activeMapChanged, this, &MainWindow::bindMap);
    if (addins_) {
        connect(addins_, &AddinManager::addinFailed, this,
                [this](const QString&, const QString& reason) { showStatus(reason); });
    }

    QSettings settings(settingsFile_, QSettings::IniFormat);
    if (!restoreGeometry(settings.value(QStringLiteral("MainWindow/geometry")).toByteArray()))
        resize(1100, 720);
    bindMap();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    auto addAction = [this](QMenu* menu, const QString& name, const QString& text,
                            const QKeySequence& shortcut, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    addAction(file, QStringLiteral("actionNew"), tr("&New"), QKeySequence::New,
              [this] { newMap(); });
    addAction(file, QStringLiteral("actionOpen"), tr("&Open..."), QKeySequence::Open,
              [this] { openWithDialog(); });
    addAction(file, QStringLiteral("actionImportData"), tr("&Import Data..."), QKeySequence(),
              [this] { importWithDialog(); });
    file->addSeparator();
    addAction(file, QStringLiteral("actionSave"), tr("&Save"), QKeySequence::Save,
              [this] { save(); });
    addAction(file, QStringLiteral("actionSaveAs"), tr("Save &As..."), QKeySequence::SaveAs,
              [this] { saveAs(); });
    file->addSeparator();
    recentMenu_ = file->addMenu(tr("Recent &Files"));
    recentMenu_->setObjectName(QStringLiteral("menuRecentFiles"));
    rebuildRecentMenu();
    file->addSeparator();
    addAction(file, QStringLiteral("actionExit"), tr("E&xit"), QKeySequence::Quit,
              [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    addAction(edit, QStringLiteral("actionDelete"), tr("&Delete"), QKeySequence::Delete,
              [this] { view_->deleteSelection(); });
    addAction(edit, QStringLiteral("actionFind"), tr("&Find Pushpin..."), QKeySequence::Find,
              [this] { findPushpin(); });

    QToolBar* toolBar = addToolBar(tr("Map"));
    toolBar->setObjectName(QStringLiteral("MapToolBar"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(24, 24));

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->setObjectName(QStringLiteral("menuView"));
    QAction* zoomIn = addAction(viewMenu, QStringLiteral("actionZoomIn"), tr("Zoom &In"),
                                QKeySequence::ZoomIn, [this] { view_->zoomIn(); });
    QAction* zoomOut = addAction(viewMenu, QStringLiteral("actionZoomOut"), tr("Zoom &Out"),
                                 QKeySequence::ZoomOut, [this] { view_->zoomOut(); });
    zoomIn->setIcon(zoomIcon(true));
    zoomOut->setIcon(zoomIcon(false));
    toolBar->addAction(zoomIn);
    toolBar->addAction(zoomOut);
    toolBar->addSeparator();
    viewMenu->addSeparator();
    QMenu* units = viewMenu->addMenu(tr("Distance &Units"));
    units->setObjectName(QStringLiteral("menuUnits"));
    auto* unitGroup = new QActionGroup(this);
    milesAction_ = addAction(units, QStringLiteral("actionMiles"), tr("&Miles"), QKeySequence(),
                             [this] { setUnits(mappoint::geoMiles); });
    kilometresAction_ = addAction(units, QStringLiteral("actionKilometers"), tr("&Kilometers"),
                                  QKeySequence(), [this] { setUnits(mappoint::geoKilometers); });
    for (QAction* a : {milesAction_, kilometresAction_}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }

    QMenu* drawing = menuBar()->addMenu(tr("&Drawing"));
    drawing->setObjectName(QStringLiteral("menuDrawing"));
    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const struct {
        const char* name;
        QString text;
        DrawingTool tool;
    } tools[] = {
        {"actionRectangle", tr("&Rectangle"), DrawingTool::Rectangle},
        {"actionOval", tr("&Oval"), DrawingTool::Oval},
        {"actionRadiusCircle", tr("Radius &Circle"), DrawingTool::RadiusCircle},
        {"actionFreeform", tr("&Freeform"), DrawingTool::Freeform},
        {"actionDriveTimeZone", tr("&Drive-time Zone..."), DrawingTool::DriveTimeZone},
        {"actionLine", tr("&Line"), DrawingTool::Line},
        {"actionTextBox", tr("&Text Box"), DrawingTool::TextBox},
    };
    for (const auto& t : tools) {
        QAction* action = addAction(drawing, QString::fromLatin1(t.name), t.text, QKeySequence(),
                                    [this, tool = t.tool] { chooseTool(tool); });
        action->setCheckable(true);
        action->setData(static_cast<int>(t.tool));
        action->setIcon(drawingToolIcon(t.tool));
        toolGroup_->addAction(action);
        toolBar->addAction(action);
    }
    connect(view_, &MapView::toolChanged, this, [this](DrawingTool tool) {
        for (QAction* a : toolGroup_->actions())
            a->setChecked(a->data().toInt() == static_cast<int>(tool) && tool != DrawingTool::None);
    });

    toolsMenu_ = menuBar()->addMenu(tr("&Tools"));
    toolsMenu_->setObjectName(QStringLiteral("menuTools"));
    rebuildToolsMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    addAction(help, QStringLiteral("actionAbout"), tr("&About Map Host"), QKeySequence(),
              [this] { about(); });
}

void MainWindow::rebuildToolsMenu() {
    toolsMenu_->clear();
    const QVector<HostCommand> commands = application_->commands();
    for (int i = 0; i < commands.size(); ++i) {
        QAction* action = toolsMenu_->addAction(commands[i].displayName);
        action->setObjectName(QStringLiteral("addinCommand%1").arg(i));
        action->setData(commands[i].methodName);
        connect(action, &QAction::triggered, this, [this, i] {
            if (!application_->invokeCommand(i))
                showStatus(tr("The command could not be run."));
        });
    }
    if (!commands.isEmpty())
        toolsMenu_->addSeparator();
    QAction* addins = toolsMenu_->addAction(tr("Add-ins..."));
    addins->setObjectName(QStringLiteral("actionAddins"));
    connect(addins, &QAction::triggered, this, &MainWindow::showAddins);
}

void MainWindow::rebuildRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recent_->files();
    for (int i = 0; i < files.size(); ++i) {
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
        action->setToolTip(files[i]);
        connect(action, &QAction::triggered, this, [this, path = files[i]] {
            if (maybeSave())
                openDocument(path);
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::bindMap() {
    for (const auto& c : mapConnections_)
        disconnect(c);
    mapConnections_.clear();
    boundMap_ = application_->activeMap();
    view_->setMap(boundMap_);
    if (boundMap_) {
        mapConnections_ << connect(boundMap_.get(), &HostMap::modifiedChanged, this,
                                   &MainWindow::updateTitle);
        mapConnections_ << connect(boundMap_.get(), &HostMap::viewChanged, this, [this] {
            const bool km = boundMap_->view().units == 1;
            kilometresAction_->setChecked(km);
            milesAction_->setChecked(!km);
        });
        const bool km = boundMap_->view().units == 1;
        kilometresAction_->setChecked(km);
        milesAction_->setChecked(!km);
        statusBar()->showMessage(tr("%1 pushpins in %2 datasets")
                                     .arg(boundMap_->pushpinCount())
                                     .arg(boundMap_->dataSetCount()));
    }
    updateTitle();
}

void MainWindow::updateTitle() {
    QString name = tr("Untitled");
    bool modified = false;
    if (boundMap_) {
        if (!boundMap_->filePath().isEmpty())
            name = QFileInfo(boundMap_->filePath()).completeBaseName();
        modified = boundMap_->isModified();
    }
    setWindowTitle(name + QStringLiteral("[*] - ") + AppTitle);
    setWindowModified(modified);
}

void MainWindow::showStatus(const QString& text) {
    statusBar()->showMessage(text, 15000);
}

void MainWindow::reportError(const QString& text) {
    desktop::services().messageBox(text, AppTitle, desktop::Icon::Critical, desktop::Buttons::Ok);
}

bool MainWindow::maybeSave() {
    if (!boundMap_ || !boundMap_->isModified())
        return true;
    const QString name = boundMap_->filePath().isEmpty()
                             ? tr("Untitled")
                             : QFileInfo(boundMap_->filePath()).fileName();
    const desktop::Button answer = desktop::services().messageBox(
        tr("Do you want to save the changes to \"%1\"?").arg(name), AppTitle,
        desktop::Icon::Exclamation, desktop::Buttons::YesNoCancel);
    if (answer == desktop::Button::Yes)
        return save();
    return answer == desktop::Button::No;
}

void MainWindow::newMap() {
    if (!maybeSave())
        return;
    application_->newMap();
}

bool MainWindow::openDocument(const QString& path) {
    try {
        const MapData data = MapDocument::open(path);
        auto map = HostMap::create(data);
        map->setFilePath(QFileInfo(path).absoluteFilePath());
        map->setModified(false);
        application_->setActiveMap(map);
        recent_->add(path);
        rebuildRecentMenu();
        return true;
    } catch (const automation::Error& error) {
        reportError(error.description());
        return false;
    }
}

bool MainWindow::importData(const QString& path, QString* failure) {
    auto map = application_->activeMap();
    if (!map)
        map = application_->newMap();
    try {
        const DataSetId id = map->addDataSet(DataImport::importDataSet(path));
        map->flushSignals();
        map->dataSetObject(id)->ZoomTo();
        showStatus(tr("Imported %1 records from %2")
                       .arg(map->dataSetRecordCount(id))
                       .arg(QFileInfo(path).fileName()));
        return true;
    } catch (const automation::Error& error) {
        if (failure)
            *failure = error.description();
        else
            reportError(error.description());
        return false;
    }
}

void MainWindow::openWithDialog() {
    if (!maybeSave())
        return;
    desktop::FileDialogRequest request;
    request.title = tr("Open Map");
    request.filter = DocumentFilter;
    request.mustExist = true;
    if (const auto path = desktop::services().fileDialog(request))
        openDocument(*path);
}

void MainWindow::importWithDialog() {
    desktop::FileDialogRequest request;
    request.title = tr("Import Data");
    request.filter = DataFilter;
    request.mustExist = true;
    if (const auto path = desktop::services().fileDialog(request))
        importData(*path);
}

bool MainWindow::save() {
    if (!boundMap_)
        return false;
    if (boundMap_->filePath().isEmpty())
        return saveAs();
    return saveTo(boundMap_->filePath());
}

bool MainWindow::saveAs() {
    if (!boundMap_)
        return false;
    desktop::FileDialogRequest request;
    request.title = tr("Save Map As");
    request.filter = DocumentFilter;
    request.save = true;
    request.defaultName = boundMap_->filePath().isEmpty()
                              ? tr("Untitled.gpkg")
                              : QFileInfo(boundMap_->filePath()).fileName();
    const auto chosen = desktop::services().fileDialog(request);
    if (!chosen)
        return false;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".gpkg");
    return saveTo(path);
}

bool MainWindow::saveTo(const QString& path) {
    try {
        MapDocument::save(boundMap_->toMapData(), path);
    } catch (const automation::Error& error) {
        reportError(error.description());
        return false;
    }
    boundMap_->setFilePath(QFileInfo(path).absoluteFilePath());
    boundMap_->setModified(false);
    recent_->add(path);
    rebuildRecentMenu();
    updateTitle();
    showStatus(tr("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
}

void MainWindow::findPushpin() {
    if (!boundMap_)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Find Pushpin"), tr("Pushpin name:"),
                                               QLineEdit::Normal, {}, &ok);
    if (!ok || name.isEmpty())
        return;
    const mappoint::PushpinPtr pin = boundMap_->FindPushpin(name);
    if (!pin) {
        showStatus(tr("No pushpin named \"%1\".").arg(name));
        return;
    }
    pin->Location()->GoTo();
    pin->Select();
}

void MainWindow::setUnits(int units) {
    if (!boundMap_)
        return;
    ViewData view = boundMap_->view();
    if (view.units == units)
        return;
    // The altitude is given in the map's unit: convert it, so the view stays put.
    constexpr double KmPerMile = mappoint::sphere::KmPerMile;
    view.altitude *= units == mappoint::geoKilometers ? KmPerMile : 1 / KmPerMile;
    view.units = units;
    boundMap_->setView(view);
}

void MainWindow::chooseTool(DrawingTool tool) {
    if (view_->tool() == tool) {
        view_->setTool(DrawingTool::None);
        return;
    }
    if (tool == DrawingTool::DriveTimeZone) {
        bool ok = false;
        const int minutes = QInputDialog::getInt(this, tr("Drive-time Zone"),
                                                 tr("Minutes of driving:"), 30, 1, 600, 5, &ok);
        if (!ok) {
            view_->setTool(DrawingTool::None);
            return;
        }
        view_->setDriveTimeMinutes(minutes);
    }
    view_->setTool(tool);
    view_->setFocus();
    showStatus(tool == DrawingTool::Freeform
                   ? tr("Click the corners; double-click to close the shape.")
                   : tr("Draw on the map; Esc cancels."));
}

void MainWindow::showAddins() {
    if (!addins_)
        return;
    addins_->reload();
    AddinsDialog dialog(*addins_, this);
    dialog.exec();
}

void MainWindow::about() {
    desktop::services().messageBox(
        tr("%1 %2\n\nA map application that carries add-ins. Map data: Natural Earth "
           "(public domain) where installed; places from the system's time-zone table.")
            .arg(AppTitle, QCoreApplication::applicationVersion()),
        tr("About %1").arg(AppTitle), desktop::Icon::Information, desktop::Buttons::Ok);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue(QStringLiteral("MainWindow/geometry"), saveGeometry());
    event->accept();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    updatePosition();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    updatePosition();
}

void MainWindow::updatePosition() {
    const QPoint topLeft = frameGeometry().topLeft();
    application_->setPosition(desktop::pixelsToTwipsX(topLeft.x()),
                              desktop::pixelsToTwipsY(topLeft.y()));
}

} // namespace maphost
