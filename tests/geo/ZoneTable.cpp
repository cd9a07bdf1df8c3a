#include "ZoneTable.h"

#include <QFile>
#include <QTextStream>

namespace {
// One signed component: sign, degDigits digits of degrees, then minutes and optionally
// seconds (two digits each).
bool parseComponent(const QString& text, int degDigits, double& value) {
    if (text.size() != 1 + degDigits + 2 && text.size() != 1 + degDigits + 4)
        return false;
    const QChar sign = text[0];
    if (sign != QLatin1Char('+') && sign != QLatin1Char('-'))
        return false;
    bool ok = false;
    const int degrees = text.mid(1, degDigits).toInt(&ok);
    if (!ok)
        return false;
    const int minutes = text.mid(1 + degDigits, 2).toInt(&ok);
    if (!ok || minutes >= 60)
        return false;
    int seconds = 0;
    if (text.size() == 1 + degDigits + 4) {
        seconds = text.mid(3 + degDigits, 2).toInt(&ok);
        if (!ok || seconds >= 60)
            return false;
    }
    value = degrees + minutes / 60.0 + seconds / 3600.0;
    if (sign == QLatin1Char('-'))
        value = -value;
    return true;
}
} // namespace

bool ParseIso6709(const QString& text, double& latitude, double& longitude) {
    int split = -1;
    for (int i = 1; i < text.size(); ++i)
        if (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')) {
            split = i;
            break;
        }
    if (split < 0)
        return false;
    return parseComponent(text.left(split), 2, latitude) &&
           parseComponent(text.mid(split), 3, longitude) && latitude >= -90 && latitude <= 90 &&
           longitude >= -180 && longitude <= 180;
}

std::vector<ZonePlace> ReadZoneTable(const QString& path) {
    std::vector<ZonePlace> places;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return places;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList columns = line.split(QLatin1Char('\t'));
        ZonePlace place;
        if (columns.size() < 3 || !ParseIso6709(columns[1], place.latitude, place.longitude))
            continue;
        place.name = columns[2];
        places.push_back(place);
    }
    return places;
}
