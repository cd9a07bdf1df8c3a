#pragma once

#include <QString>
#include <vector>

// The places of the system's time-zone table (zone1970.tab), with their coordinates
// in decimal degrees: real positions all over the globe to check derivations against.
struct ZonePlace {
    QString name;
    double latitude = 0;
    double longitude = 0;
};

// Parses an ISO 6709 pair as the table writes it: +-DDMM+-DDDMM or +-DDMMSS+-DDDMMSS.
// False when the text has another form.
bool ParseIso6709(const QString& text, double& latitude, double& longitude);

// Every row of the table at path; empty when the file cannot be read.
std::vector<ZonePlace> ReadZoneTable(const QString& path);
