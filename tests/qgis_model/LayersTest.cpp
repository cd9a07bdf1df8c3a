// What only the QGIS adapter has: names from display expressions, note fields, layers
// in other coordinate systems, the Layers panel's order, and the name index following
// edits made in QGIS itself.
#include "AdapterFixture.h"
#include "QgisLayer.h"
#include "QgisPushpin.h"

#include <QTemporaryDir>
#include <qgslayertree.h>
#include <qgsmemoryproviderutils.h>
#include <qgsvectordataprovider.h>

namespace {

QgsVectorLayer* people(const QString& expression) {
    auto* layer = qgistest::memoryLayer(
        QStringLiteral("People"), QStringLiteral("EPSG:4326"),
        qgistest::fields({{QStringLiteral("First"), QVariant::String},
                          {QStringLiteral("Last"), QVariant::String},
                          {QStringLiteral("Age"), QVariant::Int}}),
        3, [](int i, QgsPointXY& p, QVariantList& values) {
            p = QgsPointXY(i, i);
            const char* first[] = {"Ann", "Bob", "Cy"};
            const char* last[] = {"Lee", "Ray", nullptr};
            values = {first[i], last[i] ? QVariant(last[i]) : QVariant(), 30 + i};
        });
    layer->setDisplayExpression(expression);
    qgistest::appendToProject(*QgsProject::instance(), layer);
    return layer;
}

TEST_F(AdapterTest, NamesComeFromTheDisplayExpression) {
    QgsVectorLayer* layer = people(QStringLiteral("\"First\" || ' ' || coalesce(\"Last\", '?')"));
    auto ds = map_->DataSets()->Item(1);
    EXPECT_EQ(walk(ds), (QStringList{"Ann Lee", "Bob Ray", "Cy ?"}));
    auto ann = map_->FindPushpin("Ann Lee");
    ASSERT_TRUE(ann);
    EXPECT_EQ(errorOf([&] { ann->SetName("Anne"); }), automation::errors::NotSupported)
        << "an expression cannot be written back";
    EXPECT_FALSE(layer->isEditable());

    layer->setDisplayExpression(QStringLiteral("\"Last\""));
    EXPECT_FALSE(map_->FindPushpin("Ann Lee"));
    ASSERT_TRUE(map_->FindPushpin("Lee"));
    EXPECT_EQ(walk(ds), (QStringList{"Lee", "Ray", ""})) << "NULL names read as empty";
    map_->FindPushpin("Ray")->SetName("Roy");
    EXPECT_EQ(layer->getFeature(2).attribute(QStringLiteral("Last")).toString(), "Roy");
    EXPECT_TRUE(layer->isEditable()) << "the rename went into the edit buffer";

    layer->setDisplayExpression(QStringLiteral("\"Age\" * 2"));
    EXPECT_EQ(walk(ds), (QStringList{"60", "62", "64"}));
    ASSERT_TRUE(map_->FindPushpin("62"));
}

TEST_F(AdapterTest, NoteIsTheNoteOrDescriptionField) {
    struct Case {
        QStringList fields;
        QString expected;
    };
    const Case cases[] = {
        {{"Name", "NOTE", "Description"}, "v1"},
        {{"Name", "desc", "Description"}, "v2"},
        {{"Name", "Desc"}, "v1"},
        {{"Name", "Other"}, ""},
    };
    for (const Case& c : cases) {
        QgsFields fields;
        for (const QString& f : c.fields)
            fields.append(QgsField(f, QVariant::String));
        auto* layer =
            qgistest::memoryLayer(QStringLiteral("L"), QStringLiteral("EPSG:4326"), fields, 1,
                                  [&](int, QgsPointXY& p, QVariantList& values) {
                                      p = QgsPointXY(1, 1);
                                      values = {"pin", "v1", "v2"};
                                  });
        qgistest::appendToProject(project(), layer);
        auto pin = map_->FindPushpin("pin");
        ASSERT_TRUE(pin);
        EXPECT_EQ(pin->Note(), c.expected) << c.fields.join(",").toStdString();
        if (c.expected.isEmpty()) {
            EXPECT_EQ(errorOf([&] { pin->SetNote("x"); }), automation::errors::NotSupported);
        }
        project().removeMapLayer(layer);
    }
}

TEST_F(AdapterTest, PositionsOfAWebMercatorLayerAreWgs84) {
    // 10 E, 50 N in Web Mercator.
    auto* layer = qgistest::memoryLayer(
        QStringLiteral("Mercator"), QStringLiteral("EPSG:3857"),
        qgistest::fields({{QStringLiteral("Name"), QVariant::String}}), 2,
        [](int i, QgsPointXY& p, QVariantList& values) {
            p = i == 0 ? QgsPointXY(1113194.9079327357, 6446275.841017158) : QgsPointXY(0, 0);
            values = {i == 0 ? "Here" : "Origin"};
        });
    qgistest::appendToProject(project(), layer);
    map_->SetUnits(mappoint::geoKilometers);
    auto here = map_->FindPushpin("Here");
    EXPECT_NEAR(map_->Distance(here->Location(), map_->GetLocation(50, 10, 0)), 0, 1e-6);
    auto rs = map_->DataSets()->Item(1)->QueryAllRecords();
    EXPECT_NEAR(map_->Distance(rs->Location(), map_->GetLocation(50, 10, 0)), 0, 1e-6);

    // A pushpin added at a WGS 84 place lands at the Web-Mercator coordinates.
    layer->setName(QStringLiteral("My Pushpins"));
    const auto added = std::dynamic_pointer_cast<qgishost::QgisPushpin>(
        map_->AddPushpin(map_->GetLocation(50, 10, 0), "Added"));
    ASSERT_TRUE(added);
    const QgsFeature f = layer->getFeature(added->featureId());
    EXPECT_NEAR(f.geometry().asPoint().x(), 1113194.9079327357, 1e-3);
    EXPECT_NEAR(f.geometry().asPoint().y(), 6446275.841017158, 1e-3);
    EXPECT_EQ(map_->DataSets()->Count(), 1) << "the layer named My Pushpins took it";
}

TEST_F(AdapterTest, DataSetsFollowTheLayersPanel) {
    QgsLayerTree* root = project().layerTreeRoot();
    addNamed("Top", {"a"});
    QgsLayerTreeGroup* group = root->addGroup(QStringLiteral("Group"));
    auto* inGroup =
        qgistest::memoryLayer(QStringLiteral("InGroup"), QStringLiteral("EPSG:4326"),
                              qgistest::fields({{QStringLiteral("Name"), QVariant::String}}), 1,
                              [](int, QgsPointXY& p, QVariantList& v) {
                                  p = QgsPointXY(5, 5);
                                  v = {"g"};
                              });
    project().addMapLayer(inGroup, false);
    group->addLayer(inGroup);
    auto* hidden = addNamed("Hidden", {"h"});
    root->findLayer(hidden)->setItemVisibilityChecked(false);
    auto* polygons = QgsMemoryProviderUtils::createMemoryLayer(
        QStringLiteral("Polygons"), QgsFields(), QgsWkbTypes::Polygon,
        QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")));
    qgistest::appendToProject(project(), polygons);
    auto* multi = QgsMemoryProviderUtils::createMemoryLayer(
        QStringLiteral("Multi"), qgistest::fields({{QStringLiteral("Name"), QVariant::String}}),
        QgsWkbTypes::MultiPoint, QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")));
    qgistest::appendToProject(project(), multi);

    EXPECT_EQ(dataSetNames(), (QStringList{"Top", "InGroup", "Hidden", "Multi"}))
        << "point and multi-point layers, hidden ones too, in panel order";
    // Moving a layer in the panel reorders the datasets.
    QgsLayerTreeLayer* node = root->findLayer(hidden);
    root->insertChildNode(0, node->clone());
    root->removeChildNode(node);
    EXPECT_EQ(dataSetNames(), (QStringList{"Hidden", "Top", "InGroup", "Multi"}));
    // A pushpin added to a multi-point layer gets a multi-point geometry.
    multi->setName(QStringLiteral("My Pushpins"));
    multi->setDisplayExpression(QStringLiteral("\"Name\""));
    const auto pin = std::dynamic_pointer_cast<qgishost::QgisPushpin>(
        map_->AddPushpin(map_->GetLocation(1, 2, 0), "m"));
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->Name(), "m");
    map_->SetUnits(mappoint::geoKilometers);
    EXPECT_NEAR(map_->Distance(pin->Location(), map_->GetLocation(1, 2, 0)), 0, 1e-6);
    EXPECT_EQ(QgsWkbTypes::flatType(multi->getFeature(pin->featureId()).geometry().wkbType()),
              QgsWkbTypes::MultiPoint);
}

TEST_F(AdapterTest, NameIndexFollowsEditsMadeInQgis) {
    QgsVectorLayer* layer = addNamed("Edited", {"one", "two", "three"});
    ASSERT_TRUE(map_->FindPushpin("two")); // builds the index
    layer->startEditing();
    const int name = layer->fields().indexFromName(QStringLiteral("Name"));
    const QgsFeatureId two = idNamed(*layer, "two");
    layer->changeAttributeValue(two, name, QStringLiteral("deux"));
    EXPECT_FALSE(map_->FindPushpin("two"));
    ASSERT_TRUE(map_->FindPushpin("deux"));

    QgsFeature added(layer->fields());
    added.setAttribute(name, QStringLiteral("four"));
    added.setGeometry(QgsGeometry::fromPointXY(QgsPointXY(4, 4)));
    layer->addFeature(added);
    ASSERT_TRUE(map_->FindPushpin("four"));

    layer->deleteFeature(two);
    EXPECT_FALSE(map_->FindPushpin("deux"));

    // Undo brings the deleted one back under its name; rollback discards every edit.
    layer->undoStack()->undo();
    ASSERT_TRUE(map_->FindPushpin("deux"));
    layer->rollBack();
    EXPECT_TRUE(map_->FindPushpin("two"));
    EXPECT_FALSE(map_->FindPushpin("four"));

    project().removeMapLayer(layer);
    EXPECT_FALSE(map_->FindPushpin("two"));
}

// A file answers FindPushpin by a query until a walk has built its index, and asked
// twice before that builds it: the Find command asks once, then walks every record.
TEST_F(AdapterTest, FileLayerIsAskedOnceBeforeAWalkBuildsItsIndex) {
    QTemporaryDir folder;
    QgsVectorLayer* layer = qgistest::geoPackageLayer(
        folder.path(), QStringLiteral("Stored"), 4326,
        qgistest::fields({{QStringLiteral("Name"), QVariant::String}}), 5,
        [](int i, QgsPointXY& p, QVariantList& values) {
            p = QgsPointXY(i, i);
            values = {i % 2 ? QStringLiteral("odd") : QStringLiteral("even")};
        });
    qgistest::appendToProject(project(), layer);
    // The first ID of that name, -1 for none; idNamed() walks the layer in feature order.
    auto firstId = [&](const std::shared_ptr<qgishost::QgisLayer>& state, const QString& name) {
        int64_t id = -1;
        return state->firstNamed(name, id) ? id : -1;
    };
    const auto state = map_->layerState(*layer);
    EXPECT_EQ(firstId(state, "odd"), idNamed(*layer, "odd"));
    EXPECT_FALSE(state->indexed()) << "answered by a query";
    walk(map_->DataSets()->Item(1));
    EXPECT_TRUE(state->indexed()) << "a full walk built it";
    EXPECT_EQ(firstId(state, "even"), idNamed(*layer, "even"));
    EXPECT_EQ(firstId(state, "none"), -1);

    const auto again = qgishost::QgisMap::create(&project(), canvas_, appearance_);
    const auto fresh = again->layerState(*layer);
    firstId(fresh, "odd");
    EXPECT_EQ(firstId(fresh, "odd"), idNamed(*layer, "odd"));
    EXPECT_TRUE(fresh->indexed()) << "asked twice before any walk";
}

TEST_F(AdapterTest, RecordSetAndPushpinsReadChangesMadeAfterTheQuery) {
    QgsVectorLayer* layer = addNamed("Live", {"a", "b", "c"});
    auto rs = map_->DataSets()->Item(1)->QueryAllRecords();
    auto a = rs->Pushpin();
    layer->startEditing();
    const int name = layer->fields().indexFromName(QStringLiteral("Name"));
    for (const char* n : {"a", "b", "c"})
        layer->changeAttributeValue(idNamed(*layer, n), name, QString(n).toUpper());
    EXPECT_EQ(a->Name(), "A") << "a pushpin read before the change reads it anew";
    QStringList names;
    for (; !rs->Eof(); rs->MoveNext())
        names << rs->Pushpin()->Name();
    EXPECT_EQ(names, (QStringList{"A", "B", "C"}));
}

} // namespace

namespace {

TEST_F(AdapterTest, RecordSetReadsMoreOnDemandWithoutLosingItsPlace) {
    QTemporaryDir folder;
    auto* layer =
        qgistest::geoPackageLayer(folder.path(), QStringLiteral("Wide"), 4326,
                                  qgistest::fields({{QStringLiteral("Name"), QVariant::String},
                                                    {QStringLiteral("Extra"), QVariant::LongLong}}),
                                  6, [](int i, QgsPointXY& p, QVariantList& v) {
                                      p = QgsPointXY(i, -i);
                                      v = {QStringLiteral("w%1").arg(i), 100 + i};
                                  });
    qgistest::appendToProject(project(), layer);
    map_->SetUnits(mappoint::geoKilometers);
    auto target = map_->DataSets()->AddPushpinSet("Target");

    auto rs = map_->DataSets()->Item("Wide")->QueryAllRecords();
    QStringList seen;
    for (int i = 0; !rs->Eof(); rs->MoveNext(), ++i) {
        seen << rs->Pushpin()->Name();
        if (i >= 2) { // from the third record on: every field, then geometry too
            EXPECT_EQ(rs->Fields()->Item("Extra")->Value(), QVariant(qlonglong(100 + i)));
        }
        if (i >= 4) {
            EXPECT_NEAR(map_->Distance(rs->Location(), map_->GetLocation(-i, i, 0)), 0, 1e-6);
        }
    }
    EXPECT_EQ(seen, (QStringList{"w0", "w1", "w2", "w3", "w4", "w5"}));

    // A pushpin from a record set moves with all its fields.
    auto first = map_->DataSets()->Item("Wide")->QueryAllRecords()->Pushpin();
    auto* targetLayer = qobject_cast<QgsVectorLayer*>(project().mapLayersByName("Target").value(0));
    ASSERT_TRUE(targetLayer);
    targetLayer->startEditing();
    targetLayer->addAttribute(QgsField(QStringLiteral("Extra"), QVariant::LongLong));
    first->MoveTo(target);
    EXPECT_EQ(first->Name(), "w0");
    auto moved = target->QueryAllRecords();
    EXPECT_EQ(moved->Fields()->Item("Extra")->Value(), QVariant(qlonglong(100)));
}

} // namespace
