#pragma once

#include <QString>
#include <QStringList>

namespace maphost {

// The most recently opened or saved map documents, newest first, kept in the host's
// settings file.
class RecentFiles {
public:
    static constexpr int MaxFiles = 6;

    explicit RecentFiles(QString settingsFile);
    QStringList files() const;
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& files);
    QString settingsFile_;
};

} // namespace maphost
