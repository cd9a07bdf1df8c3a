// PostGIS tables shared with a second connection that deletes, renames and locks rows
// while QGIS has them open; writes the server refuses; the server gone.
#include "MenuCommands.h"
#include "PostgisServer.h"
#include "QgisApplication.h"
#include "QgisLayer.h"
#include "QgisMap.h"
#include "automation/Error.h"
#include "mappoint/DataSet.h"
#include "mappoint/DataSets.h"
#include "mappoint/Location.h"
#include "mappoint/Pushpin.h"
#include "mappoint/Recordset.h"
#include "qgis/styling/ProjectAppearance.h"
#include "support/ErrorOf.h"

#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <qgsmapcanvas.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

namespace {

using qgistest::PostgisServer;

using testing_support::errorOf;

QStringList walk(const mappoint::DataSetPtr& ds) {
    QStringList names;
    for (auto rs = ds->QueryAllRecords(); !rs->Eof(); rs->MoveNext())
        names << rs->Pushpin()->Name();
    return names;
}

class SharedPostgisLayer : public ::testing::Test {
protected:
    void SetUp() override {
        canvas_.setDestinationCrs(QgsCoordinateReferenceSystem(QStringLiteral("EPSG:3857")));
        project().clear();
        application_ = std::make_unique<qgishost::QgisApplication>(&project(), &canvas_, menu_,
                                                                   appearance_, nullptr);
        map_ = application_->map();
    }
    void TearDown() override {
        map_.reset();
        application_.reset();
        project().clear();
    }
    static QgsProject& project() { return *QgsProject::instance(); }

    // A new table of the named pushpins at (i, i), in WGS 84, opened as a layer.
    QgsVectorLayer* addTable(const QStringList& names,
                             PostgisServer& server = PostgisServer::shared(),
                             const QString& user = {}, const QString& password = {}) {
        static int tables = 0;
        table_ = QStringLiteral("shared_%1").arg(++tables);
        server.createPointTable(table_, 4326,
                                qgistest::fields({{QStringLiteral("Name"), QVariant::String}}),
                                int(names.size()), [&](int i, QgsPointXY& p, QVariantList& v) {
                                    p = QgsPointXY(i, i);
                                    v = {names[i]};
                                });
        QgsVectorLayer* layer = server.layer(table_, QStringLiteral("Pins"), user, password);
        qgistest::appendToProject(project(), layer);
        return layer;
    }
    // What the server holds: the table's rows in id order, its columns and the
    // database's tables.
    QString stored(PostgisServer& server = PostgisServer::shared()) const {
        return server.value(QStringLiteral("SELECT string_agg(t::text, '|' ORDER BY id) FROM %1 t")
                                .arg(table_)) +
               '\n' +
               server.value(QStringLiteral("SELECT string_agg(column_name, ',' ORDER BY "
                                           "ordinal_position) FROM information_schema.columns "
                                           "WHERE table_name = '%1'")
                                .arg(table_)) +
               '\n' +
               server.value(QStringLiteral(
                   "SELECT string_agg(tablename, ',' ORDER BY tablename) FROM pg_tables WHERE "
                   "schemaname NOT IN ('pg_catalog', 'information_schema')"));
    }
    // Whether the pushpin stands at (degrees, degrees).
    bool at(const mappoint::PushpinPtr& pin, double degrees) {
        return map_->Distance(pin->Location(), map_->GetLocation(degrees, degrees, 0)) < 1e-3;
    }

