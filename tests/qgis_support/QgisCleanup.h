#pragma once

#include <functional>

namespace qgistest {

// Runs cleanup after the tests, while QGIS is still initialised (latest first): for
// canvases and layers kept in statics, which must not outlive the application.
void atExit(std::function<void()> cleanup);
// Runs them; the test and benchmark mains call it before QGIS exits.
void runAtExit();

} // namespace qgistest
