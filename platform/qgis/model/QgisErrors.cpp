#include "QgisErrors.h"

#include "automation/Error.h"

namespace qgishost {

void throwObjectDeleted(const QString& what) {
    throw automation::Error(automation::errors::ObjectDeleted,
                            QStringLiteral("The %1 was deleted from the map").arg(what));
}

void throwInvalidArgument(const QString& message) {
    throw automation::Error(automation::errors::InvalidArgument, message);
}

void throwNotSupported(const QString& message) {
    throw automation::Error(automation::errors::NotSupported, message);
}

void throwSourceUnavailable(const QString& layerName) {
    throw automation::Error(
        automation::errors::ServerUnavailable,
        QStringLiteral("The data source of the layer \"%1\" does not answer").arg(layerName));
}

} // namespace qgishost
