// Crafted files that once crashed, hung, leaked or silently changed data on import: each
// now ends in an error naming the file and the reason, or imports every value as written.
#include "DocumentTestSupport.h"
#include "maphost/document/DataImport.h"
#include "maphost/document/GdalSupport.h"
#include "maphost/document/ProjFileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <tuple>
#include <unistd.h>

using namespace maphost;

namespace {

constexpr int Seconds = 20;

struct Refusal {
    const char* name;
    QByteArray content;
    const char* reason; // expected in the error
};

class HostileImport : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content) {
        return doctest::writeIn(dir.path(), name, content);
    }
    // The import ends within the time limit with an error naming path and reason.
    void expectRefused(const QString& path, const QString& reason) {
        const QString error =
            doctest::errorWithin(Seconds, [&] { DataImport::importDataSet(path); });
        EXPECT_TRUE(error.contains(QFile::decodeName(QFile::encodeName(path))))
            << error.toStdString();
        EXPECT_TRUE(error.contains(reason, Qt::CaseInsensitive))
            << "expected \"" << reason.toStdString() << "\" in: " << error.toStdString();
    }
    void expectAllRefused(const std::vector<Refusal>& cases) {
        for (const Refusal& c : cases) {
            SCOPED_TRACE(c.name);
            expectRefused(write(QString::fromLatin1(c.name), c.content),
                          QString::fromUtf8(c.reason));
        }
    }
    QTemporaryDir dir;
};

TEST_F(HostileImport, AmbiguousCoordinateColumnsAreNamed) {
    expectAllRefused({
        {"twolat.csv", "name,lat,lat,lon\na,1,2,3\n", "\"lat\" (column 2), \"lat\" (column 3)"},
        {"twolon.csv", "lon,name,LON,lat\n1,a,2,3\n", "\"lon\" (column 1), \"LON\" (column 3)"},
        {"latandy.csv", "Latitude;y;x\n1;2;3\n", "\"Latitude\" (column 1), \"y\" (column 2)"},
    });
}

TEST_F(HostileImport, WhatWouldBlockTheReaderIsRefusedAtOnce) {
    const QString fifo = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectRefused(fifo, QStringLiteral("named pipe"));

    const QString socketPath = dir.filePath(QStringLiteral("socket.geojson"));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    expectRefused(socketPath, QStringLiteral("socket"));
    ::close(listener);

    expectRefused(QStringLiteral("/dev/zero"), QStringLiteral("device"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.gpx")));
    expectRefused(dir.filePath(QStringLiteral("folder.gpx")), QStringLiteral("folder"));

    // A good file whose side file, which GDAL would read too, is a pipe.
    const QString csv = write(QStringLiteral("stops.csv"), "name,lat,lon\na,1,2\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("stops.csvt"))), 0600), 0);
    expectRefused(csv, QStringLiteral("stops.csvt"));

    // A GeoPackage whose point layer is an endless view.
    const QString gpkg = dir.filePath(QStringLiteral("endless.gpkg"));
    GDALAllRegister();
    GDALDataset* ds = GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
        gpkg.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr);
    ASSERT_NE(ds, nullptr);
    ds->CreateLayer("points", nullptr, wkbPoint, nullptr);
    for (const char* sql :
         {"DROP TABLE points", "CREATE VIEW points AS WITH RECURSIVE c(x) AS (SELECT 1 UNION "
                               "ALL SELECT x + 1 FROM c) SELECT x AS fid, NULL AS geom FROM c"})
        ds->ReleaseResultSet(ds->ExecuteSQL(sql, nullptr, nullptr));
    GDALClose(ds);
    expectRefused(gpkg, QStringLiteral("view \"points\""));
}

// Counts the connections made to a port on 127.0.0.1 while it lives.
class Listener {
public:
    Listener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::listen(fd_, 16) == 0 &&
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] {
            pollfd pfd{fd_, POLLIN, 0};
            while (!stop_) {
                if (::poll(&pfd, 1, 50) > 0) {
                    const int connection = ::accept(fd_, nullptr, nullptr);
                    if (connection >= 0) {
                        ++connections_;
                        ::close(connection); // an empty answer ends the request at once
                    }
                }
            }
        });
    }
    ~Listener() {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }
    int port() const { return port_; }
    int connections() const { return connections_; }

private:
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};

