// Failed saves leave the old document as it was; files that are not our documents are
// refused with an error naming the file and the reason.
#include "DocumentTestSupport.h"
#include "maphost/document/MapDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <limits>
#include <ogrsf_frmts.h>
#include <unistd.h>

using namespace maphost;

namespace {

MapData smallMap(const QString& pinName) {
    MapData map;
    DataSetData set;
    set.name = QStringLiteral("Stops");
    set.fields = {{QStringLiteral("Count"), QMetaType::LongLong}};
    PushpinData p;
    p.name = pinName;
    p.latitude = 1;
    p.longitude = 2;
    p.values = {qlonglong(3)};
    set.pushpins = {p};
    map.dataSets.push_back(set);
    return map;
}

class MapDocumentFailure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        doc = dir.filePath(QStringLiteral("map.gpkg"));
        MapDocument::save(smallMap(QStringLiteral("old")), doc);
        oldBytes = doctest::readAll(doc);
        ASSERT_FALSE(oldBytes.isEmpty());
    }
    void expectOldDocumentUntouched() {
        EXPECT_EQ(doctest::readAll(doc), oldBytes);
        EXPECT_EQ(doctest::entriesOf(dir.path()), QStringList{QStringLiteral("map.gpkg")});
        EXPECT_EQ(MapDocument::open(doc).dataSets[0].pushpins[0].name, QStringLiteral("old"));
    }
    QTemporaryDir dir;
    QString doc;
    QByteArray oldBytes;
};

TEST_F(MapDocumentFailure, SaveFailingHalfwayLeavesOldDocumentAndNoTemporaryFile) {
    // The bad value sits in the last record, so the temporary document is well under way
    // when the save gives up.
    MapData bad = smallMap(QStringLiteral("new"));
    for (int i = 0; i < 1000; ++i)
        bad.dataSets[0].pushpins.push_back(bad.dataSets[0].pushpins[0]);
    bad.dataSets[0].pushpins.back().values[0] = QStringLiteral("not a number");
    const QString error = doctest::errorOf([&] { MapDocument::save(bad, doc); });
    EXPECT_TRUE(error.contains(doc)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("not a number"))) << error.toStdString();
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, UnsavableDataIsRefusedWithReason) {
    MapData noLocation = smallMap(QStringLiteral("new"));
    noLocation.dataSets[0].pushpins[0].latitude = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::save(noLocation, doc);
                }).contains(QStringLiteral("no valid location")));
    MapData tooManyValues = smallMap(QStringLiteral("new"));
    tooManyValues.dataSets[0].pushpins[0].values.append(1.5);
    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::save(tooManyValues, doc);
                }).contains(QStringLiteral("2 values for 1 fields")));
    MapData oddType = smallMap(QStringLiteral("new"));
    oddType.dataSets[0].fields[0].type = QMetaType::QPointF;
    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::save(oddType, doc);
                }).contains(QStringLiteral("cannot be stored")));
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, SaveIntoReadOnlyFolderLeavesOldDocument) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString error =
        doctest::errorOf([&] { MapDocument::save(smallMap(QStringLiteral("new")), doc); });
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(error.contains(doc)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("temporary"))) << error.toStdString();
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, ReadOnlyDocumentIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    ASSERT_TRUE(QFile::setPermissions(doc, QFile::ReadOwner));
    const QString error =
        doctest::errorOf([&] { MapDocument::save(smallMap(QStringLiteral("new")), doc); });
    QFile::setPermissions(doc, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(error.contains(doc) && error.contains(QStringLiteral("read-only")))
        << error.toStdString();
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, SaveWhoseTemporaryFileCannotBeMadeLeavesOldDocument) {
    // A name so long that the temporary name beside it is too long for the file system
    // (this fails for root as well, unlike a read-only folder).
    const QString longName = dir.filePath(QString(240, u'n') + QStringLiteral(".gpkg"));
    ASSERT_TRUE(QFile::copy(doc, longName));
    const QString error =
        doctest::errorOf([&] { MapDocument::save(smallMap(QStringLiteral("new")), longName); });
    EXPECT_TRUE(error.contains(longName)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("temporary"))) << error.toStdString();
    EXPECT_EQ(doctest::readAll(longName), oldBytes);
    QFile::remove(longName);
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, SaveWhereNoFileCanBeMadeNamesTheFile) {
    const QString inMissingFolder = dir.filePath(QStringLiteral("no/such/folder/map.gpkg"));
    const QString error = doctest::errorOf(
        [&] { MapDocument::save(smallMap(QStringLiteral("new")), inMissingFolder); });
    EXPECT_TRUE(error.contains(inMissingFolder)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    const QString folder = dir.filePath(QStringLiteral("folder.gpkg"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.gpkg")));
    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::save(smallMap(QStringLiteral("new")), folder);
                }).contains(QStringLiteral("folder")));
    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::save(MapData(), QString());
                }).contains(QStringLiteral("no file name")));
    QDir(dir.path()).rmdir(QStringLiteral("folder.gpkg"));
    expectOldDocumentUntouched();
}

