// Per-feature and per-layer symbols and balloon states, on a memory layer (keyed by
// a virtual feature-id field), a GeoPackage layer (keyed by its "fid") and a
// shapefile (keyed by its distinct whole-number field "Pop") and one without such a
// field (keyed by feature ID, which the shapefile renumbers when a delete is saved).
#include "qgis/styling/FeatureState.h"
#include "StylingFixture.h"
#include "automation/Error.h"
#include "mappoint/SymbolPictures.h"

#include <QCoreApplication>
#include <qgsauxiliarystorage.h>
#include <qgsfeatureiterator.h>
#include <qgsgeometry.h>

namespace aerr = automation::errors;
using qgishost::FeatureKeyFieldName;

class FeatureStateTest : public StylingFixture,
                         public ::testing::WithParamInterface<StylingFixture::Store> {};

INSTANTIATE_TEST_SUITE_P(Stores, FeatureStateTest,
                         ::testing::Values(StylingFixture::Store::Memory,
                                           StylingFixture::Store::GeoPackage,
                                           StylingFixture::Store::Shapefile,
                                           StylingFixture::Store::ShapefileWithoutKey));

TEST_P(FeatureStateTest, SymbolsRoundTripPerFeatureAndPerLayer) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    ASSERT_EQ(ids.size(), 3);
    // Untouched: the layer's symbol, 0, and the layer keeps its own style.
    EXPECT_EQ(symbolOf(*layer, ids[0]), 0);
    EXPECT_EQ(appearance().layerSymbol(*layer), 0);
    EXPECT_EQ(layer->auxiliaryLayer(), nullptr);

    appearance().setSymbol(*layer, ids[1], 17);
    appearance().setSymbol(*layer, ids[2], 255);
    appearance().setSymbol(*layer, ids[2], 0);
    EXPECT_EQ(symbolOf(*layer, ids[0]), 0);
    EXPECT_EQ(symbolOf(*layer, ids[1]), 17);
    EXPECT_EQ(symbolOf(*layer, ids[2]), 0);

    // A layer symbol goes to every feature, also those with a symbol of their own.
    appearance().setLayerSymbol(*layer, 42);
    EXPECT_EQ(appearance().layerSymbol(*layer), 42);
    for (qint64 id : ids)
        EXPECT_EQ(symbolOf(*layer, id), 42) << id;
    appearance().setSymbol(*layer, ids[0], 3);
    EXPECT_EQ(symbolOf(*layer, ids[0]), 3);
    EXPECT_EQ(symbolOf(*layer, ids[1]), 42);

    // The user's fields stay what they were; ours are marked as not theirs.
    QStringList userFields;
    for (int i = 0; i < layer->fields().count(); ++i) {
        if (!qgishost::IsAppearanceField(*layer, i))
            userFields << layer->fields().at(i).name();
    }
    EXPECT_EQ(userFields, GetParam() == Store::GeoPackage ? QStringList({"fid", "Name", "Pop"})
                                                          : QStringList({"Name", "Pop"}));
    EXPECT_EQ(layer->fields().indexOf(FeatureKeyFieldName) >= 0,
              GetParam() == Store::Memory || GetParam() == Store::ShapefileWithoutKey);
    EXPECT_FALSE(layer->isEditable());
    EXPECT_FALSE(layer->isModified());
}

TEST_P(FeatureStateTest, BalloonStatesRoundTrip) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    // Closing balloons on a layer that never had one stores nothing.
    appearance().setBalloonState(*layer, ids[0], 0);
    EXPECT_EQ(layer->auxiliaryLayer(), nullptr);
    for (int state : {1, 2, 0, 2}) {
        appearance().setBalloonState(*layer, ids[0], state);
        EXPECT_EQ(balloonOf(*layer, ids[0]), state);
    }
    EXPECT_EQ(balloonOf(*layer, ids[1]), 0);
    // Balloons and symbols are independent.
    appearance().setSymbol(*layer, ids[0], 9);
    EXPECT_EQ(balloonOf(*layer, ids[0]), 2);
}

TEST_P(FeatureStateTest, BadValuesFailAndChangeNothing) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    appearance().setSymbol(*layer, ids[0], 5);
    appearance().setBalloonState(*layer, ids[0], 1);
    for (int16_t bad : {int16_t(-1), int16_t(256), int16_t(INT16_MAX)}) {
        EXPECT_AUTOMATION_ERROR(appearance().setSymbol(*layer, ids[0], bad), aerr::InvalidArgument);
        EXPECT_AUTOMATION_ERROR(appearance().setLayerSymbol(*layer, bad), aerr::InvalidArgument);
    }
    for (int bad : {-1, 3, 100})
        EXPECT_AUTOMATION_ERROR(appearance().setBalloonState(*layer, ids[0], bad),
                                aerr::InvalidArgument);
    EXPECT_EQ(symbolOf(*layer, ids[0]), 5);
    EXPECT_EQ(appearance().layerSymbol(*layer), 0);
    EXPECT_EQ(balloonOf(*layer, ids[0]), 1);
    // A feature read without its key field is looked up by a read of its own.
    QgsFeature bare;
    layer->getFeatures(QgsFeatureRequest(ids[0]).setNoAttributes()).nextFeature(bare);
    EXPECT_EQ(appearance().symbol(*layer, bare), 5);

    const qint64 missing = 9999;
    EXPECT_AUTOMATION_ERROR(appearance().setSymbol(*layer, missing, 1), aerr::ObjectDeleted);
    EXPECT_AUTOMATION_ERROR(appearance().setBalloonState(*layer, missing, 2), aerr::ObjectDeleted);
    EXPECT_EQ(layer->auxiliaryLayer()->featureCount(), 1);
}