TEST_F(HostileImport, NoFileReachesTheNetworkOrAnotherFile) {
    Listener listener;
    ASSERT_GT(listener.port(), 0);
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(listener.port());
    const QString secret = write(QStringLiteral("secret.csv"), "name,lat,lon\nsecret,1,2\n");
    const QByteArray remoteVrt = "<OGRVRTDataSource><OGRVRTLayer name=\"x\"><SrcDataSource>"
                                 "/vsicurl/" +
                                 url + "/a.csv</SrcDataSource></OGRVRTLayer></OGRVRTDataSource>";
    const QByteArray localVrt = "<OGRVRTDataSource><OGRVRTLayer name=\"secret\"><SrcDataSource>" +
                                QFile::encodeName(secret) +
                                "</SrcDataSource><GeometryType>wkbPoint</GeometryType>"
                                "<GeometryField encoding=\"PointFromColumns\" x=\"lon\" "
                                "y=\"lat\"/></OGRVRTLayer></OGRVRTDataSource>";
    const QByteArray crsLink = R"({"type":"FeatureCollection","crs":{"type":"link",
        "properties":{"href":")" +
                               url + R"(/crs","type":"proj4"}},"features":[{"type":"Feature",
        "geometry":{"type":"Point","coordinates":[1,2]},"properties":{"name":"a"}}]})";
    const std::pair<const char*, QByteArray> files[] = {
        {"remote.kml", remoteVrt}, {"remote.gpx", remoteVrt}, {"remote.geojson", remoteVrt},
        {"remote.csv", remoteVrt}, {"remote.shp", remoteVrt}, {"local.gpx", localVrt},
        {"local.kml", localVrt},   {"local.vrt", localVrt},   {"crslink.geojson", crsLink},
        {"crslink.json", crsLink},
    };
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        const QString path = write(QString::fromLatin1(name), content);
        const QString error =
            doctest::errorWithin(Seconds, [&] { DataImport::importDataSet(path); });
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_FALSE(error.contains(QStringLiteral("no result"))) << error.toStdString();
        fprintf(stderr, "PROBE %s: %s\n", name, qPrintable(error));
    }
    EXPECT_EQ(listener.connections(), 0);
}

// A coordinate system may name grid files by their path; PROJ would open them while
// the file is read. The "grid" is a named pipe: opening it would block the import.
TEST_F(HostileImport, GridFilesACoordinateSystemNamesAreNotOpened) {
    const QByteArray grid = QFile::encodeName(dir.filePath(QStringLiteral("grid.gsb")));
    ASSERT_EQ(::mkfifo(grid.constData(), 0600), 0);
    const QByteArray wgs84 = R"(GEOGCRS["WGS 84",DATUM["World Geodetic System 1984",)"
                             R"(ELLIPSOID["WGS 84",6378137,298.257223563]],CS[ellipsoidal,2],)"
                             R"(AXIS["lat",north,ANGLEUNIT["degree",0.0174532925199433]],)"
                             R"(AXIS["lon",east,ANGLEUNIT["degree",0.0174532925199433]]])";
    const QByteArray bound = "BOUNDCRS[SOURCECRS[" + wgs84 + "],TARGETCRS[" + wgs84 +
                             R"(],ABRIDGEDTRANSFORMATION["shift",METHOD["NTv2"],)"
                             R"(PARAMETERFILE["Latitude and longitude difference file",")" +
                             grid + R"("]]])";
    const auto withCrs = [](QByteArray crs) {
        crs.replace('"', "\\\"");
        return R"({"type":"FeatureCollection","crs":{"type":"name","properties":{"name":")" + crs +
               R"("}},"features":[{"type":"Feature","geometry":{"type":"Point",
               "coordinates":[1,2]},"properties":{"name":"a"}}]})";
    };
    // A grid that is required cannot be found, so the file is refused; an optional one
    // ("@") is left out, as PROJ does with any optional grid it does not have.
    const std::tuple<const char*, QByteArray, bool> files[] = {
        {"nadgrids.geojson", withCrs("+proj=longlat +ellps=clrk66 +nadgrids=" + grid), true},
        {"optional.geojson", withCrs("+proj=longlat +ellps=clrk66 +nadgrids=@" + grid), false},
        {"wkt.geojson", withCrs(bound), true},
    };
    for (const auto& [name, content, refused] : files) {
        SCOPED_TRACE(name);
        const QString path = write(QString::fromLatin1(name), content);
        const QString error =
            doctest::errorWithin(Seconds, [&] { DataImport::importDataSet(path); });
        if (refused)
            EXPECT_TRUE(error.contains(path) && error.contains(QStringLiteral("grid")))
                << error.toStdString();
        else
            EXPECT_EQ(error, QString());
    }
    gdal::ensureRegistered();
    EXPECT_TRUE(gdal::projMayOpen(QStringLiteral(PROJ_DATA_DIR "/proj.db")));
    EXPECT_FALSE(gdal::projMayOpen(QFile::decodeName(grid)));
    EXPECT_FALSE(gdal::projMayOpen(QStringLiteral(PROJ_DATA_DIR "/../../../etc/passwd")));
    EXPECT_FALSE(gdal::projMayOpen(QStringLiteral("proj.db")));
}

