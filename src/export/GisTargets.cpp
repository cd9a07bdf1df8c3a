#include "GisTargets.h"

#include "GisFormat.h"
#include "GisNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace exporting {

QStringList DataSetFiles(const QString& path, const QStringList& dataSetNames) {
    if (dataSetNames.size() == 1)
        return {path};
    const QFileInfo chosen(path);
    const QString stem = chosen.completeBaseName();
    const QString extension = chosen.suffix();
    QStringList files;
    QStringList taken;
    for (const QString& name : dataSetNames) {
        const QString file =
            UniqueName(stem + QLatin1Char('_') + SafeFileName(name), taken) + QLatin1Char('.');
        files << chosen.dir().filePath(file + extension);
    }
    return files;
}

QStringList ExistingFilesReplaced(const GisFormat& format, const QStringList& files) {
    QStringList existing;
    QHash<QString, QStringList> listings; // each folder read once
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (info.isFile())
            existing << info.filePath();
        const QString stem = info.completeBaseName() + QLatin1Char('.');
        auto listing = listings.find(info.absolutePath());
        if (listing == listings.end())
            listing = listings.insert(info.absolutePath(),
                                      info.dir().entryList(QDir::Files | QDir::Hidden, QDir::Name));
        for (const QString& name : *listing) {
            if (!name.startsWith(stem, Qt::CaseInsensitive))
                continue;
            if (format.sideExtensions.contains(name.mid(stem.size()), Qt::CaseInsensitive))
                existing << info.dir().filePath(name);
        }
    }
    existing.removeDuplicates();
    return existing;
}

} // namespace exporting
