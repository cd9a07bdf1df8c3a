#pragma once

#include <QTemporaryDir>
#include <memory>

class QgsApplication;

// An offscreen QgsApplication, initialised, with a QGIS profile of its own so tests
// and benchmarks never read or write the user's QGIS settings. One per program.
class OffscreenQgis {
public:
    OffscreenQgis(int& argc, char** argv);
    ~OffscreenQgis();

private:
    QTemporaryDir profile_;
    std::unique_ptr<QgsApplication> app_;
};
