// Writes through QGIS's edit buffer, read-only layers, layers removed while they are
// walked, highlights on the canvas.
#include "AdapterFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <qgshighlight.h>
#include <qgsvectorlayerundocommand.h>

namespace {

int highlightsOn(QgsMapCanvas* canvas) {
    int count = 0;
    for (QGraphicsItem* item : canvas->scene()->items())
        count += dynamic_cast<QgsHighlight*>(item) ? 1 : 0;
    return count;
}

TEST_F(AdapterTest, DeleteGoesThroughTheEditBufferAndCanBeUndone) {
    QgsVectorLayer* layer = addNamed("Pins", {"a", "b", "c"});
    auto ds = map_->DataSets()->Item(1);
    map_->FindPushpin("b")->Delete();
    EXPECT_TRUE(layer->isEditable()) << "editing was switched on and left on";
    EXPECT_EQ(layer->dataProvider()->featureCount(), 3) << "nothing saved yet";
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(walk(ds), (QStringList{"a", "c"}));
    layer->undoStack()->undo();
    EXPECT_EQ(walk(ds), (QStringList{"a", "b", "c"}));
    ASSERT_TRUE(map_->FindPushpin("b"));
    map_->FindPushpin("a")->Delete();
    ASSERT_TRUE(layer->commitChanges());
    EXPECT_EQ(layer->dataProvider()->featureCount(), 2);
    EXPECT_EQ(walk(ds), (QStringList{"b", "c"}));
    EXPECT_FALSE(map_->FindPushpin("a"));
}

TEST_F(AdapterTest, ReadOnlyLayerRefusesWritesWithAnError) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pins.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QTextStream(&file) << "Name,x,y\nAlpha,1,2\nBeta,3,4\n";
    }
    auto* layer = new QgsVectorLayer(
        QStringLiteral("file://%1?type=csv&xField=x&yField=y&crs=EPSG:4326").arg(path),
        QStringLiteral("Csv"), QStringLiteral("delimitedtext"));
    ASSERT_TRUE(layer->isValid());
    layer->setDisplayExpression(QStringLiteral("\"Name\""));
    qgistest::appendToProject(project(), layer);
    auto alpha = map_->FindPushpin("Alpha");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(errorOf([&] { alpha->Delete(); }), automation::errors::NotSupported);
    EXPECT_EQ(errorOf([&] { alpha->SetName("A"); }), automation::errors::NotSupported);
    EXPECT_EQ(
        errorOf([&] { map_->FindPushpin("Beta")->MoveTo(map_->DataSets()->AddPushpinSet("New")); }),
        automation::errors::NotSupported);
    EXPECT_FALSE(layer->isEditable());
    EXPECT_EQ(walk(map_->DataSets()->Item("Csv")), (QStringList{"Alpha", "Beta"}));
    EXPECT_EQ(map_->DataSets()->Item("New")->RecordCount(), 0) << "nothing half-moved";
}

TEST_F(AdapterTest, LayerRemovedDuringAWalkEndsItWithErrors) {
    QStringList names;
    for (int i = 0; i < 500; ++i)
        names << QStringLiteral("p%1").arg(i);
    QgsVectorLayer* layer = addNamed("Going", names);
    auto ds = map_->DataSets()->Item(1);
    auto rs = ds->QueryAllRecords();
    auto pin = rs->Pushpin();
    pin->SetHighlight(true);
    EXPECT_EQ(highlightsOn(canvas_), 1);
    for (int i = 0; i < 10; ++i)
        rs->MoveNext();
    project().removeMapLayer(layer);
    EXPECT_EQ(highlightsOn(canvas_), 0) << "highlights go with their layer";
    EXPECT_EQ(errorOf([&] { rs->Pushpin(); }), automation::errors::ObjectDeleted);
    EXPECT_EQ(errorOf([&] { rs->Location(); }), automation::errors::ObjectDeleted);
    EXPECT_EQ(errorOf([&] { pin->Name(); }), automation::errors::ObjectDeleted);
    EXPECT_EQ(errorOf([&] { ds->ZoomTo(); }), automation::errors::ObjectDeleted);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(map_->DataSets()->Count(), 0);
}

TEST_F(AdapterTest, HighlightGoesWithItsFeatureAndIsNotSaved) {
    QgsVectorLayer* layer = addNamed("Lit", {"a", "b"});
    auto a = map_->FindPushpin("a");
    a->SetHighlight(true);
    map_->FindPushpin("b")->SetHighlight(true);
    EXPECT_EQ(highlightsOn(canvas_), 2);
    EXPECT_EQ(layer->fields().count(), 2) << "no field added for it";
    a->Delete();
    EXPECT_EQ(highlightsOn(canvas_), 1);
    map_->FindPushpin("b")->SetHighlight(false);
    EXPECT_EQ(highlightsOn(canvas_), 0);
}

TEST_F(AdapterTest, DataSetDeleteRemovesTheLayerNotTheFile) {
    QTemporaryDir folder;
    auto* layer =
        qgistest::geoPackageLayer(folder.path(), QStringLiteral("Stored"), 4326,
                                  qgistest::fields({{QStringLiteral("Name"), QVariant::String}}), 2,
                                  [](int i, QgsPointXY& p, QVariantList& v) {
                                      p = QgsPointXY(10 + i, 20 + i);
                                      v = {QStringLiteral("s%1").arg(i)};
                                  });
    qgistest::appendToProject(project(), layer);
    auto ds = map_->DataSets()->Item("Stored");
    EXPECT_EQ(ds->RecordCount(), 2);
    ds->ZoomTo();
    const QgsRectangle shown = canvas_->extent();
    const QgsPointXY corner =
        QgsCoordinateTransform(QgsCoordinateReferenceSystem(QStringLiteral("EPSG:4326")),
                               canvas_->mapSettings().destinationCrs(),
                               project().transformContext())
            .transform(QgsPointXY(11, 21));
    EXPECT_TRUE(shown.contains(corner)) << "ZoomTo shows the layer's extent";
    ds->Delete();
    EXPECT_EQ(map_->DataSets()->Count(), 0);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Stored.gpkg"))));
}

TEST_F(AdapterTest, SelectMakesTheLayerActive) {
    addNamed("One", {"a"});
    QgsVectorLayer* two = addNamed("Two", {"b", "c"});
    QgsMapLayer* activated = nullptr;
    map_->setLayerActivator([&](QgsMapLayer* layer) { activated = layer; });
    map_->FindPushpin("c")->Select();
    EXPECT_EQ(canvas_->currentLayer(), two);
    EXPECT_EQ(activated, two);
    EXPECT_EQ(two->selectedFeatureCount(), 1);
    two->selectAll();
    EXPECT_FALSE(map_->Selection()) << "several selected features are no single selection";
}

} // namespace