    QgsMapCanvas canvas_;
    qgistest::MenuCommands menu_;
    qgishost::ProjectAppearance appearance_{*QgsProject::instance()};
    std::unique_ptr<qgishost::QgisApplication> application_;
    std::shared_ptr<qgishost::QgisMap> map_;
    QString table_;
};

TEST_F(SharedPostgisLayer, PostgisFindPushpinAsksTheServerUntilAFullWalkBuiltTheIndex) {
    QgsVectorLayer* layer = addTable({"Alpha", "Dup", "Dup", "Beta"});
    const auto state = map_->layerState(*layer);
    auto& other = PostgisServer::shared();
    ASSERT_TRUE(map_->FindPushpin("Dup"));
    EXPECT_TRUE(at(map_->FindPushpin("Dup"), 1)) << "the first in record order";
    other.exec(QStringLiteral("INSERT INTO %1 (\"Name\", geom) VALUES ('Later', "
                              "ST_SetSRID(ST_MakePoint(9, 9), 4326))")
                   .arg(table_));
    EXPECT_TRUE(map_->FindPushpin("Later")) << "asked, not indexed";
    EXPECT_FALSE(state->indexed());
    auto rs = map_->DataSets()->Item(1)->QueryAllRecords();
    rs->MoveNext();
    rs.reset();
    EXPECT_FALSE(state->indexed()) << "a walk stopped early builds nothing";
    walk(map_->DataSets()->Item(1));
    EXPECT_TRUE(state->indexed()) << "a full walk built it";
    EXPECT_TRUE(map_->FindPushpin("Later"));
    EXPECT_FALSE(map_->FindPushpin("Nowhere"));
}

TEST_F(SharedPostgisLayer, PostgisFindPushpinKeepsHandlingEventsWhileTheServerWorks) {
    addTable({"Alpha", "Beta"});
    auto& other = PostgisServer::shared();
    // The second connection holds the table until an event of this thread lets it go
    // (or, should none come, the server after 5 s).
    other.exec(QStringLiteral("BEGIN"));
    other.exec(QStringLiteral("SET LOCAL idle_in_transaction_session_timeout = '5s'"));
    other.exec(QStringLiteral("LOCK TABLE %1 IN ACCESS EXCLUSIVE MODE").arg(table_));
    bool releasedDuringTheCall = false;
    QTimer release;
    release.setSingleShot(true);
    QObject::connect(&release, &QTimer::timeout, [&] {
        other.exec(QStringLiteral("COMMIT"));
        releasedDuringTheCall = true;
    });
    release.start(50);
    const auto beta = map_->FindPushpin("Beta");
    release.stop();
    EXPECT_TRUE(releasedDuringTheCall);
    ASSERT_TRUE(beta);
    EXPECT_TRUE(at(beta, 1));
}

TEST_F(SharedPostgisLayer, PostgisFindPushpinSeesDeletesAndRenamesMadeElsewhere) {
    addTable({"Alpha", "Dup", "Dup", "Beta"});
    walk(map_->DataSets()->Item(1));
    ASSERT_TRUE(map_->FindPushpin("Alpha"));
    auto& other = PostgisServer::shared();
    other.exec(QStringLiteral("DELETE FROM %1 WHERE id = 1").arg(table_));
    other.exec(QStringLiteral("UPDATE %1 SET \"Name\" = 'Renamed' WHERE id = 2").arg(table_));
    EXPECT_FALSE(map_->FindPushpin("Alpha")) << "deleted elsewhere: no pushpin";
    auto dup = map_->FindPushpin("Dup");
    ASSERT_TRUE(dup) << "the next of that name takes over";
    EXPECT_TRUE(at(dup, 2));
    ASSERT_TRUE(map_->FindPushpin("Renamed")) << "the index learned the new name";
    EXPECT_TRUE(at(map_->FindPushpin("Renamed"), 1));
    EXPECT_TRUE(map_->FindPushpin("Beta"));
    // The server moves an updated row to its table's end, so only the names are compared.
    QStringList names = walk(map_->DataSets()->Item(1));
    names.sort();
    EXPECT_EQ(names, (QStringList{"Beta", "Dup", "Renamed"}));
}

TEST_F(SharedPostgisLayer, PostgisPushpinDeletedElsewhereFailsWithAnError) {
    addTable({"Alpha", "Beta", "Gamma"});
    auto beta = map_->FindPushpin("Beta");
    auto rs = map_->DataSets()->Item(1)->QueryAllRecords();
    PostgisServer::shared().exec(QStringLiteral("DELETE FROM %1 WHERE id = 2").arg(table_));
    const int32_t deleted = automation::errors::ObjectDeleted;
    EXPECT_EQ(errorOf([&] { beta->Select(); }), deleted);
    EXPECT_EQ(errorOf([&] { beta->Delete(); }), deleted);
    EXPECT_EQ(errorOf([&] { beta->SetSymbol(5); }), deleted);
    // A walk opened before the delete keeps reading without a crash.
    int walked = 0;
    for (; !rs->Eof(); rs->MoveNext())
        ++walked;
    EXPECT_GE(walked, 2);
}

TEST_F(SharedPostgisLayer, PostgisReadOnlyRoleRefusesDeletesButKeepsSymbolsInTheProject) {
    auto& server = PostgisServer::shared();
    static bool roleMade = false;
    if (!roleMade)
        server.createReadOnlyRole(QStringLiteral("reader"), QStringLiteral("read only"));
    roleMade = true;
    QgsVectorLayer* layer = addTable({"Alpha", "Beta"});
    server.exec(QStringLiteral("GRANT SELECT ON %1 TO reader").arg(table_));
    project().removeMapLayer(layer);
    layer = server.layer(table_, QStringLiteral("Pins"), QStringLiteral("reader"),
                         QStringLiteral("read only"));
    qgistest::appendToProject(project(), layer);
    const QString before = stored();
    auto alpha = map_->FindPushpin("Alpha");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(errorOf([&] { alpha->Delete(); }), automation::errors::NotSupported);
    EXPECT_FALSE(layer->isEditable());
    alpha->SetSymbol(17);
    alpha->SetBalloonState(mappoint::geoDisplayBalloon);
    EXPECT_EQ(alpha->Symbol(), 17);
    EXPECT_EQ(map_->FindPushpin("Alpha")->BalloonState(), mappoint::geoDisplayBalloon);
    EXPECT_EQ(stored(), before) << "nothing reached the shared table";
    EXPECT_EQ(walk(map_->DataSets()->Item(1)), (QStringList{"Alpha", "Beta"}));
}

TEST_F(SharedPostgisLayer, PostgisSymbolsAndBalloonsStayInTheProjectAfterASave) {
    addTable({"Alpha", "Beta"});
    const QString before = stored();
    map_->DataSets()->Item(1)->SetSymbol(12);
    map_->FindPushpin("Alpha")->SetSymbol(40);
    map_->FindPushpin("Beta")->SetBalloonState(mappoint::geoDisplayName);
    QTemporaryDir folder;
    ASSERT_TRUE(project().write(folder.filePath(QStringLiteral("team.qgz"))));
    EXPECT_EQ(stored(), before) << "rows, columns and tables as they were";
    EXPECT_EQ(map_->FindPushpin("Alpha")->Symbol(), 40);
}

TEST_F(SharedPostgisLayer, PostgisRefusedSaveKeepsTheDeletePendingInTheEditBuffer) {
    QgsVectorLayer* layer = addTable({"Alpha", "Beta"});
    auto& server = PostgisServer::shared();
    server.exec(QStringLiteral("CREATE FUNCTION refuse_%1() RETURNS trigger LANGUAGE plpgsql AS "
                               "$$BEGIN RAISE EXCEPTION 'kept by the team'; END$$")
                    .arg(table_));
    server.exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON %1 FOR EACH ROW EXECUTE "
                               "FUNCTION refuse_%1()")
                    .arg(table_));
    map_->FindPushpin("Alpha")->Delete();
    EXPECT_FALSE(layer->commitChanges()) << "the server refused the delete";
    EXPECT_TRUE(layer->isEditable()) << "the edit stays for the user to retry or discard";
    EXPECT_FALSE(map_->FindPushpin("Alpha")) << "still deleted in the edit buffer";
    EXPECT_EQ(walk(map_->DataSets()->Item(1)), (QStringList{"Beta"}));
    EXPECT_EQ(server.value(QStringLiteral("SELECT count(*) FROM %1").arg(table_)), "2");
    ASSERT_TRUE(layer->rollBack());
    EXPECT_TRUE(map_->FindPushpin("Alpha")) << "discarding the edit brings it back";
}

TEST_F(SharedPostgisLayer, PostgisServerGoneFailsWithServerUnavailable) {
    PostgisServer own;
    addTable({"Alpha", "Beta"}, own);
    auto ds = map_->DataSets()->Item(1);
    auto alpha = map_->FindPushpin("Alpha");
    ASSERT_TRUE(alpha);
    own.stop();
    const int32_t gone = automation::errors::ServerUnavailable;
    EXPECT_EQ(errorOf([&] { map_->FindPushpin("Alpha"); }), gone) << "not taken as deleted";
    EXPECT_EQ(errorOf([&] { alpha->Delete(); }), gone);
    EXPECT_EQ(errorOf([&] { ds->QueryAllRecords(); }), gone) << "not an empty dataset";
}

} // namespace
