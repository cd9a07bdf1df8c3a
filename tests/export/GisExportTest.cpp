// The GIS file export, read back through GDAL as a user's GIS would read the files:
// every format's layout, the values and their types, the derived positions, the shape
// export, Stop, failures, and the save dialog's choice of format.
#include "export/GisExport.h"
#include "FileSizeLimit.h"
#include "GisReadBack.h"
#include "export/GisCommands.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>

using exporting::GisFormat;
using namespace exporttest;

namespace {

const QVector<maphost::FieldDef> CityFields = {{"City", QMetaType::QString},
                                               {"People", QMetaType::LongLong},
                                               {"Area", QMetaType::Double},
                                               {"Founded", QMetaType::QDate}};

class GisExport : public GisTest {
protected:
    void SetUp() override {
        GisTest::SetUp();
        setFieldMap({
            {"Cities",
             CityFields,
             {{"Zürich", 47.37, 8.54, {"Zürich", qlonglong(421878), 87.88, QDate(1218, 1, 1)}},
              {"Ålesund", 62.47, 6.15, {"Ålesund", qlonglong(67114), {}, {}}}}},
            {"Empty", CityFields, {}},
            {"Cities", {}, {{"Quito", -0.18, -78.47, {}}}},
        });
        open();
        choose("All");
    }
};

class EveryFormat : public GisExport, public ::testing::WithParamInterface<const char*> {};

} // namespace

TEST_P(EveryFormat, ReadsBackWithNamesValuesTypesAndDerivedPositions) {
    const GisFormat& f = gisFormat(GetParam());
    exporting::exportByDataset2Gis(form(), path(QStringLiteral("out.") + f.extension), f);
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join('\n').toStdString();

    QStringList files;
    if (f.layout == GisFormat::Layout::FilePerDataSet)
        files = QStringList{path("out_Cities.shp"), path("out_Cities_2.shp")};
    else
        files = QStringList{path(QStringLiteral("out.") + f.extension)};
    const std::vector<ReadPoint> points = readBack(files);
    ASSERT_EQ(points.size(), 3u) << "the empty dataset adds nothing";

    // Layers per dataset, duplicate names kept apart; or one layer with a dataset column.
    QStringList layersOrSets;
    for (const ReadPoint& p : points)
        layersOrSets << (f.layout != GisFormat::Layout::OneLayer ? p.layer
                         : p.text.count("dataset")               ? p.text.at("dataset")
                                                   : QString::fromStdString(fieldsOf(p)));
    if (f.layout == GisFormat::Layout::OneLayer)
        EXPECT_EQ(layersOrSets, (QStringList{"Cities", "Cities", "Cities"}));
    else if (f.layout == GisFormat::Layout::FilePerDataSet)
        EXPECT_EQ(layersOrSets, (QStringList{"out_Cities", "out_Cities", "out_Cities_2"}));
    else
        EXPECT_EQ(layersOrSets, (QStringList{"Cities", "Cities", "Cities_2"}));

    const std::pair<double, double> places[] = {{47.37, 8.54}, {62.47, 6.15}, {-0.18, -78.47}};
    const QString names[] = {"Zürich", "Ålesund", "Quito"};
    const QString nameColumn = f.nameColumn.toLower();
    for (size_t i = 0; i < 3; ++i) {
        const auto [lat, lon] = derived(places[i].first, places[i].second);
        EXPECT_NEAR(points[i].latitude, lat, 1e-9) << i;
        EXPECT_NEAR(points[i].longitude, lon, 1e-9) << i;
        EXPECT_EQ(points[i].text.at(nameColumn), names[i]);
    }
    const ReadPoint& zurich = points[0];
    ASSERT_TRUE(zurich.text.count("city") && zurich.text.count("people")) << fieldsOf(zurich);
    EXPECT_EQ(zurich.text.at("city"), "Zürich");
    EXPECT_EQ(zurich.text.at("people"), "421878");
    EXPECT_DOUBLE_EQ(zurich.text.at("area").toDouble(), 87.88);
    EXPECT_TRUE(zurich.text.at("founded").startsWith("1218"))
        << zurich.text.at("founded").toStdString();
    EXPECT_EQ(points[1].text.count("area"), 0u) << "no value stays no value";
    // Formats that keep types keep them: numbers as numbers, dates as dates.
    if (QStringList{"gpkg", "geojson", "csv", "shp"}.contains(f.extension)) {
        EXPECT_EQ(zurich.types.at("city"), OFTString);
        EXPECT_TRUE(zurich.types.at("people") == OFTInteger64 ||
                    zurich.types.at("people") == OFTInteger);
        EXPECT_EQ(zurich.types.at("area"), OFTReal);
        EXPECT_EQ(zurich.types.at("founded"), OFTDate);
    }
    EXPECT_EQ(folder().filter(".locastra").size(), 0) << "no staging folder is left";
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat,
                         ::testing::Values("gpkg", "geojson", "kml", "gpx", "shp", "csv"));

