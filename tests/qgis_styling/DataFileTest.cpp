// Symbols and balloons never touch the user's data file, and come back with the
// project: per feature from the auxiliary storage, the layer symbol from the layer,
// custom symbols from the project's entries.
#include "StylingFixture.h"
#include "mappoint/SymbolPictures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <qgsmaprenderersequentialjob.h>
#include <qgsmapsettings.h>

namespace {

QByteArray fileHash(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QImage transparentPicture() {
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(3, 4, QColor(10, 20, 200));
    return picture;
}

} // namespace

TEST_F(StylingFixture, GeoPackageStaysByteForByteTheSame) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QByteArray before = fileHash(gpkgPath());
    const QStringList filesBefore = QDir(QFileInfo(gpkgPath()).path()).entryList(QDir::Files);
    const QList<qint64> ids = featureIds(*layer);

    appearance().setSymbol(*layer, ids[0], 12);
    appearance().setBalloonState(*layer, ids[1], 2);
    appearance().setBalloonState(*layer, ids[2], 1);
    appearance().setLayerSymbol(*layer, 30);
    appearance().setSymbol(*layer, ids[2], 31);
    appearance().setBalloonState(*layer, ids[2], 0);
    ASSERT_TRUE(project().write(projectPath("map.qgz")));
    ASSERT_TRUE(project().write(projectPath("map.qgs")));
    project().removeAllMapLayers(); // closes the file

    EXPECT_EQ(fileHash(gpkgPath()), before);
    EXPECT_EQ(QDir(QFileInfo(gpkgPath()).path()).entryList(QDir::Files), filesBefore);
    // The .qgs keeps its auxiliary storage beside it.
    EXPECT_TRUE(QFileInfo::exists(projectPath("map.qgd")));
}

class ProjectRoundTrip : public StylingFixture, public ::testing::WithParamInterface<QString> {};

INSTANTIATE_TEST_SUITE_P(Formats, ProjectRoundTrip, ::testing::Values("qgz", "qgs"));

TEST_P(ProjectRoundTrip, StateAndCustomSymbolsComeBack) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QString layerId = layer->id();
    const QList<qint64> ids = featureIds(*layer);
    const QString file = workPath("dot.png");
    ASSERT_TRUE(transparentPicture().save(file));
    const int16_t custom = appearance().addCustomSymbol(file);
    appearance().setSymbolName(custom, QStringLiteral("Dot"));
    appearance().setLayerSymbol(*layer, 7);
    appearance().setSymbol(*layer, ids[1], custom);
    appearance().setBalloonState(*layer, ids[2], 2);
    const QString path = projectPath("map." + GetParam());
    ASSERT_TRUE(project().write(path));

    auto reopened = std::make_unique<QgsProject>();
    ASSERT_TRUE(reopened->read(path));
    replaceProject(std::move(reopened));
    auto* again = qobject_cast<QgsVectorLayer*>(project().mapLayer(layerId));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(appearance().layerSymbol(*again), 7);
    EXPECT_EQ(symbolOf(*again, ids[0]), 7);
    EXPECT_EQ(symbolOf(*again, ids[1]), custom);
    EXPECT_EQ(balloonOf(*again, ids[2]), 2);
    EXPECT_EQ(balloonOf(*again, ids[1]), 0);
    EXPECT_EQ(appearance().customSymbolCount(), 1);
    EXPECT_TRUE(appearance().hasSymbol(custom));
    EXPECT_EQ(appearance().symbolName(custom), "Dot");

    // The reopened project still draws the custom picture where it was set.
    const QImage image = render(*again);
    EXPECT_EQ(differingPixels(image, featurePixel(1), transparentPicture()), 0);
}

// As QGIS opens a project: read into the same project object, which the appearance
// keeps following.
TEST_F(StylingFixture, ProjectOpenedAgainStillDrawsItsSymbols) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QString layerId = layer->id();
    const QList<qint64> ids = featureIds(*layer);
    appearance().setSymbol(*layer, ids[2], 130);
    appearance().setBalloonState(*layer, ids[0], 1);
    const QString path = projectPath("again.qgz");
    ASSERT_TRUE(project().write(path));
    project().clear();
    ASSERT_TRUE(project().read(path));
    auto* again = qobject_cast<QgsVectorLayer*>(project().mapLayer(layerId));
    ASSERT_NE(again, nullptr);
    const QImage image = render(*again);
    savePicture(image, "reopened");
    EXPECT_EQ(differingPixels(image, featurePixel(2), mappoint::BuiltInSymbolPicture(130)), 0);
    EXPECT_GT(inkPixels(image, QRect(featurePixel(0).x() + 16, 20, 40, 70)), 30);
    // Writing after the reopening goes on from the stored state.
    appearance().setSymbol(*again, ids[1], 131);
    EXPECT_EQ(symbolOf(*again, ids[2]), 130);
    EXPECT_EQ(differingPixels(render(*again), featurePixel(1), mappoint::BuiltInSymbolPicture(131)),
              0);
}

// A project saved with Locastra's symbols, opened where Locastra is not loaded (no
// drawing join): QGIS draws the user's own style, nothing broken.
TEST_F(StylingFixture, ProjectOpenedWithoutLocastraDrawsTheUsersStyle) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QString layerId = layer->id();
    appearance().setSymbol(*layer, featureIds(*layer)[1], 130);
    const QString path = projectPath("elsewhere.qgz");
    ASSERT_TRUE(project().write(path));
    QgsProject plain;
    ASSERT_TRUE(plain.read(path));
    auto* again = qobject_cast<QgsVectorLayer*>(plain.mapLayer(layerId));
    ASSERT_NE(again, nullptr);
    QgsMapSettings settings;
    settings.setLayers({again});
    settings.setDestinationCrs(again->crs());
    settings.setOutputSize(QSize(300, 200));
    settings.setExtent(QgsRectangle(-15, -10, 15, 10));
    settings.setBackgroundColor(Qt::white);
    QgsMapRendererSequentialJob job(settings);
    job.start();
    job.waitForFinished();
    const QImage image = job.renderedImage().convertToFormat(QImage::Format_ARGB32);
    savePicture(image, "without-locastra");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QColor(image.pixel(featurePixel(i))), QColor(0, 160, 0)) << i;
}
