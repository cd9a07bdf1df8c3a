// What QGIS really draws: the layer rendered offscreen and its pixels checked.
#include "StylingFixture.h"
#include "mappoint/SymbolPictures.h"
#include "qgis/styling/BalloonLabels.h"

#include <qgscategorizedsymbolrenderer.h>
#include <qgsexpressioncontextutils.h>
#include <qgsmarkersymbol.h>
#include <qgspallabeling.h>
#include <qgsrulebasedlabeling.h>
#include <qgsvectorlayerlabeling.h>

using mappoint::BuiltInSymbolPicture;

namespace {

bool isGreen(QRgb pixel) {
    return qGreen(pixel) > 120 && qRed(pixel) < 60 && qBlue(pixel) < 60;
}

QString evaluate(QgsVectorLayer& layer, qint64 id, const QString& expression) {
    QgsExpressionContext context(QgsExpressionContextUtils::globalProjectLayerScopes(&layer));
    context.setFeature(layer.getFeature(id));
    return QgsExpression(expression).evaluate(&context).toString();
}

} // namespace

TEST_F(StylingFixture, FeaturesShowTheirSymbolsAndTheRestKeepsTheUsersStyle) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QList<qint64> ids = featureIds(*layer);
    appearance().setSymbol(*layer, ids[1], 17);
    appearance().setSymbol(*layer, ids[2], 200);
    const QImage image = render(*layer);
    savePicture(image, "symbols");
    EXPECT_TRUE(isGreen(image.pixel(featurePixel(0))));
    EXPECT_EQ(differingPixels(image, featurePixel(1), BuiltInSymbolPicture(17)), 0);
    EXPECT_EQ(differingPixels(image, featurePixel(2), BuiltInSymbolPicture(200)), 0);
    EXPECT_GT(differingPixels(image, featurePixel(1), BuiltInSymbolPicture(200)), 20);

    appearance().setLayerSymbol(*layer, 64);
    const QImage all = render(*layer);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(differingPixels(all, featurePixel(i), BuiltInSymbolPicture(64)), 0) << i;
}

TEST_F(StylingFixture, HiddenDatasetDrawsNothing) {
    QgsVectorLayer* layer = addLayer(Store::Memory);
    const int16_t hide = appearance().addCustomSymbol(LOCASTRA_HIDE_BMP);
    appearance().setLayerSymbol(*layer, 1);
    EXPECT_GT(inkPixels(render(*layer), QRect(0, 0, 300, 200)), 3 * 50);
    for (qint64 id : featureIds(*layer)) {
        appearance().setBalloonState(*layer, id, 2);
        appearance().setSymbol(*layer, id, hide);
        appearance().setBalloonState(*layer, id, 0);
    }
    const QImage image = render(*layer);
    savePicture(image, "hidden");
    EXPECT_EQ(inkPixels(image, image.rect()), 0);
}

TEST_F(StylingFixture, CategorizedRendererKeepsItsKindAndDrawsTheSymbol) {
    QgsVectorLayer* layer = addLayer(Store::Memory);
    QgsCategoryList categories;
    for (const char* name : {"P0", "P1", "P2"})
        categories << QgsRendererCategory(name, QgsMarkerSymbol::createSimple({}), name);
    layer->setRenderer(new QgsCategorizedSymbolRenderer(QStringLiteral("Name"), categories));
    const QList<qint64> ids = featureIds(*layer);
    appearance().setSymbol(*layer, ids[0], 99);
    EXPECT_EQ(layer->renderer()->type(), "categorizedSymbol");
    const QImage image = render(*layer);
    savePicture(image, "categorized");
    EXPECT_EQ(differingPixels(image, featurePixel(0), BuiltInSymbolPicture(99)), 0);
    EXPECT_GT(differingPixels(image, featurePixel(1), BuiltInSymbolPicture(99)), 20);
}

TEST_F(StylingFixture, BalloonsShowNameOrAllFieldsBesideTheUsersLabels) {
    QgsVectorLayer* layer = addLayer(Store::GeoPackage);
    const QList<qint64> ids = featureIds(*layer);
    QgsPalLayerSettings own;
    own.fieldName = QStringLiteral("Pop");
    own.placement = QgsPalLayerSettings::OverPoint;
    layer->setLabeling(new QgsVectorLayerSimpleLabeling(own));
    layer->setLabelsEnabled(true);
    const QImage before = render(*layer);
    savePicture(before, "user-labels");
    // Where the balloon opens: above and to the right of the point, clear of the
    // user's label on the point.
    const QPoint p = featurePixel(1);
    const QRect aboveRight(p.x() + 16, p.y() - 80, 40, 70);
    EXPECT_EQ(inkPixels(before, aboveRight), 0);

    appearance().setBalloonState(*layer, ids[1], 2);
    const QImage image = render(*layer);
    savePicture(image, "balloon");
    EXPECT_GT(inkPixels(image, aboveRight), 200);

    // The user's labels stay as a rule of their own, still shown.
    ASSERT_EQ(layer->labeling()->type(), "rule-based");
    const auto* root = static_cast<const QgsRuleBasedLabeling*>(layer->labeling())->rootRule();
    ASSERT_EQ(root->children().size(), 2);
    EXPECT_TRUE(root->children()[0]->active());
    EXPECT_EQ(root->children()[0]->settings()->fieldName, "Pop");
    EXPECT_EQ(root->children()[1]->description(), qgishost::BalloonLabels::RuleDescription);

    const QString text = qgishost::BalloonLabels::TextExpression(*layer);
    EXPECT_EQ(evaluate(*layer, ids[1], text), "P1\nfid: 2\nName: P1\nPop: 100");
    appearance().setBalloonState(*layer, ids[1], 1);
    EXPECT_EQ(evaluate(*layer, ids[1], text), "P1");
    const QImage nameOnly = render(*layer);
    savePicture(nameOnly, "balloon-name");
    EXPECT_GT(inkPixels(nameOnly, aboveRight), 50);
    EXPECT_LT(inkPixels(nameOnly, aboveRight), inkPixels(image, aboveRight));
    appearance().setBalloonState(*layer, ids[1], 0);
    EXPECT_EQ(inkPixels(render(*layer), aboveRight), 0);
}
