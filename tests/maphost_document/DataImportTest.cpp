// Importing datasets from data files: coordinates, names, field names, order and types,
// and a clear error for every file that cannot be read.
#include "maphost/document/DataImport.h"
#include "DocumentTestSupport.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

using namespace maphost;

namespace {

QStringList fieldNames(const DataSetData& set) {
    QStringList names;
    for (const FieldDef& f : set.fields)
        names << f.name;
    return names;
}

int fieldIndex(const DataSetData& set, const QString& name) {
    for (int i = 0; i < set.fields.size(); ++i)
        if (set.fields[i].name == name)
            return i;
    return -1;
}

class DataImportTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& text) {
        return doctest::writeIn(dir.path(), name, text);
    }
    // The error must name the file and contain reason.
    void expectError(const QString& path, const QString& reason, const QString& layer = {}) {
        const QString error = doctest::errorOf([&] { DataImport::importDataSet(path, layer); });
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_TRUE(error.contains(reason, Qt::CaseInsensitive))
            << "expected \"" << reason.toStdString() << "\" in: " << error.toStdString();
    }
    GDALDataset* create(const char* driver, const QString& path) {
        GDALDriver* d = GetGDALDriverManager()->GetDriverByName(driver);
        return d ? d->Create(path.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr) : nullptr;
    }
    QTemporaryDir dir;
};

struct CsvHeader {
    const char* latitude;
    const char* longitude;
};

TEST_F(DataImportTest, CsvFindsCoordinateColumnsByAnyOfTheirNames) {
    const CsvHeader headers[] = {{"Latitude", "Longitude"},
                                 {"lat", "lon"},
                                 {"LAT", "LONG"},
                                 {"Lat", "Lng"},
                                 {"y", "x"},
                                 {"Y", "X"}};
    for (const CsvHeader& h : headers) {
        SCOPED_TRACE(std::string(h.latitude) + "/" + h.longitude);
        // Longitude first and latitude last: the order of the columns does not matter.
        const QString path =
            write(QStringLiteral("stops.csv"),
                  QByteArray(h.longitude) + ",City," + h.latitude + "\n" +
                      "8.5417,Zürich,47.3769\n-122.4194,\"San Francisco, CA\",37.7749\n");
        const DataSetData set = DataImport::importDataSet(path);
        EXPECT_EQ(set.name, QStringLiteral("stops"));
        ASSERT_EQ(set.pushpins.size(), 2u);
        EXPECT_DOUBLE_EQ(set.pushpins[0].latitude, 47.3769);
        EXPECT_DOUBLE_EQ(set.pushpins[0].longitude, 8.5417);
        EXPECT_DOUBLE_EQ(set.pushpins[1].latitude, 37.7749);
        EXPECT_DOUBLE_EQ(set.pushpins[1].longitude, -122.4194);
        // The coordinates are the location, not fields; the first text column names pins.
        EXPECT_EQ(fieldNames(set), QStringList{QStringLiteral("City")});
        EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Zürich"));
        EXPECT_EQ(set.pushpins[1].name, QStringLiteral("San Francisco, CA"));
    }
}

