#include "PostgisServer.h"

#include "QgisRuntime.h"

#include <QFile>
#include <QProcess>
#include <libpq-fe.h>
#include <qgsdatasourceuri.h>
#include <qgsvectorlayer.h>
#include <stdexcept>
#include <vector>

namespace qgistest {

namespace {

QString columnType(QVariant::Type type) {
    switch (type) {
    case QVariant::Int:
        return QStringLiteral("integer");
    case QVariant::LongLong:
        return QStringLiteral("bigint");
    case QVariant::Double:
        return QStringLiteral("double precision");
    default:
        return QStringLiteral("text");
    }
}

QString quoted(const QString& identifier) {
    return QLatin1Char('"') +
           QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// One value in COPY's text format.
QByteArray copyText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QByteArrayLiteral("\\N");
    QByteArray text = value.toString().toUtf8();
    text.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
    return text;
}

[[noreturn]] void fail(pg_conn* connection, const QString& what) {
    throw std::runtime_error(QStringLiteral("%1: %2")
                                 .arg(what, QString::fromUtf8(PQerrorMessage(connection)))
                                 .toStdString());
}

} // namespace

PostgisServer::PostgisServer() {
    if (!folder_.isValid())
        throw std::runtime_error("no temporary folder for the PostGIS server");
    state_ = folder_.filePath(QStringLiteral("server.env"));
    script(QStringLiteral("start"));
    running_ = true;
    QFile file(state_);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the PostGIS server left no state file");
    for (const QByteArray& line : file.readAll().split('\n')) {
        const int eq = line.indexOf('=');
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1));
        if (key == "PGHOST")
            host_ = value;
        else if (key == "PGPORT")
            port_ = value.toInt();
        else if (key == "PGUSER")
            user_ = value;
        else if (key == "PGPASSWORD")
            password_ = value;
        else if (key == "PGDATABASE")
            database_ = value;
    }
    const QByteArray info = QStringLiteral("host=%1 port=%2 dbname=%3 user=%4 password=%5")
                                .arg(host_)
                                .arg(port_)
                                .arg(database_, user_, password_)
                                .toUtf8();
    connection_ = PQconnectdb(info.constData());
    if (PQstatus(connection_) != CONNECTION_OK)
        fail(connection_, QStringLiteral("cannot connect to the PostGIS server"));
}

PostgisServer::~PostgisServer() {
    try {
        stop();
    } catch (const std::exception&) {
        // The folder goes with the temporary directory in any case.
    }
}

PostgisServer& PostgisServer::shared() {
    static PostgisServer* server = [] {
        auto* s = new PostgisServer();
        atExit([s] { delete s; });
        return s;
    }();
    return *server;
}

void PostgisServer::script(const QString& action) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"),
                  {QStringLiteral(LOCASTRA_POSTGIS_SCRIPT), action, state_});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        throw std::runtime_error(("postgis-server.sh " + action + " failed: ").toStdString() +
                                 process.readAll().toStdString());
}

void PostgisServer::stop() {
    if (connection_)
        PQfinish(connection_);
    connection_ = nullptr;
    if (running_)
        script(QStringLiteral("stop"));
    running_ = false;
}

QList<QStringList> PostgisServer::rows(const QString& sql, const QVariantList& params) {
    if (!connection_)
        throw std::runtime_error("the PostGIS server is stopped");
    std::vector<QByteArray> texts;
    std::vector<const char*> values;
    for (const QVariant& p : params)
        texts.push_back(p.isValid() && !p.isNull() ? p.toString().toUtf8() : QByteArray());
    for (size_t i = 0; i < texts.size(); ++i)
        values.push_back(params[int(i)].isValid() && !params[int(i)].isNull() ? texts[i].constData()
                                                                              : nullptr);
    PGresult* result = PQexecParams(connection_, sql.toUtf8().constData(), int(values.size()),
                                    nullptr, values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const QString message = QString::fromUtf8(PQresultErrorMessage(result));
        PQclear(result);
        throw std::runtime_error((sql + QStringLiteral(": ") + message).toStdString());
    }
    QList<QStringList> out;
    for (int r = 0; r < PQntuples(result); ++r) {
        QStringList row;
        for (int c = 0; c < PQnfields(result); ++c)
            row << QString::fromUtf8(PQgetvalue(result, r, c));
        out << row;
    }
    PQclear(result);
    return out;
}

