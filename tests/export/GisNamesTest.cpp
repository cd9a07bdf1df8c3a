// The names the GIS file export writes, read back through GDAL: layer and file names
// made from any dataset name, and the columns of every format.
#include "GisReadBack.h"
#include "export/GisExport.h"

#include <QDateTime>
#include <QRegularExpression>

using exporting::GisFormat;
using namespace exporttest;

namespace {

class GisNames : public GisTest {
protected:
    void SetUp() override {
        GisTest::SetUp();
        open();
        choose("All");
    }
};

struct LayerNames {
    const char* extension;
    QStringList expected; // layers, or for Shapefile the files in the folder
};

class DataSetNames : public GisNames, public ::testing::WithParamInterface<LayerNames> {};

} // namespace

// Every name becomes a layer (or a file) instead of failing the export: what the
// format refuses is made safe, and names taken twice (letter case ignored) get numbers.
TEST_P(DataSetNames, BecomeSafeUniqueLayersOrFiles) {
    std::vector<Set> sets;
    for (const char* name : {"../evil", "gpkg_x", "", "Cities", "cities", "sqlite_master"})
        sets.push_back({QString::fromUtf8(name), {}, {{"pin", 10, 20, {}}}});
    setFieldMap(sets);
    const GisFormat& f = gisFormat(GetParam().extension);
    const QString file = path(QStringLiteral("all-out.") + f.extension);
    exporting::exportByDataset2Gis(form(), file, f);
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join('\n').toStdString();
    if (f.layout == GisFormat::Layout::FilePerDataSet) {
        EXPECT_EQ(folder().filter(".shp"), GetParam().expected);
        QStringList files;
        for (const QString& name : GetParam().expected)
            files << path(name);
        EXPECT_EQ(readBack(files).size(), 6u);
    } else {
        EXPECT_EQ(layersOf(file), GetParam().expected);
        EXPECT_EQ(readBack({file}).size(), 6u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DataSetNames,
    ::testing::Values(
        LayerNames{"gpkg",
                   {"evil", "layer_gpkg_x", "layer", "Cities", "cities_2", "layer_sqlite_master"}},
        // GDAL's KML reader shows a folder's "/" as "_".
        LayerNames{"kml", {".._evil", "gpkg_x", "layer", "Cities", "cities_2", "sqlite_master"}},
        // Sorted as the folder lists them.
        LayerNames{"shp",
                   {"all-out_Cities.shp", "all-out__evil.shp", "all-out_cities_2.shp",
                    "all-out_dataset.shp", "all-out_gpkg_x.shp", "all-out_sqlite_master.shp"}}),
    [](const auto& info) { return std::string(info.param.extension); });

namespace {

struct Columns {
    const char* extension;
    // The last fields a reader finds, in order: all of them where the format has no
    // fields of its own (KML's and GPX's come first).
    QStringList fields;
};

class FormatColumns : public GisNames, public ::testing::WithParamInterface<Columns> {};

} // namespace

// One name column where the dataset has a Name field; fields named like the export's
// other columns written apart; CSV's coordinates under their names; Shapefile's names
// cut to 10 bytes without clashes and its date-times with their time of day.
TEST_P(FormatColumns, NameEachValueOnceAndClearly) {
    setFieldMap(
        {{"Places",
          {{"Name", QMetaType::QString},
           {"Note", QMetaType::QString},
           {"dataset", QMetaType::QString},
           {"Latitude", QMetaType::Double},
           {"Population2020", QMetaType::LongLong},
           {"Population2021", QMetaType::LongLong},
           {"Bevölkerungszahl", QMetaType::LongLong},
           {"Seen", QMetaType::QDateTime}},
          {{"Bern",
            46.95,
            7.45,
            {"Bern", "old town", "Swiss", 46.9, qlonglong(2020), qlonglong(2021), qlonglong(134000),
             QDateTime(QDate(2024, 5, 1), QTime(14, 30, 15), Qt::UTC)}}}}});
    const GisFormat& f = gisFormat(GetParam().extension);
    const QString file = path(QStringLiteral("places.") + f.extension);
    exporting::exportByDataset2Gis(form(), file, f);
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join('\n').toStdString();
    const std::vector<ReadPoint> points = readBack({file});
    ASSERT_EQ(points.size(), 1u);
    const ReadPoint& bern = points[0];
    const QStringList& expected = GetParam().fields;
    EXPECT_EQ(bern.fields.mid(bern.fields.size() - expected.size()), expected)
        << bern.fields.join(", ").toStdString();
    if (!QStringList{"kml", "gpx"}.contains(f.extension)) {
        EXPECT_EQ(bern.fields.size(), expected.size());
    }
    EXPECT_EQ(
        bern.fields
            .filter(QRegularExpression("^name(_2)?$", QRegularExpression::CaseInsensitiveOption))
            .size(),
        1)
        << "one name column: " << bern.fields.join(", ").toStdString();
    EXPECT_EQ(bern.text.at("name"), "Bern");
    const bool noteApart = f.noteColumn.compare("note", Qt::CaseInsensitive) == 0;
    EXPECT_EQ(bern.text.at(noteApart ? "note_field" : "note"), "old town");

    const auto [lat, lon] = derived(46.95, 7.45);
    EXPECT_NEAR(bern.latitude, lat, 1e-9);
    EXPECT_NEAR(bern.longitude, lon, 1e-9);
    if (f.extension == "csv") {
        EXPECT_NEAR(bern.text.at("latitude").toDouble(), lat, 1e-9);
        EXPECT_EQ(bern.text.at("latitude_field").toDouble(), 46.9);
    }
    if (f.extension == "shp") {
        EXPECT_EQ(bern.text.at("population"), "2020");
        EXPECT_EQ(bern.text.at("populati_2"), "2021");
        EXPECT_EQ(bern.text.at(QString::fromUtf8("bevölkeru")), "134000");
        EXPECT_EQ(bern.types.at("seen"), OFTString);
        EXPECT_EQ(bern.text.at("seen"), "2024-05-01T14:30:15Z");
    } else {
        EXPECT_EQ(bern.text.at("population2021"), "2021");
        EXPECT_TRUE(bern.text.at("seen").startsWith("2024/05/01 14:30:15") ||
                    bern.text.at("seen").startsWith("2024-05-01T14:30:15"))
            << bern.text.at("seen").toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatColumns,
    ::testing::Values(Columns{"gpkg",
                              {"name", "note", "Note_field", "dataset", "Latitude",
                               "Population2020", "Population2021", "Bevölkerungszahl", "Seen"}},
                      Columns{"geojson",
                              {"name", "note", "dataset", "Note_field", "dataset_field", "Latitude",
                               "Population2020", "Population2021", "Bevölkerungszahl", "Seen"}},
                      Columns{"csv",
                              {"name", "note", "dataset", "Note_field", "dataset_field",
                               "Latitude_field", "Population2020", "Population2021",
                               "Bevölkerungszahl", "Seen", "Latitude", "Longitude"}},
                      Columns{"kml",
                              {"Note", "dataset", "Latitude", "Population2020", "Population2021",
                               "Bevölkerungszahl", "Seen"}},
                      // GDAL's GPX reader puts "ogr_" before its extension elements.
                      Columns{"gpx",
                              {"ogr_dataset", "ogr_Note", "ogr_dataset_field", "ogr_Latitude",
                               "ogr_Population2020", "ogr_Population2021", "ogr_Bevölkerungszahl",
                               "ogr_Seen"}},
                      Columns{"shp",
                              {"name", "note", "Note_field", "dataset", "Latitude", "Population",
                               "Populati_2", "Bevölkeru", "Seen"}}),
    [](const auto& info) { return std::string(info.param.extension); });