TEST_F(DataImportTest, CsvKeepsFieldOrderAndTypes) {
    const QString path = write(QStringLiteral("typed.csv"),
                               "code,Title,count,share,day,stamp,lat,lon,remark\n"
                               "A1,First,12,0.5,2024-01-31,2024-01-31 10:20:30,10,20,hello\n"
                               "B2,Second,-7,1.25,2023-12-24,2023-12-24 00:00:00,-10,-20,\n");
    const DataSetData set = DataImport::importDataSet(path);
    EXPECT_EQ(fieldNames(set),
              (QStringList{"code", "Title", "count", "share", "day", "stamp", "remark"}));
    const QMetaType::Type types[] = {QMetaType::QString, QMetaType::QString, QMetaType::LongLong,
                                     QMetaType::Double,  QMetaType::QDate,   QMetaType::QDateTime,
                                     QMetaType::QString};
    for (int i = 0; i < set.fields.size(); ++i)
        EXPECT_EQ(set.fields[i].type, types[i]) << set.fields[i].name.toStdString();
    ASSERT_EQ(set.pushpins.size(), 2u);
    const PushpinData& first = set.pushpins[0];
    EXPECT_EQ(first.name, QStringLiteral("First")); // "title" beats the first text column
    EXPECT_EQ(first.values[2], QVariant(qlonglong(12)));
    EXPECT_EQ(first.values[3], QVariant(0.5));
    EXPECT_EQ(first.values[4], QVariant(QDate(2024, 1, 31)));
    EXPECT_EQ(first.values[5].toDateTime().date(), QDate(2024, 1, 31));
    EXPECT_EQ(first.values[5].toDateTime().time(), QTime(10, 20, 30));
    EXPECT_EQ(first.values[6], QVariant(QStringLiteral("hello")));
    EXPECT_FALSE(set.pushpins[1].values[6].isValid()); // empty cell: no value
    EXPECT_EQ(set.pushpins[1].values[2], QVariant(qlonglong(-7)));
}

TEST_F(DataImportTest, CsvColumnWithLateTextStaysTextAndLosesNothing) {
    QByteArray csv = "lat,lon,name,zip\n";
    for (int i = 0; i < 6000; ++i) // well past the first 100 kB GDAL looks at by default
        csv += "1.5,2.5,pin " + QByteArray::number(i) + "," + QByteArray::number(10000 + i) + "\n";
    csv += "1.5,2.5,last,CH-8001\n";
    const DataSetData set = DataImport::importDataSet(write(QStringLiteral("late.csv"), csv));
    ASSERT_EQ(set.pushpins.size(), 6001u);
    EXPECT_EQ(set.fields[fieldIndex(set, QStringLiteral("zip"))].type, QMetaType::QString);
    EXPECT_EQ(set.pushpins.back().values[1], QVariant(QStringLiteral("CH-8001")));
    EXPECT_EQ(set.pushpins.back().name, QStringLiteral("last"));
}

