#include "LocastraQgisPlugin.h"

#include "automation/AddinConnection.h"
#include "automation/AddinLibrary.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "qgis/model/QgisApplication.h"
#include "qgis/model/QgisMap.h"
#include "qgis/styling/ProjectAppearance.h"
#include "spreadsheet/Types.h"
#include "spreadsheet/calc/Calc.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>
#include <qgisinterface.h>
#include <qgsmessagebar.h>
#include <qgsmessagelog.h>
#include <qgsproject.h>

namespace qgishost {

namespace {
const QString MenuName = QStringLiteral("&Locastra");
const QString Title = QStringLiteral("Locastra");
} // namespace

LocastraQgisPlugin::LocastraQgisPlugin(QgisInterface* iface)
    : QgisPlugin(Title,
                 QStringLiteral("Find, list, inspect, re-symbolise, hide and export point "
                                "features, with latitude and longitude"),
                 QStringLiteral("Plugins"), QStringLiteral(LOCASTRA_VERSION), QgisPlugin::UI),
      iface_(iface) {}

LocastraQgisPlugin::~LocastraQgisPlugin() {
    unload();
}

QString LocastraQgisPlugin::addinLibrary() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LocastraQgisPlugin::addinLibrary), &info) == 0 ||
        !info.dli_fname)
        return {};
    const QDir pluginFolder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteDir();
    return QDir::cleanPath(pluginFolder.filePath(QStringLiteral("../lib/libLocastra.so")));
}

void LocastraQgisPlugin::initGui() {
    if (application_)
        return;
    // While QGIS starts, plugins are restored before its main window is shown.
    const int connectMode = iface_->mainWindow() && iface_->mainWindow()->isVisible()
                                ? automation::ConnectAfterStartup
                                : automation::ConnectStartup;
    QgsProject* project = QgsProject::instance();
    appearance_ = std::make_unique<ProjectAppearance>(*project);
    application_ = std::make_shared<QgisApplication>(project, iface_->mapCanvas(), *this,
                                                     *appearance_, iface_->mainWindow());
    application_->map()->setLayerActivator(
        [iface = iface_](QgsMapLayer* layer) { iface->setActiveLayer(layer); });
    QgisApplication::registerRunning(application_);
    spreadsheet::calc::Register(spreadsheet::calc::DefaultOptions());
    try {
        addin_ =
            std::make_unique<automation::LoadedAddin>(automation::ReadAddinRecord(addinLibrary()));
        addin_->connect(application_, connectMode);
    } catch (const automation::Error& error) {
        report(error.description());
        if (addin_)
            unload();
    }
}

void LocastraQgisPlugin::unload() {
    if (addin_) {
        addin_->disconnect(0);
        // Commands the add-in left behind must not outlive it.
        if (QObject* object = addin_->object())
            application_->RemoveCommands(object);
        addin_.reset();
    }
    if (application_) {
        automation::RevokeActiveObject(QStringLiteral("MapPoint.Application"), application_.get());
        automation::RegisterClassFactory(spreadsheet::ApplicationClassName, {});
        spreadsheet::calc::Disconnect();
        application_.reset();
    }
    appearance_.reset();
}

void LocastraQgisPlugin::addAction(QAction* action) {
    iface_->addPluginToMenu(MenuName, action);
}

void LocastraQgisPlugin::removeAction(QAction* action) {
    iface_->removePluginMenu(MenuName, action);
}

void LocastraQgisPlugin::report(const QString& text) {
    QgsMessageLog::logMessage(text, Title, Qgis::MessageLevel::Critical);
    if (iface_->messageBar())
        iface_->messageBar()->pushMessage(Title, text, Qgis::MessageLevel::Critical);
}

} // namespace qgishost
