// The functions QGIS looks up in a C++ plugin library, by name, before and after it
// creates the plugin object.
#include "LocastraQgisPlugin.h"

#include <qgis.h>

namespace {
const QString Name = QStringLiteral("Locastra");
const QString Description =
    QStringLiteral("Find, list, inspect, re-symbolise, hide and export point features, with "
                   "latitude and longitude");
const QString Category = QStringLiteral("Plugins");
const QString Version = QStringLiteral(LOCASTRA_VERSION);
const QString Icon;
} // namespace

QGISEXTERN QgisPlugin* classFactory(QgisInterface* iface) {
    return new qgishost::LocastraQgisPlugin(iface);
}

QGISEXTERN const QString* name() {
    return &Name;
}

QGISEXTERN const QString* description() {
    return &Description;
}

QGISEXTERN const QString* category() {
    return &Category;
}

QGISEXTERN const QString* version() {
    return &Version;
}

QGISEXTERN const QString* icon() {
    return &Icon;
}

QGISEXTERN int type() {
    return QgisPlugin::UI;
}

QGISEXTERN void unload(QgisPlugin* plugin) {
    delete plugin;
}