TEST_F(GisExport, ShapeExportTakesThePinsInsideFromEveryDataSet) {
    choose("Empty");
    selectShape(40, 0, 50, 10); // holds Zürich only
    exporting::exportFromShape2Gis(form(), path("shape.gpkg"), gisFormat("gpkg"));
    const std::vector<ReadPoint> points = readBack({path("shape.gpkg")});
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].layer, "Cities");
    EXPECT_EQ(points[0].text.at("name"), "Zürich");
    // The layer has its spatial index, as GIS tools expect of a GeoPackage.
    {
        GDALDatasetUniquePtr ds(
            GDALDataset::Open(path("shape.gpkg").toUtf8().constData(), GDAL_OF_VECTOR));
        ASSERT_TRUE(ds);
        OGRLayer* result =
            ds->ExecuteSQL("SELECT HasSpatialIndex('Cities', 'geom')", nullptr, nullptr);
        ASSERT_TRUE(result);
        OGRFeatureUniquePtr answer(result->GetNextFeature());
        EXPECT_TRUE(answer && answer->GetFieldAsInteger(0) == 1);
        ds->ReleaseResultSet(result);
    }

    // Nothing selected: the export ends silently and writes nothing.
    map_->clearSelection();
    exporting::exportFromShape2Gis(form(), path("none.gpkg"), gisFormat("gpkg"));
    EXPECT_FALSE(QFileInfo::exists(path("none.gpkg")));
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(GisExport, ShapeExportTakesAreaShapesOnly) {
    using maphost::ShapeKind;
    const std::pair<ShapeKind, size_t> kinds[] = {{ShapeKind::Rectangle, 1},
                                                  {ShapeKind::Freeform, 1},
                                                  {ShapeKind::DriveTimeZone, 1},
                                                  {ShapeKind::Line, 0},
                                                  {ShapeKind::TextBox, 0}};
    for (const auto& [kind, pins] : kinds) {
        selectShape(40, 0, 50, 10, kind); // around Zürich
        // CSV: a reader opens it with no points too (GDAL opens no empty GeoPackage
        // read-only).
        const QString file = path(QStringLiteral("kind%1.csv").arg(int(kind)));
        exporting::exportFromShape2Gis(form(), file, gisFormat("csv"));
        EXPECT_EQ(readBack({file}).size(), pins) << int(kind);
    }
}

TEST_F(GisExport, StopMidExportLeavesNoFileAndRestoresTheWindow) {
    toolwindow::MessagePump::setStandardInterval(0);
    atProgress(1, [this] { getAll(); }); // Get All reads "Stop" while the export runs
    exporting::exportByDataset2Gis(form(), path("stopped.gpkg"), gisFormat("gpkg"));
    EXPECT_TRUE(form().StopFlag);
    EXPECT_TRUE(folder().isEmpty()) << folder().join(' ').toStdString();
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_EQ(form().ButtonShowAll->Caption(), "Get All");
    EXPECT_FALSE(form().ProgressBar1->isVisible());
}

TEST_F(GisExport, UnwritableTargetsGiveTheErrorAndLeaveNoFile) {
    const QString blocker = path("file");
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString inFile = blocker + "/out.gpkg"; // its folder is a file
    exporting::exportByDataset2Gis(form(), inFile, gisFormat("gpkg"));
    {
        const exporttest::FileSizeLimit fullDisk(2000); // GDAL's writes fail
        exporting::exportByDataset2Gis(form(), path("full.gpkg"), gisFormat("gpkg"));
    }
    const QStringList texts = messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains(inFile)) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].contains(path("full.gpkg"))) << texts[1].toStdString();
    EXPECT_EQ(folder(), QStringList{"file"});
}

TEST_F(GisExport, TheDialogsFilterOrTypedExtensionChoosesTheFormat) {
    // GeoJSON's filter with a bare name; then a typed ".kml" under GeoPackage's filter.
    desktop_->queueFileDialogResult(path("bare"), 2);
    exporting::mnuGisSelectedDatasets_Click(form());
    desktop_->queueFileDialogResult(path("typed.kml"), 1);
    exporting::mnuGisSelectedDatasets_Click(form());
    desktop_->queueFileDialogResult(std::nullopt); // cancelled: nothing
    exporting::mnuGisSelectedDatasets_Click(form());
    EXPECT_EQ(folder(), (QStringList{"bare.geojson", "typed.kml"}));
    EXPECT_EQ(readBack({path("bare.geojson")}).size(), 3u);
    EXPECT_EQ(readBack({path("typed.kml")}).size(), 3u);

    const auto dialogs = desktop_->callsOf(desktop::RecordedCall::Kind::FileDialog);
    ASSERT_EQ(dialogs.size(), 3);
    EXPECT_TRUE(dialogs[0].fileDialog.save);
    EXPECT_EQ(dialogs[0].fileDialog.filter,
              "GeoPackage (*.gpkg);;GeoJSON (*.geojson);;KML (*.kml);;GPX (*.gpx);;"
              "ESRI Shapefile (*.shp);;CSV (*.csv)");
    EXPECT_EQ(dialogs[2].fileDialog.defaultName, path("typed.kml")) << "the last choice is offered";
}

TEST_F(GisExport, OgrinfoSummarisesEveryWrittenFile) {
    QStringList files;
    for (const GisFormat& f : exporting::GisFormats()) {
        const QString sub = path(f.extension);
        QDir().mkdir(sub);
        exporting::exportByDataset2Gis(form(), sub + "/out." + f.extension, f);
        files << (f.layout == GisFormat::Layout::FilePerDataSet ? sub + "/out_Cities.shp"
                                                                : sub + "/out." + f.extension);
    }
    for (const QString& file : files) {
        QProcess ogrinfo;
        QStringList arguments = {"-so", "-al", file};
        if (file.endsWith(".csv"))
            arguments << "-oo"
                      << "X_POSSIBLE_NAMES=Longitude"
                      << "-oo"
                      << "Y_POSSIBLE_NAMES=Latitude";
        ogrinfo.start("ogrinfo", arguments);
        ASSERT_TRUE(ogrinfo.waitForFinished(30000));
        const QString out = QString::fromUtf8(ogrinfo.readAllStandardOutput());
        EXPECT_EQ(ogrinfo.exitCode(), 0) << file.toStdString();
        EXPECT_TRUE(out.contains(QRegularExpression("Feature Count: [123]\n")))
            << file.toStdString() << out.toStdString();
        EXPECT_TRUE(out.contains("Extent: (")) << out.toStdString();
    }
}
