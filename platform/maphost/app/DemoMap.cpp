#include "DemoMap.h"

#include "HostPaths.h"
#include "automation/Error.h"
#include "maphost/document/MapDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace maphost {

namespace {

// Built-in symbols the demo uses: one look per dataset.
constexpr int CitySymbol = 8;
constexpr int CapitalSymbol = 41;
constexpr int LandmarkSymbol = 77;

struct Capital {
    const char* name;
    const char* country;
    const char* continent;
    double latitude;
    double longitude;
};

const Capital Capitals[] = {
    {"Washington, D.C.", "United States", "North America", 38.9072, -77.0369},
    {"Ottawa", "Canada", "North America", 45.4215, -75.6972},
    {"Mexico City", "Mexico", "North America", 19.4326, -99.1332},
    {"Brasília", "Brazil", "South America", -15.7939, -47.8828},
    {"Buenos Aires", "Argentina", "South America", -34.6037, -58.3816},
    {"Lima", "Peru", "South America", -12.0464, -77.0428},
    {"Bogotá", "Colombia", "South America", 4.7110, -74.0721},
    {"Santiago", "Chile", "South America", -33.4489, -70.6693},
    {"London", "United Kingdom", "Europe", 51.5074, -0.1278},
    {"Paris", "France", "Europe", 48.8566, 2.3522},
    {"Berlin", "Germany", "Europe", 52.5200, 13.4050},
    {"Madrid", "Spain", "Europe", 40.4168, -3.7038},
    {"Rome", "Italy", "Europe", 41.9028, 12.4964},
    {"Vienna", "Austria", "Europe", 48.2082, 16.3738},
    {"Warsaw", "Poland", "Europe", 52.2297, 21.0122},
    {"Stockholm", "Sweden", "Europe", 59.3293, 18.0686},
    {"Oslo", "Norway", "Europe", 59.9139, 10.7522},
    {"Helsinki", "Finland", "Europe", 60.1699, 24.9384},
    {"Athens", "Greece", "Europe", 37.9838, 23.7275},
    {"Moscow", "Russia", "Europe", 55.7558, 37.6173},
    {"Ankara", "Türkiye", "Asia", 39.9334, 32.8597},
    {"Cairo", "Egypt", "Africa", 30.0444, 31.2357},
    {"Nairobi", "Kenya", "Africa", -1.2921, 36.8219},
    {"Pretoria", "South Africa", "Africa", -25.7479, 28.2293},
    {"Abuja", "Nigeria", "Africa", 9.0765, 7.3986},
    {"Addis Ababa", "Ethiopia", "Africa", 9.0300, 38.7400},
    {"Riyadh", "Saudi Arabia", "Asia", 24.7136, 46.6753},
    {"Tehran", "Iran", "Asia", 35.6892, 51.3890},
    {"New Delhi", "India", "Asia", 28.6139, 77.2090},
    {"Beijing", "China", "Asia", 39.9042, 116.4074},
    {"Tokyo", "Japan", "Asia", 35.6762, 139.6503},
    {"Seoul", "South Korea", "Asia", 37.5665, 126.9780},
    {"Bangkok", "Thailand", "Asia", 13.7563, 100.5018},
    {"Jakarta", "Indonesia", "Asia", -6.2088, 106.8456},
    {"Hanoi", "Vietnam", "Asia", 21.0278, 105.8342},
    {"Manila", "Philippines", "Asia", 14.5995, 120.9842},
    {"Canberra", "Australia", "Oceania", -35.2809, 149.1300},
    {"Wellington", "New Zealand", "Oceania", -41.2865, 174.7762},
};

struct Landmark {
    const char* name;
    const char* note;
    double latitude;
    double longitude;
};

const Landmark Landmarks[] = {
    {"Eiffel Tower", "Paris", 48.8584, 2.2945},
    {"Statue of Liberty", "New York Harbor", 40.6892, -74.0445},
    {"Sydney Opera House", "Sydney", -33.8568, 151.2153},
    {"Great Pyramid of Giza", "Giza", 29.9792, 31.1342},
    {"Machu Picchu", "Cusco Region", -13.1631, -72.5450},
    {"Taj Mahal", "Agra", 27.1751, 78.0421},
    {"Christ the Redeemer", "Rio de Janeiro", -22.9519, -43.2105},
    {"Mount Fuji", "Honshu", 35.3606, 138.7274},
    {"Golden Gate Bridge", "San Francisco", 37.8199, -122.4783},
    {"Colosseum", "Rome", 41.8902, 12.4922},
};

// "+DDMM" / "+DDMMSS" (or three degree digits for longitude) in degrees.
bool parseAngle(const QString& text, int degreeDigits, double& value) {
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4)
        return false;
    const QChar sign = text.front();
    if (sign != u'+' && sign != u'-')
        return false;
    bool ok1 = false;
    bool ok2 = false;
    bool ok3 = true;
    const int degrees = text.mid(1, degreeDigits).toInt(&ok1);
    const int minutes = text.mid(1 + degreeDigits, 2).toInt(&ok2);
    const int seconds =
        text.size() > 1 + degreeDigits + 2 ? text.mid(3 + degreeDigits, 2).toInt(&ok3) : 0;
    if (!ok1 || !ok2 || !ok3 || minutes >= 60 || seconds >= 60)
        return false;
    value = degrees + minutes / 60.0 + seconds / 3600.0;
    if (sign == u'-')
        value = -value;
    return true;
}

} // namespace

