#pragma once

#include "qgis/styling/ProjectAppearance.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

// A project with point layers of three features at (-5, 0), (0, 0) and (5, 0),
// named "P0" to "P2", drawn by a plain green square marker; the appearance under test
// works on that project.
class StylingFixture : public ::testing::Test {
public:
    // A shapefile without a distinct whole-number field is keyed by its feature IDs.
    enum class Store { Memory, GeoPackage, Shapefile, ShapefileWithoutKey };

protected:
    StylingFixture();

    // A layer added to project(); files are written to data/pts.gpkg or data/pts.shp.
    QgsVectorLayer* addLayer(Store store);
    QString gpkgPath() const { return data_.filePath("pts.gpkg"); }
    QString projectPath(const QString& name) const { return work_.filePath(name); }
    QString workPath(const QString& name) const { return work_.filePath(name); }
    // The feature IDs of the layer in feature order.
    static QList<qint64> featureIds(QgsVectorLayer& layer);

    // The layer drawn offscreen, 300 x 200 pixels over x -15..15, y -10..10 on white:
    // the features sit at pixels (100, 100), (150, 100) and (200, 100).
    QImage render(QgsVectorLayer& layer) const;
    static QPoint featurePixel(int feature) { return {100 + 50 * feature, 100}; }
    // Pixels of the 16 x 16 block centred on p that differ visibly from picture
    // (drawn over white).
    static int differingPixels(const QImage& image, QPoint p, const QImage& picture);
    // Pixels in the rectangle that are not white.
    static int inkPixels(const QImage& image, const QRect& rect);
    static void savePicture(const QImage& image, const QString& name);

    QgsProject& project() { return *project_; }
    qgishost::ProjectAppearance& appearance() { return *appearance_; }
    // The appearance's answers for a feature read anew, as a pushpin reads it.
    int16_t symbolOf(QgsVectorLayer& layer, qint64 id) {
        return appearance().symbol(layer, layer.getFeature(id));
    }
    int balloonOf(QgsVectorLayer& layer, qint64 id) {
        return appearance().balloonState(layer, layer.getFeature(id));
    }
    void replaceProject(std::unique_ptr<QgsProject> project);

private:
    QTemporaryDir data_, work_;
    std::unique_ptr<QgsProject> project_;
    std::unique_ptr<qgishost::ProjectAppearance> appearance_;
};

// Runs statement and expects an automation::Error with the expected number.
#define EXPECT_AUTOMATION_ERROR(statement, expected)                                               \
    do {                                                                                           \
        try {                                                                                      \
            statement;                                                                             \
            ADD_FAILURE() << #statement " did not fail";                                           \
        } catch (const automation::Error& e) {                                                     \
            EXPECT_EQ(e.number(), expected) << e.what();                                           \
        }                                                                                          \
    } while (false)
