#pragma once

#include <QString>

namespace desktop {

// The per-user settings store: one INI file per application,
// <config folder>/Locastra/<application>.ini, values under "section/key". It is the
// file QSettings(IniFormat, UserScope, "Locastra", application) uses; the folder can
// be given so tests work in a folder of their own.
class SettingsStore {
public:
    // The user's config folder (what QSettings uses for UserScope INI files).
    SettingsStore();
    explicit SettingsStore(const QString& configFolder);

    // The value, or defaultValue when the key is absent or the names are unusable.
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultValue) const;
    // Stores the value; false (and nothing written) when the names are unusable or
    // the file cannot be written.
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value) const;

    // The settings file of an application; empty when the name is unusable (empty,
    // or one that would lead out of the settings folder).
    QString filePath(const QString& application) const;

private:
    QString configFolder_;
};

} // namespace desktop
