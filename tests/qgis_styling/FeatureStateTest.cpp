// Per-feature and per-layer symbols and balloon states, on a memory layer (keyed by
// a virtual feature-id field) and a GeoPackage layer (keyed by its "fid").
#include "qgis/styling/FeatureState.h"
#include "StylingFixture.h"
#include "automation/Error.h"

#include <qgsauxiliarystorage.h>

namespace aerr = automation::errors;
using qgishost::FeatureKeyFieldName;

class FeatureStateTest : public StylingFixture,
                         public ::testing::WithParamInterface<StylingFixture::Store> {};

INSTANTIATE_TEST_SUITE_P(Stores, FeatureStateTest,
                         ::testing::Values(StylingFixture::Store::Memory,
                                           StylingFixture::Store::GeoPackage));

TEST_P(FeatureStateTest, SymbolsRoundTripPerFeatureAndPerLayer) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    ASSERT_EQ(ids.size(), 3);
    // Untouched: the layer's symbol, 0, and the layer keeps its own style.
    EXPECT_EQ(appearance().symbol(*layer, ids[0]), 0);
    EXPECT_EQ(appearance().layerSymbol(*layer), 0);
    EXPECT_EQ(layer->auxiliaryLayer(), nullptr);

    appearance().setSymbol(*layer, ids[1], 17);
    appearance().setSymbol(*layer, ids[2], 255);
    appearance().setSymbol(*layer, ids[2], 0);
    EXPECT_EQ(appearance().symbol(*layer, ids[0]), 0);
    EXPECT_EQ(appearance().symbol(*layer, ids[1]), 17);
    EXPECT_EQ(appearance().symbol(*layer, ids[2]), 0);

    // A layer symbol goes to every feature, also those with a symbol of their own.
    appearance().setLayerSymbol(*layer, 42);
    EXPECT_EQ(appearance().layerSymbol(*layer), 42);
    for (qint64 id : ids)
        EXPECT_EQ(appearance().symbol(*layer, id), 42) << id;
    appearance().setSymbol(*layer, ids[0], 3);
    EXPECT_EQ(appearance().symbol(*layer, ids[0]), 3);
    EXPECT_EQ(appearance().symbol(*layer, ids[1]), 42);

    // The user's fields stay what they were; ours are marked as not theirs.
    QStringList userFields;
    for (int i = 0; i < layer->fields().count(); ++i) {
        if (!qgishost::IsAppearanceField(*layer, i))
            userFields << layer->fields().at(i).name();
    }
    EXPECT_EQ(userFields, GetParam() == Store::Memory ? QStringList({"Name", "Pop"})
                                                      : QStringList({"fid", "Name", "Pop"}));
    EXPECT_EQ(layer->fields().indexOf(FeatureKeyFieldName) >= 0, GetParam() == Store::Memory);
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
        EXPECT_EQ(appearance().balloonState(*layer, ids[0]), state);
    }
    EXPECT_EQ(appearance().balloonState(*layer, ids[1]), 0);
    // Balloons and symbols are independent.
    appearance().setSymbol(*layer, ids[0], 9);
    EXPECT_EQ(appearance().balloonState(*layer, ids[0]), 2);
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
    EXPECT_EQ(appearance().symbol(*layer, ids[0]), 5);
    EXPECT_EQ(appearance().layerSymbol(*layer), 0);
    EXPECT_EQ(appearance().balloonState(*layer, ids[0]), 1);

    const qint64 missing = 9999;
    EXPECT_AUTOMATION_ERROR(appearance().symbol(*layer, missing), aerr::ObjectDeleted);
    EXPECT_AUTOMATION_ERROR(appearance().setSymbol(*layer, missing, 1), aerr::ObjectDeleted);
    EXPECT_AUTOMATION_ERROR(appearance().balloonState(*layer, missing), aerr::ObjectDeleted);
    EXPECT_AUTOMATION_ERROR(appearance().setBalloonState(*layer, missing, 2), aerr::ObjectDeleted);
    EXPECT_EQ(layer->auxiliaryLayer()->featureCount(), 1);
}

TEST_P(FeatureStateTest, WorksWhileTheUserEditsTheLayer) {
    QgsVectorLayer* layer = addLayer(GetParam());
    const QList<qint64> ids = featureIds(*layer);
    ASSERT_TRUE(layer->startEditing());
    appearance().setSymbol(*layer, ids[1], 77);
    appearance().setBalloonState(*layer, ids[1], 2);
    EXPECT_EQ(appearance().symbol(*layer, ids[1]), 77);
    // Discarding the user's edits does not take Locastra's state with it.
    ASSERT_TRUE(layer->rollBack());
    EXPECT_EQ(appearance().symbol(*layer, ids[1]), 77);
    EXPECT_EQ(appearance().balloonState(*layer, ids[1]), 2);
}
