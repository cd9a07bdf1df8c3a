#pragma once

#include "MenuCommands.h"
#include "QgisApplication.h"
#include "QgisMap.h"
#include "QgisRuntime.h"
#include "RecordingAppearance.h"
#include "TestLayers.h"
#include "automation/Error.h"
#include "desktop/Twips.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Field.h"
#include "mappoint/Fields.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "support/ErrorOf.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <qgsmapcanvas.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{' << list.join(", ").toStdString() << '}';
}

// The QGIS adapter on the global project and an offscreen Web-Mercator canvas, with
// an empty project for each test.
class AdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        static QgsMapCanvas* canvas = [] {
            auto* c = new QgsMapCanvas();
            c->setDestinationCrs(QgsCoordinateReferenceSystem(QStringLiteral("EPSG:3857")));
            c->resize(800, 600);
            c->show();
            qgistest::atExit([c] {
                QgsProject::instance()->clear();
                delete c;
            });
            return c;
        }();
        canvas_ = canvas;
        project().clear();
        application_ = std::make_unique<qgishost::QgisApplication>(&project(), canvas_, menu_,
                                                                   appearance_, nullptr);
        map_ = application_->map();
    }
    void TearDown() override {
        map_.reset();
        application_.reset();
        project().clear();
    }

    static QgsProject& project() { return *QgsProject::instance(); }

    // A memory layer of WGS 84 points with fields Name and Note, appended to the panel.
    QgsVectorLayer* addNamed(const QString& layerName, const QStringList& names,
                             const QString& authid = QStringLiteral("EPSG:4326")) {
        auto* layer = qgistest::memoryLayer(
            layerName, authid,
            qgistest::fields({{QStringLiteral("Name"), QVariant::String},
                              {QStringLiteral("Note"), QVariant::String}}),
            int(names.size()), [&](int i, QgsPointXY& p, QVariantList& values) {
                p = QgsPointXY(i, i);
                values = {names[i], QStringLiteral("note %1").arg(i)};
            });
        qgistest::appendToProject(project(), layer);
        return layer;
    }

    QStringList dataSetNames() {
        QStringList names;
        auto sets = map_->DataSets();
        for (int i = 1; i <= sets->Count(); ++i)
            names << sets->Item(i)->Name();
        return names;
    }

    static QStringList walk(const mappoint::DataSetPtr& ds) {
        QStringList names;
        for (auto rs = ds->QueryAllRecords(); !rs->Eof(); rs->MoveNext())
            names << rs->Pushpin()->Name();
        return names;
    }

    // The id of the feature whose Name is name (0 when none).
    static QgsFeatureId idNamed(QgsVectorLayer& layer, const QString& name) {
        QgsFeatureIterator it = layer.getFeatures();
        QgsFeature f;
        while (it.nextFeature(f)) {
            if (f.attribute(QStringLiteral("Name")) == name)
                return f.id();
        }
        return 0;
    }

    static int32_t errorOf(const std::function<void()>& call) {
        return testing_support::errorOf(call);
    }

    QgsMapCanvas* canvas_ = nullptr;
    qgistest::MenuCommands menu_;
    qgistest::RecordingAppearance appearance_;
    std::unique_ptr<qgishost::QgisApplication> application_;
    std::shared_ptr<qgishost::QgisMap> map_;
};
