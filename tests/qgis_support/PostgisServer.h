#pragma once

#include "TestLayers.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

struct pg_conn;
class QgsVectorLayer;

namespace qgistest {

// A private PostgreSQL/PostGIS server for one test or benchmark program, started by
// scripts/postgis-server.sh in a temporary folder on a free port and dropped with
// everything in it when the object goes. It also holds a libpq connection of its
// own: the second user of the database, who edits while QGIS has the layer open.
class PostgisServer {
public:
    PostgisServer();
    ~PostgisServer();
    PostgisServer(const PostgisServer&) = delete;
    PostgisServer& operator=(const PostgisServer&) = delete;

    // The server of the running program, started on first use, stopped at exit.
    static PostgisServer& shared();

    // Runs SQL on the second connection ($1, $2... take params, an invalid QVariant is
    // NULL); fails with std::runtime_error carrying the server's message.
    void exec(const QString& sql, const QVariantList& params = {});
    // The rows of a query, each as its columns' text.
    QList<QStringList> rows(const QString& sql, const QVariantList& params = {});
    QString value(const QString& sql, const QVariantList& params = {});

    // A new table of points with a serial primary key "id" and the given fields,
    // loaded in one COPY: make gives each point in WGS 84, which the server stores
    // in srid.
    void createPointTable(const QString& table, int srid, const QgsFields& fields, int count,
                          const FeatureMaker& make);
    // The table as QGIS opens it, through its PostgreSQL provider, as user (the
    // database's owner when empty). Its display expression is "Name" when it has one.
    QgsVectorLayer* layer(const QString& table, const QString& name, const QString& user = {},
                          const QString& password = {}) const;
    // A login role that may only read the tables of the database.
    void createReadOnlyRole(const QString& role, const QString& password);

    // Stops the server now (the connection dies with it): the server gone.
    void stop();

    QString host() const { return host_; }
    int port() const { return port_; }
    QString database() const { return database_; }

private:
    void script(const QString& action);

    QTemporaryDir folder_;
    QString state_;
    QString host_;
    int port_ = 0;
    QString user_;
    QString password_;
    QString database_;
    pg_conn* connection_ = nullptr;
    bool running_ = false;
};

} // namespace qgistest
