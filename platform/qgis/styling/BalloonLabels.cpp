#include "BalloonLabels.h"

#include "FeatureState.h"
#include "automation/Error.h"

#include <memory>
#include <qgscallout.h>
#include <qgsfillsymbol.h>
#include <qgspallabeling.h>
#include <qgsproperty.h>
#include <qgsrulebasedlabeling.h>
#include <qgstextformat.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayerlabeling.h>

namespace qgishost {

namespace {

using Rule = QgsRuleBasedLabeling::Rule;

QString stateExpression() {
    return QStringLiteral("coalesce(%1, 0)")
        .arg(QgsExpression::quotedColumnRef(DrawnStateFieldName(FeatureState::Balloon)));
}

QgsPalLayerSettings* balloonSettings(const QString& text) {
    auto* settings = new QgsPalLayerSettings;
    settings->fieldName = text;
    settings->isExpression = true;
    settings->placement = QgsPalLayerSettings::OverPoint;
    settings->quadOffset = QgsPalLayerSettings::QuadrantAboveRight;
    settings->xOffset = 3;
    settings->yOffset = -3;
    settings->offsetUnits = QgsUnitTypes::RenderMillimeters;
    settings->multilineAlign = QgsPalLayerSettings::MultiLeft;
    // An open balloon always shows, and other labels do not make way for it.
    settings->displayAll = true;
    settings->obstacleSettings().setIsObstacle(false);
    settings->dataDefinedProperties().setProperty(
        QgsPalLayerSettings::Show, QgsProperty::fromExpression(stateExpression() + " > 0"));

    QgsTextFormat format;
    format.setSize(9);
    format.setSizeUnit(QgsUnitTypes::RenderPoints);
    format.setColor(Qt::black);
    settings->setFormat(format);

    auto* callout = new QgsBalloonCallout;
    callout->setEnabled(true);
    callout->setFillSymbol(QgsFillSymbol::createSimple(
        {{QStringLiteral("color"), QStringLiteral("255,255,225,255")},
         {QStringLiteral("outline_color"), QStringLiteral("60,60,60,255")},
         {QStringLiteral("outline_width"), QStringLiteral("0.3")}}));
    callout->setMargins(QgsMargins(1, 0.5, 1, 0.5));
    settings->setCallout(callout);
    return settings;
}

template <class R> Rule* findBalloonRule(R* root) {
    for (Rule* child : root->children()) {
        if (child->description() == BalloonLabels::RuleDescription)
            return child;
    }
    return nullptr;
}

// The layer's labeling as a rule tree with the user's rules kept as they showed.
std::unique_ptr<Rule> userRules(const QgsVectorLayer& layer) {
    const QgsAbstractVectorLayerLabeling* labeling = layer.labeling();
    const bool shown = layer.labelsEnabled();
    auto root = std::make_unique<Rule>(nullptr);
    if (!labeling)
        return root;
    if (labeling->type() == QLatin1String("rule-based")) {
        root.reset(static_cast<const QgsRuleBasedLabeling*>(labeling)->rootRule()->clone());
        if (!shown) {
            for (Rule* child : root->children())
                child->setActive(child->description() == BalloonLabels::RuleDescription);
        }
        return root;
    }
    if (labeling->type() == QLatin1String("simple")) {
        auto* user = new Rule(new QgsPalLayerSettings(labeling->settings()));
        user->setActive(shown);
        root->appendChild(user);
        return root;
    }
    throw automation::Error(automation::errors::NotSupported,
                            QStringLiteral("Layer \"%1\" has labels of a kind Locastra cannot "
                                           "add balloons to")
                                .arg(layer.name()));
}

} // namespace

QString BalloonLabels::TextExpression(const QgsVectorLayer& layer) {
    QString name = layer.displayExpression();
    if (name.trimmed().isEmpty())
        name = QStringLiteral("$id");
    QStringList all{QStringLiteral("(%1)").arg(name)};
    const QgsFields fields = layer.fields();
    for (int i = 0; i < fields.count(); ++i) {
        if (IsAppearanceField(layer, i))
            continue;
        all << QStringLiteral("'\\n'")
            << QgsExpression::quotedString(fields.at(i).name() + QStringLiteral(": "))
            << QgsExpression::quotedColumnRef(fields.at(i).name());
    }
    return QStringLiteral("CASE WHEN %1 = 2 THEN concat(%2) ELSE concat((%3)) END")
        .arg(stateExpression(), all.join(QStringLiteral(", ")), name);
}

bool BalloonLabels::apply(QgsVectorLayer& layer) {
    const QString text = TextExpression(layer);
    if (layer.labelsEnabled() && layer.labeling() &&
        layer.labeling()->type() == QLatin1String("rule-based")) {
        const Rule* root = static_cast<const QgsRuleBasedLabeling*>(layer.labeling())->rootRule();
        const Rule* balloons = findBalloonRule(root);
        if (balloons && balloons->active() && balloons->settings() &&
            balloons->settings()->fieldName == text)
            return false;
    }
    std::unique_ptr<Rule> root = userRules(layer);
    Rule* balloons = findBalloonRule(root.get());
    if (!balloons) {
        balloons = new Rule(nullptr);
        balloons->setDescription(RuleDescription);
        root->appendChild(balloons);
    }
    balloons->setSettings(balloonSettings(text));
    balloons->setActive(true);
    layer.setLabeling(new QgsRuleBasedLabeling(root.release()));
    layer.setLabelsEnabled(true);
    return true;
}

} // namespace qgishost
