#include "QgisCleanup.h"

#include <vector>

namespace qgistest {

namespace {
std::vector<std::function<void()>>& cleanups() {
    static std::vector<std::function<void()>> list;
    return list;
}
} // namespace

void atExit(std::function<void()> cleanup) {
    cleanups().push_back(std::move(cleanup));
}

void runAtExit() {
    auto& list = cleanups();
    while (!list.empty()) {
        const std::function<void()> cleanup = std::move(list.back());
        list.pop_back();
        cleanup();
    }
}

} // namespace qgistest

