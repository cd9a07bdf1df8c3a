#pragma once

#include "qgis/model/CommandMenu.h"

#include <QString>
#include <memory>
#include <qgisplugin.h>

class QgisInterface;

namespace automation {
class LoadedAddin;
}

namespace qgishost {

class ProjectAppearance;
class QgisApplication;

// Locastra in QGIS: registers the QGIS object model as the running
// "MapPoint.Application" and Calc as the creatable "Excel.Application", loads the add-in
// library that lives beside this plugin and connects it, as our own map host's add-in
// manager does. Its commands appear under Plugins > Locastra.
class LocastraQgisPlugin : public QgisPlugin, public CommandMenu {
public:
    explicit LocastraQgisPlugin(QgisInterface* iface);
    ~LocastraQgisPlugin() override;

    // Connect mode 1 while QGIS starts (its main window is not shown yet), 0 when the
    // user switches the plugin on while QGIS runs.
    void initGui() override;
    // Disconnects the add-in and takes everything the plugin registered away again.
    void unload() override;

    // The add-in library beside the plugin's own libraries: <plugin folder>/../lib.
    static QString addinLibrary();

    // The application's commands: entries of the plugin's menu under Plugins.
    void addAction(QAction* action) override;
    void removeAction(QAction* action) override;

private:
    void report(const QString& text);

    QgisInterface* iface_;
    std::unique_ptr<ProjectAppearance> appearance_;
    std::shared_ptr<QgisApplication> application_;
    std::unique_ptr<automation::LoadedAddin> addin_;
};

} // namespace qgishost
