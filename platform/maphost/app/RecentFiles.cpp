#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace maphost {

namespace {
const QString Key = QStringLiteral("RecentFiles/files");
}

RecentFiles::RecentFiles(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QStringList RecentFiles::files() const {
    return QSettings(settingsFile_, QSettings::IniFormat).value(Key).toStringList();
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > MaxFiles)
        list.removeLast();
    store(list);
}

void RecentFiles::remove(const QString& path) {
    QStringList list = files();
    list.removeAll(path);
    store(list);
}

void RecentFiles::store(const QStringList& list) {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue(Key, list);
}

} // namespace maphost