TEST_F(DataImportTest, CsvInWindowsEncodingKeepsItsLetters) {
    const DataSetData set =
        DataImport::importDataSet(write(QStringLiteral("ansi.csv"), "Stra\xdf"
                                                                    "e,lat,lon\nZ\xfcrich,1,2\n"));
    EXPECT_EQ(fieldNames(set), QStringList{QStringLiteral("Straße")});
    ASSERT_EQ(set.pushpins.size(), 1u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Zürich"));
    EXPECT_EQ(set.pushpins[0].values[0], QVariant(QStringLiteral("Zürich")));
}

TEST_F(DataImportTest, CsvThatCannotBeImported) {
    expectError(write(QStringLiteral("nocoords.csv"), "name,city\na,b\n"), "coordinate");
    expectError(write(QStringLiteral("badrow.csv"), "name,lat,lon\na,1,2\nb,north,2\n"),
                "record 2");
    expectError(write(QStringLiteral("range.csv"), "name,lat,lon\na,1,2\nb,500000,2\n"),
                "out of range");
    expectError(dir.filePath(QStringLiteral("missing.csv")), "does not exist");
}

TEST_F(DataImportTest, GeoJsonPointsAndAreas) {
    const QString path = write(QStringLiteral("places.geojson"), R"({
      "type": "FeatureCollection",
      "features": [
        {"type": "Feature", "geometry": {"type": "Point", "coordinates": [2.3522, 48.8566]},
         "properties": {"name": "Paris", "population": 2148000, "area": 105.4, "capital": true,
                        "note": null}},
        {"type": "Feature",
         "geometry": {"type": "Polygon",
                      "coordinates": [[[0, 0], [10, 0], [10, 1], [1, 1], [1, 10], [0, 10], [0, 0]]]},
         "properties": {"name": "L-shaped", "population": 0, "area": 19.0, "capital": false,
                        "note": "an area"}}
      ]})");
    const DataSetData set = DataImport::importDataSet(path);
    EXPECT_EQ(set.name, QStringLiteral("places"));
    EXPECT_EQ(fieldNames(set), (QStringList{"name", "population", "area", "capital", "note"}));
    EXPECT_EQ(set.fields[1].type, QMetaType::LongLong);
    EXPECT_EQ(set.fields[2].type, QMetaType::Double);
    EXPECT_EQ(set.fields[3].type, QMetaType::Bool);
    ASSERT_EQ(set.pushpins.size(), 2u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Paris"));
    EXPECT_DOUBLE_EQ(set.pushpins[0].longitude, 2.3522);
    EXPECT_DOUBLE_EQ(set.pushpins[0].latitude, 48.8566);
    EXPECT_EQ(set.pushpins[0].values[3], QVariant(true));
    EXPECT_FALSE(set.pushpins[0].values[4].isValid());
    EXPECT_EQ(set.pushpins[1].note, QStringLiteral("an area"));
    // The pushpin of an area lies inside it (the L's centroid would not).
    const PushpinData& l = set.pushpins[1];
    const bool inside = (l.longitude > 0 && l.longitude < 10 && l.latitude > 0 && l.latitude < 1) ||
                        (l.longitude > 0 && l.longitude < 1 && l.latitude > 0 && l.latitude < 10);
    EXPECT_TRUE(inside) << l.longitude << " " << l.latitude;

    expectError(write(QStringLiteral("broken.geojson"),
                      R"({"type": "FeatureCollection", "features": [ {"type": "Fea)"),
                "broken.geojson");
    expectError(write(QStringLiteral("nogeometry.geojson"),
                      R"({"type": "FeatureCollection", "features": [
                         {"type": "Feature", "geometry": null, "properties": {"a": 1}}]})"),
                "coordinates");
}

