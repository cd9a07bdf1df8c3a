#include "StylingFixture.h"

#include <QColor>
#include <QPainter>
#include <qgsexpressioncontextutils.h>
#include <qgsfeatureiterator.h>
#include <qgsgeometry.h>
#include <qgsmaprenderersequentialjob.h>
#include <qgsmapsettings.h>
#include <qgsmarkersymbol.h>
#include <qgssinglesymbolrenderer.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorfilewriter.h>

StylingFixture::StylingFixture()
    : project_(std::make_unique<QgsProject>()),
      appearance_(std::make_unique<qgishost::ProjectAppearance>(*project_)) {}

void StylingFixture::replaceProject(std::unique_ptr<QgsProject> project) {
    appearance_.reset();
    project_ = std::move(project);
    appearance_ = std::make_unique<qgishost::ProjectAppearance>(*project_);
}

QgsVectorLayer* StylingFixture::addLayer(Store store) {
    auto memory = std::make_unique<QgsVectorLayer>(
        QStringLiteral("Point?crs=EPSG:4326&field=Name:string&field=Pop:integer"),
        QStringLiteral("Towns"), QStringLiteral("memory"));
    QgsFeatureList features;
    for (int i = 0; i < 3; ++i) {
        QgsFeature f(memory->fields());
        // Without a key, "Pop" is the same in every feature.
        const int pop = store == Store::ShapefileWithoutKey ? 100 : i * 100;
        f.setAttributes(QgsAttributes() << QStringLiteral("P%1").arg(i) << pop);
        f.setGeometry(QgsGeometry::fromPointXY(QgsPointXY(-5.0 + 5.0 * i, 0)));
        features << f;
    }
    EXPECT_TRUE(memory->dataProvider()->addFeatures(features));
    std::unique_ptr<QgsVectorLayer> layer;
    if (store == Store::Memory) {
        layer = std::move(memory);
    } else {
        const bool gpkg = store == Store::GeoPackage;
        const QString path = gpkg ? gpkgPath() : data_.filePath("pts.shp");
        QgsVectorFileWriter::SaveVectorOptions options;
        options.driverName = gpkg ? QStringLiteral("GPKG") : QStringLiteral("ESRI Shapefile");
        QString error;
        EXPECT_EQ(QgsVectorFileWriter::writeAsVectorFormatV3(
                      memory.get(), path, QgsCoordinateTransformContext(), options, &error),
                  QgsVectorFileWriter::NoError)
            << error.toStdString();
        layer =
            std::make_unique<QgsVectorLayer>(path, QStringLiteral("Towns"), QStringLiteral("ogr"));
    }
    EXPECT_TRUE(layer->isValid());
    layer->setDisplayExpression(QStringLiteral("\"Name\""));
    layer->setRenderer(new QgsSingleSymbolRenderer(
        QgsMarkerSymbol::createSimple({{QStringLiteral("name"), QStringLiteral("square")},
                                       {QStringLiteral("color"), QStringLiteral("0,160,0,255")},
                                       {QStringLiteral("outline_style"), QStringLiteral("no")},
                                       {QStringLiteral("size"), QStringLiteral("3")}})));
    return static_cast<QgsVectorLayer*>(project_->addMapLayer(layer.release()));
}

QList<qint64> StylingFixture::featureIds(QgsVectorLayer& layer) {
    QList<qint64> ids;
    QgsFeature f;
    QgsFeatureIterator it = layer.getFeatures(QgsFeatureRequest().setNoAttributes());
    while (it.nextFeature(f))
        ids << f.id();
    return ids;
}

QImage StylingFixture::render(QgsVectorLayer& layer) const {
    QgsMapSettings settings;
    settings.setLayers({&layer});
    settings.setDestinationCrs(layer.crs());
    settings.setOutputSize(QSize(300, 200));
    settings.setOutputDpi(96);
    settings.setExtent(QgsRectangle(-15, -10, 15, 10));
    settings.setBackgroundColor(Qt::white);
    settings.setFlag(Qgis::MapSettingsFlag::DrawLabeling, true);
    // The canvas draws with the project's variables in scope; so does this.
    QgsExpressionContext context;
    context << QgsExpressionContextUtils::globalScope()
            << QgsExpressionContextUtils::projectScope(project_.get());
    settings.setExpressionContext(context);
    QgsMapRendererSequentialJob job(settings);
    job.start();
    job.waitForFinished();
    EXPECT_TRUE(job.errors().isEmpty());
    return job.renderedImage().convertToFormat(QImage::Format_ARGB32);
}

int StylingFixture::differingPixels(const QImage& image, QPoint p, const QImage& picture) {
    QImage expected(16, 16, QImage::Format_ARGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.drawImage(0, 0, picture);
    }
    int count = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor a = image.pixelColor(p.x() - 8 + x, p.y() - 8 + y);
            const QColor b = expected.pixelColor(x, y);
            if (std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                          std::abs(a.blue() - b.blue())}) > 24)
                ++count;
        }
    }
    return count;
}

int StylingFixture::inkPixels(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++count;
        }
    }
    return count;
}

void StylingFixture::savePicture(const QImage& image, const QString& name) {
    image.save(QStringLiteral("/tmp/qgis-styling-%1.png").arg(name));
}
