#include "AddinRegistry.h"

#include "automation/Error.h"

#include <QSettings>

namespace maphost {

namespace {
const QString Group = QStringLiteral("Addins");

// A record key becomes one QSettings group name: no separators.
QString groupName(const QString& key) {
    QString name = key;
    name.replace(u'/', u'_').replace(u'\\', u'_');
    return name;
}
} // namespace

AddinRegistry::AddinRegistry(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QVector<AddinRecord> AddinRegistry::records() const {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.beginGroup(Group);
    QVector<AddinRecord> result;
    const QStringList keys = settings.childGroups();
    for (const QString& key : keys) {
        settings.beginGroup(key);
        AddinRecord record;
        record.key = key;
        record.displayName = settings.value(QStringLiteral("DisplayName"), key).toString();
        record.description = settings.value(QStringLiteral("Description")).toString();
        record.loadBehavior = settings.value(QStringLiteral("LoadBehavior"), 0).toInt();
        record.library = settings.value(QStringLiteral("Library")).toString();
        record.className = settings.value(QStringLiteral("Class")).toString();
        settings.endGroup();
        result.push_back(record);
    }
    return result;
}

bool AddinRegistry::write(const AddinRecord& record) const {
    if (record.key.isEmpty())
        return false;
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.beginGroup(Group + u'/' + groupName(record.key));
    settings.setValue(QStringLiteral("DisplayName"), record.displayName);
    settings.setValue(QStringLiteral("Description"), record.description);
    settings.setValue(QStringLiteral("LoadBehavior"), record.loadBehavior);
    settings.setValue(QStringLiteral("Library"), record.library);
    settings.setValue(QStringLiteral("Class"), record.className);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool AddinRegistry::setLoadBehavior(const QString& key, int loadBehavior) const {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    const QString path = Group + u'/' + groupName(key);
    if (!settings.contains(path + QStringLiteral("/Library")))
        return false; // no such record
    settings.setValue(path + QStringLiteral("/LoadBehavior"), loadBehavior);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace maphost
