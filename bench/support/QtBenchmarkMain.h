#pragma once

#include <functional>

namespace benchsupport {

// Runs cleanup when the benchmarks are done, while the application object still
// exists (in reverse order of registration). A benchmark that keeps windows or other
// Qt objects in a static registers their teardown here: destroyed after main returns,
// they would outlive the application object and crash the program at exit.
void atApplicationExit(std::function<void()> cleanup);

} // namespace benchsupport