TEST_P(FeatureStateTest, WorksWhileTheUserEditsTheLayer) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    ASSERT_TRUE(layer->startEditing());
    appearance().setSymbol(*layer, ids[1], 77);
    appearance().setBalloonState(*layer, ids[1], 2);
    EXPECT_EQ(symbolOf(*layer, ids[1]), 77);
    // Discarding the user's edits does not take Locastra's state with it.
    ASSERT_TRUE(layer->rollBack());
    EXPECT_EQ(symbolOf(*layer, ids[1]), 77);
    EXPECT_EQ(balloonOf(*layer, ids[1]), 2);
}

TEST_P(FeatureStateTest, StateStaysWithItsFeatureWhenAnotherIsDeleted) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    for (int i = 0; i < 3; ++i) {
        appearance().setSymbol(*layer, ids[i], int16_t(10 + i));
        appearance().setBalloonState(*layer, ids[i], i);
    }
    ASSERT_TRUE(layer->startEditing());
    ASSERT_TRUE(layer->deleteFeature(ids[0]));
    ASSERT_TRUE(layer->commitChanges());
    if (GetParam() == Store::ShapefileWithoutKey) {
        // The stored keys follow the renumbering before anything is read (a project
        // saved now keeps them right).
        QCoreApplication::processEvents();
        QSet<qint64> keys;
        QgsFeature row;
        for (QgsFeatureIterator rows = layer->auxiliaryLayer()->getFeatures();
             rows.nextFeature(row);)
            keys << row.attribute(layer->auxiliaryLayer()->joinInfo().joinFieldName()).toLongLong();
        EXPECT_EQ(keys, (QSet<qint64>{0, 1}));
    }
    // A shapefile renumbers its features when it is written back.
    QMap<QString, std::pair<int, int>> byName;
    QgsFeature f;
    QgsFeatureIterator it = layer->getFeatures();
    while (it.nextFeature(f))
        byName[f.attribute("Name").toString()] = {appearance().symbol(*layer, f),
                                                  appearance().balloonState(*layer, f)};
    EXPECT_EQ(byName, (QMap<QString, std::pair<int, int>>{{"P1", {11, 1}}, {"P2", {12, 2}}}));
}

TEST_P(FeatureStateTest, UnsavedNewFeaturesAreRefused) {
    QgsVectorLayer* layer = addLayer(GetParam());
    ASSERT_TRUE(layer->startEditing());
    QgsFeature added(layer->fields());
    added.setGeometry(QgsGeometry::fromPointXY(QgsPointXY(1, 1)));
    ASSERT_TRUE(layer->addFeature(added));
    EXPECT_AUTOMATION_ERROR(appearance().setSymbol(*layer, added.id(), 4), aerr::NotSupported);
    EXPECT_AUTOMATION_ERROR(appearance().setBalloonState(*layer, added.id(), 1),
                            aerr::NotSupported);
    EXPECT_EQ(symbolOf(*layer, added.id()), 0);
}

TEST_P(FeatureStateTest, ManyWritesSurviveTheStoragesCommits) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    // Enough writes for the auxiliary layer to commit its rows on the way, which
    // gives them new IDs.
    for (int i = 0; i < 600; ++i) {
        appearance().setSymbol(*layer, ids[i % 3], int16_t(i % 256));
        appearance().setBalloonState(*layer, ids[(i + 1) % 3], i % 3);
    }
    EXPECT_EQ(symbolOf(*layer, ids[0]), 597 % 256);
    EXPECT_EQ(symbolOf(*layer, ids[1]), 598 % 256);
    EXPECT_EQ(symbolOf(*layer, ids[2]), 599 % 256);
    EXPECT_EQ(balloonOf(*layer, ids[1]), 597 % 3);
    EXPECT_EQ(balloonOf(*layer, ids[2]), 598 % 3);
    EXPECT_EQ(balloonOf(*layer, ids[0]), 599 % 3);
    EXPECT_EQ(layer->auxiliaryLayer()->featureCount(), 3);
    const QImage image = render(*layer);
    EXPECT_EQ(differingPixels(image, featurePixel(1), mappoint::BuiltInSymbolPicture(598 % 256)),
              0);
}
