#pragma once

#include "AddinRecord.h"

#include <QString>
#include <QVector>

namespace maphost {

// The per-user add-in records, kept in the host's settings file under "Addins".
class AddinRegistry {
public:
    explicit AddinRegistry(QString settingsFile);

    QVector<AddinRecord> records() const;
    // Adds or replaces the record with the same key; false when it cannot be written.
    bool write(const AddinRecord& record) const;
    bool setLoadBehavior(const QString& key, int loadBehavior) const;

    // The record a plugin library describes in its metadata ("displayName",
    // "description", "loadBehavior", "class" or "className"; at the top level or in
    // an "addin" object). Throws automation::Error naming the
    // library and the reason when it is missing or carries no usable metadata.
    static AddinRecord recordFromLibrary(const QString& library);

    const QString& settingsFile() const { return settingsFile_; }

private:
    QString settingsFile_;
};

} // namespace maphost