TEST_F(HostileImport, ValuesGdalWouldChangeOrDropAreRefused) {
    QByteArray wide = "lat,lon";
    QByteArray wideRow = "1,2";
    for (int i = 0; i < 2100; ++i) {
        wide += ",c" + QByteArray::number(i);
        wideRow += "," + QByteArray::number(i);
    }
    const QByteArray gpxHead = "<?xml version=\"1.0\"?><gpx version=\"1.1\" creator=\"t\" "
                               "xmlns=\"http://www.topografix.com/GPX/1/1\">";
    const QByteArray kmlHead = "<?xml version=\"1.0\"?><kml xmlns=\"http://www.opengis.net/kml/"
                               "2.2\"><Document><Placemark><name>x</name><Point><coordinates>";
    auto geoJson = [](const QByteArray& properties) {
        return R"({"type":"FeatureCollection","features":[{"type":"Feature","geometry":)"
               R"({"type":"Point","coordinates":[1,2]},"properties":)" +
               properties + "}]}";
    };
    expectAllRefused({
        {"wide.csv", wide + "\n" + wideRow + "\n", "2000"},
        {"garbage.csv", "name,lat,lon\na,1,2\nb,1.5abc,2\n", "record 2"},
        {"latgarbage.gpx", gpxHead + "<wpt lat=\"abc\" lon=\"7\"><name>a</name></wpt></gpx>",
         "lat of a wpt is not a number"},
        {"nolat.gpx", gpxHead + "<wpt lat=\"1\" lon=\"7\"/><wpt lon=\"7\"/></gpx>",
         "lat of a wpt is missing"},
        {"garbage.kml", kmlHead + "1.5x,2</coordinates></Point></Placemark></Document></kml>",
         "\"1.5x,2\""},
        {"nul.geojson", geoJson(R"({"name":"cut\u0000off"})"), "NUL"},
        {"rawnul.geojson", geoJson(QByteArray("{\"name\":\"cut\0off\"}", 19)), "NUL"},
        {"huge.geojson", geoJson(R"({"n":123456789012345678901234})"), "integer"},
        {"date.geojson", geoJson(R"({"day":"2024-02-30"})"), "\"2024/02/30\" in field \"day\""},
        {"time.gpx",
         gpxHead + "<wpt lat=\"1\" lon=\"7\"><time>2024-02-30T10:00:00Z</time></wpt></gpx>",
         "not a valid date"},
    });
}

TEST_F(HostileImport, CsvValuesArriveAsWritten) {
    const QString path = write(QStringLiteral("people.csv"),
                               "name,lat,lon,zip,phone,big,day,code,share\n"
                               "Jos\xe9,1,2,01234,+41441234567,123456789012345678901234,"
                               "2024-02-30,007,1.5\n"
                               "Ann,1,2,8001,0441234567,1,2024-02-28,12,2\n");
    const DataSetData set = DataImport::importDataSet(path);
    ASSERT_EQ(set.pushpins.size(), 2u);
    EXPECT_EQ(set.pushpins[0].name, QStringLiteral("José")); // Latin-1, last letter kept
    const QStringList asWritten = {
        QStringLiteral("José"),         QStringLiteral("01234"),
        QStringLiteral("+41441234567"), QStringLiteral("123456789012345678901234"),
        QStringLiteral("2024-02-30"),   QStringLiteral("007")};
    for (int k = 0; k < asWritten.size(); ++k) {
        EXPECT_EQ(set.fields[k].type, QMetaType::QString) << set.fields[k].name.toStdString();
        EXPECT_EQ(set.pushpins[0].values[k], QVariant(asWritten[k]));
    }
    EXPECT_EQ(set.fields[6].type, QMetaType::Double); // every value is a number
    EXPECT_EQ(set.pushpins[1].values[6], QVariant(2.0));
}

TEST_F(HostileImport, ValuesBeyondTheHeaderAreFoundWithAnyDelimiter) {
    for (const char delimiter : {',', ';', '\t'}) {
        SCOPED_TRACE(delimiter);
        QByteArray csv = "name,lat,lon\n\"a, quoted\",1,2\nb,3,4\n";
        csv.replace(',', delimiter);
        csv.replace(QByteArray("a") + delimiter + " quoted", "a, quoted");
        const DataSetData set = DataImport::importDataSet(write(QStringLiteral("d.csv"), csv));
        ASSERT_EQ(set.pushpins.size(), 2u);
        EXPECT_EQ(set.pushpins[0].name, QStringLiteral("a, quoted"));
        EXPECT_EQ(set.pushpins[1].latitude, 3);
        expectRefused(write(QStringLiteral("d.csv"),
                            csv + "c" + delimiter + "5" + delimiter + "6" + delimiter + "lost\n"),
                      QStringLiteral("record 3 has 4 values"));
    }
}

TEST_F(HostileImport, FileNameThatIsNotUtf8IsReportedAsSuch) {
    const QByteArray name = QFile::encodeName(dir.path()) + "/caf\xe9.csv";
    const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "name,lat,lon\na,1,2\n", 19), 19);
    ::close(fd);
    const QString path = QFile::decodeName(name);
    expectRefused(path, QStringLiteral("not valid UTF-8"));
    EXPECT_FALSE(doctest::errorOf([&] {
                     DataImport::importDataSet(path);
                 }).contains(QStringLiteral("does not exist")));
}

} // namespace
