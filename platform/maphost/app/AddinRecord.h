#pragma once

#include <QString>

namespace maphost {

// One entry of the host's per-user add-in list.
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

} // namespace maphost
