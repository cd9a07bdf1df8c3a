#pragma once

#include <QTemporaryDir>
#include <functional>
#include <memory>

class QgsApplication;

namespace qgistest {

// QGIS for a test or benchmark program: a QgsApplication (offscreen unless the caller
// chose a platform) with QGIS initialised and a QGIS profile of its own, so tests never
// read or write the user's QGIS settings; on destruction the atExit cleanups run, then
// QGIS exits.
class QgisRuntime {
public:
    QgisRuntime(int& argc, char** argv);
    ~QgisRuntime();

private:
    QTemporaryDir profile_;
    std::unique_ptr<QgsApplication> application_;
};

// Runs cleanup when the runtime ends, while QGIS is still initialised (latest first):
// for canvases and layers kept in statics, which must not outlive the application.
void atExit(std::function<void()> cleanup);

} // namespace qgistest
