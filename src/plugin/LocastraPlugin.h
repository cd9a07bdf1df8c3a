#pragma once

#include "automation/AddinConnection.h"

#include <QObject>

namespace locastra {

// The root object of the add-in library: the host reads the add-in record from the
// plugin metadata (Locastra.json) and asks this factory for the class it names.
class LocastraPlugin : public QObject, public automation::AddinFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LOCASTRA_ADDIN_FACTORY_IID FILE "Locastra.json")
    Q_INTERFACES(automation::AddinFactory)
public:
    QObject* CreateAddin(const QString& className) override;
};

} // namespace locastra
