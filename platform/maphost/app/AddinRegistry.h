#pragma once

#include "automation/AddinRecord.h"

#include <QString>
#include <QVector>

namespace maphost {

using automation::AddinRecord;

// The per-user add-in records, kept in the host's settings file under "Addins".
class AddinRegistry {
public:
    explicit AddinRegistry(QString settingsFile);

    QVector<AddinRecord> records() const;
    // Adds or replaces the record with the same key; false when it cannot be written.
    bool write(const AddinRecord& record) const;
    bool setLoadBehavior(const QString& key, int loadBehavior) const;

    const QString& settingsFile() const { return settingsFile_; }

private:
    QString settingsFile_;
};

} // namespace maphost
