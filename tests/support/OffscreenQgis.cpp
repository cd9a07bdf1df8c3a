#include "OffscreenQgis.h"

#include <qgsapplication.h>

namespace {
QString offscreenProfile(const QTemporaryDir& dir) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return dir.path();
}
} // namespace

OffscreenQgis::OffscreenQgis(int& argc, char** argv)
    : app_(std::make_unique<QgsApplication>(argc, argv, false, offscreenProfile(profile_))) {
    QgsApplication::initQgis();
}

OffscreenQgis::~OffscreenQgis() {
    QgsApplication::exitQgis();
}
