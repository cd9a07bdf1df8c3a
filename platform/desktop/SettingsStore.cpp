#include "SettingsStore.h"

#include "qtcompat/QtCompat.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace desktop {

namespace {

const QString organisation = QStringLiteral("Locastra");

// A section or key becomes one part of a QSettings path: no empty names and no '/'
// or '\\', which QSettings would read as nesting.
bool usableName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

// The user config folder QSettings itself uses for UserScope INI files.
QString userConfigFolder() {
    QSettings probe(QSettings::IniFormat, QSettings::UserScope, organisation, QStringLiteral("x"));
    // <folder>/Locastra/x.ini
    return QFileInfo(probe.fileName()).dir().absolutePath().chopped(organisation.size() + 1);
}

} // namespace

SettingsStore::SettingsStore() : configFolder_(userConfigFolder()) {}

SettingsStore::SettingsStore(const QString& configFolder) : configFolder_(configFolder) {}

QString SettingsStore::filePath(const QString& application) const {
    if (!usableName(application) || application == u"." || application == u"..")
        return {};
    return configFolder_ + u'/' + organisation + u'/' + application + QStringLiteral(".ini");
}

QString SettingsStore::read(const QString& application, const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const QString path = filePath(application);
    if (path.isEmpty() || !usableName(section) || !usableName(key) || !QFileInfo::exists(path))
        return defaultValue;
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant value = settings.value(section + u'/' + key);
    if (!value.isValid())
        return defaultValue;
    // An unquoted value with commas, written by hand, comes back as a list.
    if (qtcompat::typeId(value) == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& value) const {
    const QString path = filePath(application);
    if (path.isEmpty() || !usableName(section) || !usableName(key))
        return false;
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(section + u'/' + key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace desktop
