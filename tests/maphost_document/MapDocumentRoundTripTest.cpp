// A map saved as a document comes back equal, and GDAL's own tools can read it.
#include "DocumentTestSupport.h"
#include "maphost/document/MapDocument.h"

#include <QDateTime>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace maphost;

namespace {

QImage symbolImage(QColor colour, bool withHole) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, 13, 13);
    if (withHole)
        image.setPixel(7, 7, qRgba(10, 20, 30, 128)); // half transparent
    return image;
}

PushpinData pushpin(const QString& name, double lat, double lon, QVector<QVariant> values = {}) {
    PushpinData p;
    p.name = name;
    p.latitude = lat;
    p.longitude = lon;
    p.values = std::move(values);
    return p;
}

// A map with something of everything a document has to keep.
MapData richMap() {
    MapData map;

    DataSetData customers;
    customers.name = QStringLiteral("Customers");
    customers.symbol = 17;
    customers.fields = {
        {QStringLiteral("Name"), QMetaType::QString},
        {QStringLiteral("Visits"), QMetaType::LongLong},
        {QStringLiteral("Ratio"), QMetaType::Double},
        {QStringLiteral("Active"), QMetaType::Bool},
        {QStringLiteral("Since"), QMetaType::QDate},
        {QStringLiteral("Updated"), QMetaType::QDateTime},
    };
    PushpinData a = pushpin(
        QStringLiteral("Alpha"), 47.3769, 8.5417,
        {QStringLiteral("Alpha AG"), qlonglong(9007199254740993LL), 0.1, true, QDate(1999, 12, 31),
         QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 987), QTimeZone::utc())});
    a.note = QStringLiteral("First line\nsecond line, with \"quotes\" and 'apostrophes'");
    a.symbol = 255;
    a.highlight = true;
    a.balloonState = 2;
    // Empty values: invalid QVariants are nulls, an empty string stays an empty string.
    PushpinData b = pushpin(QStringLiteral("Beta"), -33.8688, 151.2093,
                            {QString(""), QVariant(), QVariant(), false, QVariant(),
                             QDateTime(QDate(1970, 1, 1), QTime(0, 0), QTimeZone(5 * 3600))});
    b.symbol = 300;
    b.balloonState = 1;
    PushpinData c = pushpin(QStringLiteral("Alpha"), -90, -180,
                            {QVariant(), qlonglong(-42), -1e-300, QVariant(), QDate(2100, 1, 1),
                             QVariant()});       // duplicate name, a corner of the world
    PushpinData d = pushpin(QString(), 90, 180); // no name, fewer values than fields
    customers.pushpins = {a, b, c, d};
    map.dataSets.push_back(customers);

    // Same name again, a name that differs only in case, names no table could carry.
    DataSetData duplicate;
    duplicate.name = QStringLiteral("Customers");
    duplicate.symbol = 3;
    duplicate.pushpins = {pushpin(QStringLiteral("Second"), 1, 2)};
    map.dataSets.push_back(duplicate);

    DataSetData oddFields;
    oddFields.name = QStringLiteral("customers");
    oddFields.fields = {
        {QStringLiteral("fid"), QMetaType::LongLong},
        {QStringLiteral("pushpin_name"), QMetaType::QString},
        {QStringLiteral("geom"), QMetaType::QString},
        {QStringLiteral("my field"), QMetaType::QString},
        {QStringLiteral("My Field"), QMetaType::Double},
        {QStringLiteral("Straße \"größe\""), QMetaType::QString},
        {QString(), QMetaType::QString},
        {QStringLiteral("dup"), QMetaType::QString},
        {QStringLiteral("dup"), QMetaType::QString},
        {QStringLiteral("locastra_view"), QMetaType::Bool},
    };
    oddFields.pushpins = {
        pushpin(QStringLiteral("Odd"), 10, 20,
                {qlonglong(7), QStringLiteral("not the pin's name"), QStringLiteral("POINT(1 2)"),
                 QStringLiteral("a"), 2.5, QStringLiteral("ü"), QStringLiteral("nameless"),
                 QStringLiteral("one"), QStringLiteral("two"), true})};
    map.dataSets.push_back(oddFields);

    for (const QString& name :
         {QStringLiteral("It's a \"quoted\" name; DROP TABLE x"), QStringLiteral("Zürich café"),
          QStringLiteral("東京 stops"), QString(), QStringLiteral("gpkg_contents"),
          QStringLiteral("locastra_datasets"), QStringLiteral("rtree_x"),
          QStringLiteral("  spaced  ")}) {
        DataSetData set;
        set.name = name;
        set.fields = {{QStringLiteral("Ort"), QMetaType::QString}};
        set.pushpins = {pushpin(name + QStringLiteral(" pin"), 5.5, -5.5, {name})};
        map.dataSets.push_back(set);
    }
    DataSetData empty;
    empty.name = QStringLiteral("Empty");
    empty.fields = {{QStringLiteral("x"), QMetaType::Double}};
    map.dataSets.push_back(empty);

    map.customSymbols = {{256, QStringLiteral("Hide"), symbolImage(Qt::transparent, false)},
                         {257, QStringLiteral("Red dot"), symbolImage(Qt::red, true)},
                         {260, QStringLiteral("No picture"), QImage()}};

    auto shape = [](ShapeKind kind, const QString& name, QVector<QPointF> points,
                    const QString& text = {}) {
        ShapeData s;
        s.kind = kind;
        s.name = name;
        s.points = std::move(points);
        s.text = text;
        return s;
    };
    map.shapes = {
        shape(ShapeKind::Rectangle, QStringLiteral("Across the date line"),
              {{179.5, -16.0}, {181.25, -16.0}, {181.25, -18.5}, {179.5, -18.5}}),
        shape(ShapeKind::Oval, QStringLiteral("Oval"),
              {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {0, 1}}), // explicitly closed ring
        shape(ShapeKind::RadiusCircle, QStringLiteral("Circle"),
              {{-179.75, 0.1}, {-180.25, 0.3}, {-179.9, 0.5}}),
        shape(ShapeKind::Freeform, QStringLiteral("Freeform"),
              {{10.123456789012345, 50.1}, {11, 51}, {12, 49}}),
        shape(ShapeKind::DriveTimeZone, QStringLiteral("Zone"), {{1, 1}, {2, 2}, {3, 1}}),
        shape(ShapeKind::Line, QStringLiteral("Line"), {{170, 0}, {190, 10}}),
        shape(ShapeKind::TextBox, QStringLiteral("Label"), {{3, 4}},
              QStringLiteral("Multi\nline text")),
        shape(ShapeKind::TextBox, QStringLiteral("Unplaced"), {}),
    };
    map.view = {12.345678901234567, -98.7654321, 1234.5, 1};
    return map;
}