void PostgisServer::exec(const QString& sql, const QVariantList& params) {
    rows(sql, params);
}

QString PostgisServer::value(const QString& sql, const QVariantList& params) {
    const QList<QStringList> result = rows(sql, params);
    return result.isEmpty() || result.first().isEmpty() ? QString() : result.first().first();
}

void PostgisServer::createPointTable(const QString& table, int srid, const QgsFields& fields,
                                     int count, const FeatureMaker& make) {
    QStringList columns{QStringLiteral("id serial PRIMARY KEY")};
    QStringList names;
    for (const QgsField& field : fields) {
        columns << quoted(field.name()) + QLatin1Char(' ') + columnType(field.type());
        names << quoted(field.name());
    }
    columns << QStringLiteral("geom geometry(Point, 4326)");
    names << QStringLiteral("geom");
    exec(QStringLiteral("CREATE TABLE %1 (%2)")
             .arg(quoted(table), columns.join(QStringLiteral(", "))));
    PGresult* started =
        PQexec(connection_, QStringLiteral("COPY %1 (%2) FROM STDIN")
                                .arg(quoted(table), names.join(QStringLiteral(", ")))
                                .toUtf8()
                                .constData());
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    PQclear(started);
    if (!copying)
        fail(connection_, QStringLiteral("COPY into %1").arg(table));
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        QgsPointXY point;
        QVariantList values;
        make(i, point, values);
        for (int j = 0; j < fields.count(); ++j) {
            block += copyText(j < values.size() ? values[j] : QVariant());
            block += '\t';
        }
        block += QStringLiteral("SRID=4326;POINT(%1 %2)\n")
                     .arg(point.x(), 0, 'g', 17)
                     .arg(point.y(), 0, 'g', 17)
                     .toLatin1();
        if (block.size() > (1 << 20) || i == count - 1) {
            if (PQputCopyData(connection_, block.constData(), int(block.size())) != 1)
                fail(connection_, QStringLiteral("COPY into %1").arg(table));
            block.clear();
        }
    }
    if (PQputCopyEnd(connection_, nullptr) != 1)
        fail(connection_, QStringLiteral("COPY into %1").arg(table));
    PGresult* result = PQgetResult(connection_);
    const bool copied = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    while ((result = PQgetResult(connection_)))
        PQclear(result);
    if (!copied)
        fail(connection_, QStringLiteral("COPY into %1").arg(table));
    if (srid != 4326)
        exec(QStringLiteral("ALTER TABLE %1 ALTER COLUMN geom TYPE geometry(Point, %2) "
                            "USING ST_Transform(geom, %2)")
                 .arg(quoted(table))
                 .arg(srid));
    exec(QStringLiteral("CREATE INDEX ON %1 USING gist (geom)").arg(quoted(table)));
    exec(QStringLiteral("ANALYZE %1").arg(quoted(table)));
}

QgsVectorLayer* PostgisServer::layer(const QString& table, const QString& name, const QString& user,
                                     const QString& password) const {
    QgsDataSourceUri uri;
    uri.setConnection(host_, QString::number(port_), database_, user.isEmpty() ? user_ : user,
                      user.isEmpty() ? password_ : password);
    uri.setDataSource(QStringLiteral("public"), table, QStringLiteral("geom"), QString(),
                      QStringLiteral("id"));
    auto* result = new QgsVectorLayer(uri.uri(false), name, QStringLiteral("postgres"));
    if (!result->isValid()) {
        delete result;
        throw std::runtime_error(("QGIS cannot open the PostGIS table " + table).toStdString());
    }
    nameByField(result);
    return result;
}

void PostgisServer::createReadOnlyRole(const QString& role, const QString& password) {
    exec(
        QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'")
            .arg(quoted(role), QString(password).replace(QLatin1Char('\''), QStringLiteral("''"))));
    exec(QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA public TO %1").arg(quoted(role)));
}

} // namespace qgistest
