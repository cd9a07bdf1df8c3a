#include "AddinFolder.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace tools {

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString AddinFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    // The module this code is linked into: the add-in library when the host loaded it.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&AddinFolder), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

void SetAddinFolder(const QString& folder) {
    overrideFolder() = folder;
}

} // namespace tools