bool DemoMap::parseCoordinates(const QString& text, double& latitude, double& longitude) {
    const qsizetype split = text.indexOf(QRegularExpression(QStringLiteral("[+-]")), 1);
    if (split < 0)
        return false;
    double lat = 0;
    double lon = 0;
    if (!parseAngle(text.left(split), 2, lat) || !parseAngle(text.mid(split), 3, lon))
        return false;
    if (lat < -90 || lat > 90 || lon < -180 || lon > 180)
        return false;
    latitude = lat;
    longitude = lon;
    return true;
}

DataSetData DemoMap::worldCities(const QString& zoneTable) {
    DataSetData cities;
    cities.name = QStringLiteral("World Cities");
    cities.symbol = CitySymbol;
    // Like imported data: the name column stays a field, the first one.
    cities.fields = {{QStringLiteral("Name"), QMetaType::QString},
                     {QStringLiteral("Time zone"), QMetaType::QString},
                     {QStringLiteral("Country codes"), QMetaType::QString},
                     {QStringLiteral("Coordinates"), QMetaType::QString},
                     {QStringLiteral("Comments"), QMetaType::QString}};
    QFile file(zoneTable);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cities;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(u'#') || line.trimmed().isEmpty())
            continue;
        const QStringList columns = line.split(u'\t');
        if (columns.size() < 3)
            continue;
        PushpinData pin;
        if (!parseCoordinates(columns[1], pin.latitude, pin.longitude))
            continue;
        const QString zone = columns[2];
        QString name = zone.section(u'/', -1);
        name.replace(u'_', u' ');
        pin.name = name;
        pin.note = zone;
        pin.symbol = CitySymbol;
        const QString comments = columns.size() > 3 ? columns[3] : QString();
        pin.values = {name, zone, columns[0], columns[1],
                      comments.isEmpty() ? QVariant() : comments};
        cities.pushpins.push_back(pin);
    }
    return cities;
}

MapData DemoMap::build(const QString& zoneTable) {
    MapData map;

    DataSetData capitals;
    capitals.name = QStringLiteral("Capitals");
    capitals.symbol = CapitalSymbol;
    capitals.fields = {{QStringLiteral("Name"), QMetaType::QString},
                       {QStringLiteral("Country"), QMetaType::QString},
                       {QStringLiteral("Continent"), QMetaType::QString}};
    for (const Capital& c : Capitals) {
        PushpinData pin;
        pin.name = QString::fromUtf8(c.name);
        pin.latitude = c.latitude;
        pin.longitude = c.longitude;
        pin.symbol = CapitalSymbol;
        pin.values = {pin.name, QString::fromUtf8(c.country), QString::fromUtf8(c.continent)};
        capitals.pushpins.push_back(pin);
    }

    DataSetData landmarks;
    landmarks.name = QStringLiteral("Landmarks");
    landmarks.symbol = LandmarkSymbol;
    // No fields at all: the demo shows that case too.
    for (const Landmark& l : Landmarks) {
        PushpinData pin;
        pin.name = QString::fromUtf8(l.name);
        pin.note = QString::fromUtf8(l.note);
        pin.latitude = l.latitude;
        pin.longitude = l.longitude;
        pin.symbol = LandmarkSymbol;
        landmarks.pushpins.push_back(pin);
    }

    map.dataSets.push_back(worldCities(zoneTable));
    map.dataSets.push_back(std::move(capitals));
    map.dataSets.push_back(std::move(landmarks));

    ShapeData alps;
    alps.kind = ShapeKind::Freeform;
    alps.name = QStringLiteral("Alps");
    alps.points = {{5.8, 44.1},  {7.5, 43.8},  {9.5, 45.6},  {12.5, 45.9}, {16.0, 46.6},
                   {16.2, 47.7}, {13.0, 47.9}, {10.5, 47.6}, {8.0, 47.4},  {6.5, 46.4}};
    map.shapes.push_back(alps);

    map.view.centerLatitude = 30;
    map.view.centerLongitude = 10;
    map.view.altitude = 16000;
    map.view.units = 0;
    return map;
}

QString DemoMap::documentPath() {
    return paths::dataFolder() + QStringLiteral("/Demo Map.gpkg");
}

QString DemoMap::ensureDocument(QString* error) {
    const QString path = documentPath();
    if (QFileInfo::exists(path))
        return path;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("Cannot create the folder of \"%1\".").arg(path);
        return {};
    }
    try {
        MapDocument::save(build(), path);
    } catch (const automation::Error& e) {
        if (error)
            *error = e.description();
        return {};
    }
    return path;
}

} // namespace maphost