TEST_F(DataImportTest, GpxWaypoints) {
    const QString path = write(QStringLiteral("walk.gpx"), R"(<?xml version="1.0"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
  <wpt lat="46.5" lon="7.25"><ele>1200.5</ele><time>2024-05-01T08:00:00Z</time>
    <name>Hut</name><desc>Closed in winter</desc></wpt>
  <wpt lat="46.6" lon="7.3"><name>Summit</name></wpt>
  <trk><name>track</name><trkseg><trkpt lat="1" lon="1"/><trkpt lat="2" lon="2"/></trkseg></trk>
</gpx>)");
    const DataSetData set = DataImport::importDataSet(path);
    EXPECT_EQ(set.name, QStringLiteral("walk"));
    ASSERT_EQ(set.pushpins.size(), 2u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Hut"));
    EXPECT_EQ(set.pushpins[0].note, QStringLiteral("Closed in winter"));
    EXPECT_DOUBLE_EQ(set.pushpins[0].latitude, 46.5);
    EXPECT_DOUBLE_EQ(set.pushpins[0].longitude, 7.25);
    EXPECT_EQ(set.pushpins[1].name, QStringLiteral("Summit"));
    const int ele = fieldIndex(set, QStringLiteral("ele"));
    const int time = fieldIndex(set, QStringLiteral("time"));
    const int name = fieldIndex(set, QStringLiteral("name"));
    ASSERT_GE(ele, 0);
    EXPECT_LT(ele, time); // GDAL's field order is kept
    EXPECT_LT(time, name);
    EXPECT_EQ(set.fields[ele].type, QMetaType::Double);
    EXPECT_EQ(set.fields[time].type, QMetaType::QDateTime);
    EXPECT_EQ(set.pushpins[0].values[ele], QVariant(1200.5));
    EXPECT_EQ(set.pushpins[0].values[time].toDateTime(),
              QDateTime(QDate(2024, 5, 1), QTime(8, 0), QTimeZone::utc()));
    EXPECT_FALSE(set.pushpins[1].values[ele].isValid());

    expectError(write(QStringLiteral("broken.gpx"),
                      "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><wpt lat=\"1\" lon="),
                "broken.gpx");
}

TEST_F(DataImportTest, KmlPlacemarks) {
    const QString path =
        write(QStringLiteral("sights.kml"), R"(<?xml version="1.0" encoding="UTF-8"?>
<kml xmlns="http://www.opengis.net/kml/2.2"><Document><Folder><name>Sights</name>
  <Placemark><name>Tower</name><description>Tall</description>
    <Point><coordinates>2.2945,48.8584,0</coordinates></Point></Placemark>
  <Placemark><name>Bridge</name><Point><coordinates>-0.0754,51.5055</coordinates></Point></Placemark>
</Folder></Document></kml>)");
    const DataSetData set = DataImport::importDataSet(path);
    ASSERT_EQ(set.pushpins.size(), 2u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Tower"));
    EXPECT_EQ(set.pushpins[0].note, QStringLiteral("Tall"));
    EXPECT_DOUBLE_EQ(set.pushpins[0].longitude, 2.2945);
    EXPECT_DOUBLE_EQ(set.pushpins[0].latitude, 48.8584);
    EXPECT_EQ(set.pushpins[1].name, QStringLiteral("Bridge"));
    EXPECT_EQ(fieldNames(set).first(), QStringLiteral("Name")); // as GDAL names it

    expectError(write(QStringLiteral("broken.kml"),
                      "<?xml version=\"1.0\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">"
                      "<Document><Placemark><name>x</name><Point><coordinates>1,2"),
                "broken.kml");
}

TEST_F(DataImportTest, ShapefileInAProjectedSystemComesBackInDegrees) {
    const QString path = dir.filePath(QStringLiteral("towns.shp"));
    {
        GDALDataset* ds = create("ESRI Shapefile", path);
        ASSERT_NE(ds, nullptr);
        OGRSpatialReference mercator;
        mercator.importFromEPSG(3857);
        OGRLayer* layer = ds->CreateLayer("towns", &mercator, wkbPoint, nullptr);
        OGRFieldDefn town("TOWN", OFTString), people("PEOPLE", OFTInteger),
            height("HEIGHT", OFTReal), founded("FOUNDED", OFTDate);
        for (OGRFieldDefn* f : {&town, &people, &height, &founded})
            layer->CreateField(f);
        OGRFeature* f = OGRFeature::CreateFeature(layer->GetLayerDefn());
        f->SetField(0, "Bern");
        f->SetField(1, 134000);
        f->SetField(2, 540.5);
        f->SetField(3, 1191, 1, 1);
        OGRPoint point(828061.164, 5933590.475); // 7.4386 E, 46.9480 N
        f->SetGeometry(&point);
        ASSERT_EQ(layer->CreateFeature(f), OGRERR_NONE);
        OGRFeature::DestroyFeature(f);
        GDALClose(ds);
    }
    const DataSetData set = DataImport::importDataSet(path);
    EXPECT_EQ(set.name, QStringLiteral("towns"));
    EXPECT_EQ(fieldNames(set), (QStringList{"TOWN", "PEOPLE", "HEIGHT", "FOUNDED"}));
    EXPECT_EQ(set.fields[0].type, QMetaType::QString);
    EXPECT_EQ(set.fields[1].type, QMetaType::LongLong);
    EXPECT_EQ(set.fields[2].type, QMetaType::Double);
    EXPECT_EQ(set.fields[3].type, QMetaType::QDate);
    ASSERT_EQ(set.pushpins.size(), 1u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("Bern"));
    EXPECT_NEAR(set.pushpins[0].longitude, 7.4386, 1e-6);
    EXPECT_NEAR(set.pushpins[0].latitude, 46.9480, 1e-6);
    EXPECT_EQ(set.pushpins[0].values[3], QVariant(QDate(1191, 1, 1)));

    // A .shp that is not a shapefile.
    expectError(write(QStringLiteral("fake.shp"), "garbage garbage garbage"), "fake.shp");
}

TEST_F(DataImportTest, GeoPackageFirstPointLayerOrNamedLayer) {
    const QString path = dir.filePath(QStringLiteral("mixed.gpkg"));
    {
        GDALDataset* ds = create("GPKG", path);
        ASSERT_NE(ds, nullptr);
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        ds->CreateLayer("attributes_only", nullptr, wkbNone, nullptr);
        OGRLayer* areas = ds->CreateLayer("areas", &wgs84, wkbPolygon, nullptr);
        OGRFieldDefn label("label", OFTString);
        areas->CreateField(&label);
        OGRLayer* stops = ds->CreateLayer("stops", &wgs84, wkbPoint, nullptr);
        OGRFieldDefn stop("stop", OFTString), big("big", OFTInteger64), open("open", OFTInteger);
        open.SetSubType(OFSTBoolean);
        for (OGRFieldDefn* f : {&stop, &big, &open})
            stops->CreateField(f);

        OGRFeature* a = OGRFeature::CreateFeature(areas->GetLayerDefn());
        a->SetField(0, "square");
        OGRGeometry* square = nullptr;
        OGRGeometryFactory::createFromWkt("POLYGON ((10 10, 12 10, 12 12, 10 12, 10 10))", nullptr,
                                          &square);
        a->SetGeometryDirectly(square);
        ASSERT_EQ(areas->CreateFeature(a), OGRERR_NONE);
        OGRFeature::DestroyFeature(a);
        for (int i = 0; i < 3; ++i) {
            OGRFeature* s = OGRFeature::CreateFeature(stops->GetLayerDefn());
            s->SetField(0, ("stop " + std::to_string(i)).c_str());
            s->SetField(1, GIntBig(1) << 40);
            s->SetField(2, i % 2);
            OGRPoint point(i, -i);
            s->SetGeometry(&point);
            ASSERT_EQ(stops->CreateFeature(s), OGRERR_NONE);
            OGRFeature::DestroyFeature(s);
        }
        GDALClose(ds);
    }
    const DataSetData stops = DataImport::importDataSet(path);
    EXPECT_EQ(stops.name, QStringLiteral("mixed")); // named after the file
    EXPECT_EQ(fieldNames(stops), (QStringList{"stop", "big", "open"}));
    EXPECT_EQ(stops.fields[1].type, QMetaType::LongLong);
    EXPECT_EQ(stops.fields[2].type, QMetaType::Bool);
    ASSERT_EQ(stops.pushpins.size(), 3u);
    EXPECT_EQ(stops.pushpins[2].name, QStringLiteral("stop 2"));
    EXPECT_EQ(stops.pushpins[2].latitude, -2);
    EXPECT_EQ(stops.pushpins[1].values[1], QVariant(qlonglong(1) << 40));
    EXPECT_EQ(stops.pushpins[1].values[2], QVariant(true));

    const DataSetData areas = DataImport::importDataSet(path, QStringLiteral("areas"));
    EXPECT_EQ(areas.name, QStringLiteral("areas")); // named after the layer
    ASSERT_EQ(areas.pushpins.size(), 1u);
    EXPECT_GT(areas.pushpins[0].longitude, 10);
    EXPECT_LT(areas.pushpins[0].longitude, 12);
    EXPECT_GT(areas.pushpins[0].latitude, 10);
    EXPECT_LT(areas.pushpins[0].latitude, 12);

    expectError(path, "no layer \"nowhere\"", QStringLiteral("nowhere"));
    expectError(path, "no coordinates", QStringLiteral("attributes_only"));
}

TEST_F(DataImportTest, FilesThatAreNotDataAtAll) {
    expectError(write(QStringLiteral("notes.txt"), "Dear diary,\n"), "notes.txt");
    expectError(dir.filePath(QStringLiteral("gone.geojson")), "does not exist");
    expectError(dir.path(), "folder");
}

} // namespace