TEST_F(MapDocumentFailure, OpenRefusesWhatIsNotAMapDocument) {
    const QString missing = dir.filePath(QStringLiteral("missing.gpkg"));
    QString error = doctest::errorOf([&] { MapDocument::open(missing); });
    EXPECT_TRUE(error.contains(missing) && error.contains(QStringLiteral("does not exist")))
        << error.toStdString();

    const QString text = dir.filePath(QStringLiteral("text.gpkg"));
    doctest::writeText(text, "just some text\n");
    error = doctest::errorOf([&] { MapDocument::open(text); });
    EXPECT_TRUE(error.contains(text) && error.contains(QStringLiteral("not a GeoPackage")))
        << error.toStdString();

    const QString truncated = dir.filePath(QStringLiteral("truncated.gpkg"));
    doctest::writeText(truncated, oldBytes.left(oldBytes.size() / 3));
    EXPECT_TRUE(doctest::errorOf([&] { MapDocument::open(truncated); }).contains(truncated));

    // A GeoPackage that some other program wrote.
    const QString foreign = dir.filePath(QStringLiteral("foreign.gpkg"));
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    GDALDataset* ds = driver->Create(foreign.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr);
    ASSERT_NE(ds, nullptr);
    ds->CreateLayer("points", nullptr, wkbPoint, nullptr);
    GDALClose(ds);
    error = doctest::errorOf([&] { MapDocument::open(foreign); });
    EXPECT_TRUE(error.contains(foreign) && error.contains(QStringLiteral("not a Locastra map")))
        << error.toStdString();

    EXPECT_TRUE(doctest::errorOf([&] {
                    MapDocument::open(dir.path());
                }).contains(QStringLiteral("folder")));
}

TEST_F(MapDocumentFailure, OpenRefusesUnreadableFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    ASSERT_TRUE(QFile::setPermissions(doc, QFile::WriteOwner));
    const QString error = doctest::errorOf([&] { MapDocument::open(doc); });
    QFile::setPermissions(doc, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(error.contains(doc) && error.contains(QStringLiteral("cannot be read")))
        << error.toStdString();
}

TEST_F(MapDocumentFailure, OpenRefusesNewerAndDamagedDocuments) {
    doctest::runSql(doc, "UPDATE locastra_document SET value = '99' WHERE key = 'version'");
    QString error = doctest::errorOf([&] { MapDocument::open(doc); });
    EXPECT_TRUE(error.contains(doc) && error.contains(QStringLiteral("newer version")))
        << error.toStdString();

    doctest::runSql(doc, "UPDATE locastra_document SET value = '1' WHERE key = 'version'");
    ASSERT_EQ(MapDocument::open(doc).dataSets.size(), 1u);
    doctest::runSql(doc, "UPDATE locastra_fields SET column_name = 'gone'");
    error = doctest::errorOf([&] { MapDocument::open(doc); });
    EXPECT_TRUE(error.contains(QStringLiteral("damaged")) && error.contains(QStringLiteral("gone")))
        << error.toStdString();

    doctest::runSql(doc, "DROP TABLE locastra_view");
    EXPECT_TRUE(
        doctest::errorOf([&] { MapDocument::open(doc); }).contains(QStringLiteral("damaged")));
}

} // namespace