bool samePixels(const QImage& a, const QImage& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

void expectEqual(const MapData& expected, const MapData& actual) {
    ASSERT_EQ(expected.dataSets.size(), actual.dataSets.size());
    for (size_t i = 0; i < expected.dataSets.size(); ++i) {
        const DataSetData& e = expected.dataSets[i];
        const DataSetData& a = actual.dataSets[i];
        SCOPED_TRACE("dataset " + std::to_string(i) + " " + e.name.toStdString());
        EXPECT_EQ(e.name, a.name);
        EXPECT_EQ(e.symbol, a.symbol);
        ASSERT_EQ(e.fields.size(), a.fields.size());
        for (int k = 0; k < e.fields.size(); ++k) {
            EXPECT_EQ(e.fields[k].name, a.fields[k].name);
            EXPECT_EQ(e.fields[k].type, a.fields[k].type) << e.fields[k].name.toStdString();
        }
        ASSERT_EQ(e.pushpins.size(), a.pushpins.size());
        for (size_t p = 0; p < e.pushpins.size(); ++p) {
            const PushpinData& ep = e.pushpins[p];
            const PushpinData& ap = a.pushpins[p];
            SCOPED_TRACE("pushpin " + std::to_string(p));
            EXPECT_EQ(ep.name, ap.name);
            EXPECT_EQ(ep.note, ap.note);
            EXPECT_EQ(ep.latitude, ap.latitude);
            EXPECT_EQ(ep.longitude, ap.longitude);
            EXPECT_EQ(ep.symbol, ap.symbol);
            EXPECT_EQ(ep.highlight, ap.highlight);
            EXPECT_EQ(ep.balloonState, ap.balloonState);
            // Every field has a value slot on reading, null where none was stored.
            ASSERT_EQ(ap.values.size(), e.fields.size());
            for (int k = 0; k < e.fields.size(); ++k) {
                const QVariant ev = k < ep.values.size() ? ep.values[k] : QVariant();
                const QVariant& av = ap.values[k];
                EXPECT_EQ(ev.isValid(), av.isValid()) << "field " << k;
                if (ev.isValid()) {
                    EXPECT_EQ(ev.typeId(), av.typeId()) << "field " << k;
                    EXPECT_EQ(ev, av) << "field " << k << ": " << ev.toString().toStdString()
                                      << " vs " << av.toString().toStdString();
                }
            }
        }
    }
    ASSERT_EQ(expected.customSymbols.size(), actual.customSymbols.size());
    for (size_t i = 0; i < expected.customSymbols.size(); ++i) {
        EXPECT_EQ(expected.customSymbols[i].id, actual.customSymbols[i].id);
        EXPECT_EQ(expected.customSymbols[i].name, actual.customSymbols[i].name);
        EXPECT_TRUE(samePixels(expected.customSymbols[i].image, actual.customSymbols[i].image))
            << "symbol " << i;
    }
    ASSERT_EQ(expected.shapes.size(), actual.shapes.size());
    for (size_t i = 0; i < expected.shapes.size(); ++i) {
        EXPECT_EQ(expected.shapes[i].kind, actual.shapes[i].kind) << "shape " << i;
        EXPECT_EQ(expected.shapes[i].name, actual.shapes[i].name);
        EXPECT_EQ(expected.shapes[i].text, actual.shapes[i].text);
        EXPECT_EQ(expected.shapes[i].points, actual.shapes[i].points) << "shape " << i;
    }
    EXPECT_EQ(expected.view.centerLatitude, actual.view.centerLatitude);
    EXPECT_EQ(expected.view.centerLongitude, actual.view.centerLongitude);
    EXPECT_EQ(expected.view.altitude, actual.view.altitude);
    EXPECT_EQ(expected.view.units, actual.view.units);
}

class MapDocumentRoundTrip : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(MapDocumentRoundTrip, EverythingSavedComesBackEqual) {
    const MapData map = richMap();
    MapDocument::save(map, path("rich.gpkg"));
    expectEqual(map, MapDocument::open(path("rich.gpkg")));
    // Nothing but the document is left in the folder.
    EXPECT_EQ(doctest::entriesOf(dir.path()), QStringList{QStringLiteral("rich.gpkg")});
}

TEST_F(MapDocumentRoundTrip, LocalTimesComeBackAsTheSameInstant) {
    MapData map;
    DataSetData set;
    set.name = QStringLiteral("Times");
    set.fields = {{QStringLiteral("When"), QMetaType::QDateTime}};
    const QDateTime local(QDate(2023, 7, 1), QTime(12, 30, 15, 250));
    set.pushpins = {pushpin(QStringLiteral("t"), 0, 0, {local})};
    map.dataSets.push_back(set);
    MapDocument::save(map, path("times.gpkg"));
    const QDateTime back =
        MapDocument::open(path("times.gpkg")).dataSets[0].pushpins[0].values[0].toDateTime();
    EXPECT_EQ(back.toMSecsSinceEpoch(), local.toMSecsSinceEpoch());
}

TEST_F(MapDocumentRoundTrip, EmptyMapAndResaveReplaceTheDocument) {
    MapDocument::save(richMap(), path("doc.gpkg"));
    const MapData empty;
    MapDocument::save(empty, path("doc.gpkg"));
    expectEqual(empty, MapDocument::open(path("doc.gpkg")));
    EXPECT_EQ(doctest::entriesOf(dir.path()), QStringList{QStringLiteral("doc.gpkg")});
}

TEST_F(MapDocumentRoundTrip, RecordOrderOfManyPushpinsIsKept) {
    MapData map;
    DataSetData set;
    set.name = QStringLiteral("Many");
    set.fields = {{QStringLiteral("n"), QMetaType::LongLong}};
    for (int i = 0; i < 5000; ++i) // names deliberately out of alphabetical order
        set.pushpins.push_back(
            pushpin(QString::number((i * 7919) % 5000), i % 90, i % 180, {qlonglong(i)}));
    map.dataSets.push_back(set);
    MapDocument::save(map, path("many.gpkg"));
    expectEqual(map, MapDocument::open(path("many.gpkg")));
}

TEST_F(MapDocumentRoundTrip, GdalToolsListTheDatasetsAsPointLayers) {
    const MapData map = richMap();
    MapDocument::save(map, path("tools.gpkg"));
    QString out;
    ASSERT_EQ(doctest::runTool(QStringLiteral("ogrinfo"),
                               {QStringLiteral("-ro"), QStringLiteral("-so"), path("tools.gpkg")},
                               &out),
              0)
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("GPKG"))) << out.toStdString();
    // One point layer per dataset, plain names kept as they are.
    const qsizetype pointLayers = out.count(QRegularExpression(
        QStringLiteral(R"(^\d+: .+ \(Point\)$)"), QRegularExpression::MultilineOption));
    EXPECT_EQ(pointLayers, qsizetype(map.dataSets.size())) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral(": Customers (Point)"))) << out.toStdString();

    ASSERT_EQ(doctest::runTool(QStringLiteral("ogrinfo"),
                               {QStringLiteral("-ro"), QStringLiteral("-al"), path("tools.gpkg"),
                                QStringLiteral("Customers")},
                               &out),
              0);
    EXPECT_TRUE(out.contains(QStringLiteral("Feature Count: 4"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("EPSG\",4326")) ||
                out.contains(QStringLiteral("WGS 84")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("pushpin_name (String) = Alpha"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("POINT (8.5417 47.3769)"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Visits (Integer64) = 9007199254740993")))
        << out.toStdString();
}

} // namespace
