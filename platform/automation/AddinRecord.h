#pragma once

#include <QString>

namespace automation {

// What a host knows of an add-in: its entry in the host's add-in list, read from the
// library's metadata when the add-in is installed.
struct AddinRecord {
    QString key; // unique name of the record, "<library>.<class>"
    QString displayName;
    QString description;
    // 0 not loaded; 3 loaded and connected when the host starts (bit 2 = at start-up).
    int loadBehavior = 0;
    QString library; // path of the Qt plugin
    QString className;

    bool loadsAtStartup() const { return (loadBehavior & 2) != 0; }
};

} // namespace automation
