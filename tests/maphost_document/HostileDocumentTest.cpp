// Damaged or hostile map documents end in an error naming the file and the reason, within
// bounded time; saves leave no left-overs and write only the document they were given.
#include "DocumentTestSupport.h"
#include "maphost/document/AtomicFileWriter.h"
#include "maphost/document/DocumentWriter.h"
#include "maphost/document/MapDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace maphost;

namespace {

constexpr int Seconds = 20;

MapData mapWithFields(const QString& pinName) {
    MapData map;
    for (const QString& name : {QStringLiteral("Stops"), QStringLiteral("Depots")}) {
        DataSetData set;
        set.name = name;
        set.fields = {{QStringLiteral("A"), QMetaType::QString},
                      {QStringLiteral("B"), QMetaType::LongLong},
                      {QStringLiteral("C"), QMetaType::Double},
                      {QStringLiteral("D"), QMetaType::QDate}};
        PushpinData p;
        p.name = pinName;
        p.latitude = 1;
        p.longitude = 2;
        p.values = {QStringLiteral("a"), qlonglong(2), 3.5, QDate(2024, 1, 2)};
        set.pushpins = {p};
        map.dataSets.push_back(set);
    }
    return map;
}

class HostileDocument : public ::testing::Test {
protected:
    void SetUp() override {
        doc = dir.filePath(QStringLiteral("map.gpkg"));
        MapDocument::save(mapWithFields(QStringLiteral("old")), doc);
        original = doctest::readAll(doc);
    }
    void expectOpenRefused(const QString& path, const QString& reason) {
        const QString error = doctest::errorWithin(Seconds, [&] { MapDocument::open(path); });
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_TRUE(error.contains(reason))
            << "expected \"" << reason.toStdString() << "\" in: " << error.toStdString();
    }
    QTemporaryDir dir;
    QString doc;
    QByteArray original;
};

TEST_F(HostileDocument, DamagedStructureIsRefusedInBoundedTime) {
    const char* const endless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c)";
    const struct {
        const char* what;
        QByteArray sql;
        const char* reason;
    } cases[] = {
        {"field positions twice", "UPDATE locastra_fields SET position = 0", "share position 0"},
        {"dataset positions twice", "UPDATE locastra_datasets SET position = 0",
         "dataset positions"},
        {"fields table as an endless view",
         QByteArray("DROP TABLE locastra_fields; CREATE VIEW locastra_fields AS ") + endless +
             " SELECT x AS fid, 0 AS dataset, x AS position, 'f' AS name, 'f' AS column_name, "
             "'string' AS type FROM c; INSERT INTO gpkg_contents (table_name, data_type, "
             "identifier) VALUES ('locastra_fields', 'attributes', 'locastra_fields')",
         "view \"locastra_fields\""},
        {"contents as an endless view",
         QByteArray("ALTER TABLE gpkg_contents RENAME TO old_contents; CREATE VIEW gpkg_contents "
                    "AS ") +
             endless + " SELECT o.* FROM c, old_contents o",
         "view \"gpkg_contents\""},
        {"virtual table", "CREATE VIRTUAL TABLE words USING fts4(a)", "virtual table \"words\""},
        {"foreign table",
         "CREATE TABLE intruder (fid INTEGER PRIMARY KEY, a TEXT); INSERT INTO gpkg_contents "
         "(table_name, data_type, identifier) VALUES ('intruder', 'attributes', 'intruder')",
         "intruder"},
        {"table GeoPackage does not list", "CREATE TABLE hidden (a TEXT)", "hidden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        doctest::writeText(doc, original);
        doctest::runSql(doc, c.sql);
        expectOpenRefused(doc, QStringLiteral("damaged"));
        expectOpenRefused(doc, QString::fromUtf8(c.reason));
    }
}

TEST_F(HostileDocument, WhatIsNotARegularFileIsRefusedAtOnce) {
    const QString fifo = dir.filePath(QStringLiteral("pipe.gpkg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectOpenRefused(fifo, QStringLiteral("named pipe"));
    expectOpenRefused(QStringLiteral("/dev/null"), QStringLiteral("device"));

    // SQLite looks for a journal beside the document, which must not block the open.
    const QString journal = doc + QStringLiteral("-journal");
    ASSERT_EQ(::mkfifo(QFile::encodeName(journal).constData(), 0600), 0);
    expectOpenRefused(doc, QStringLiteral("map.gpkg-journal"));
    QFile::remove(journal);

    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/Karte \xe9t\xe9.gpkg";
    ASSERT_EQ(::rename(QFile::encodeName(doc).constData(), latin1.constData()), 0);
    expectOpenRefused(QFile::decodeName(latin1), QStringLiteral("not valid UTF-8"));
}

TEST_F(HostileDocument, SaveRemovesLeftOversOfAKilledSave) {
    // A save killed after writing its temporary file, before the rename.
    doctest::errorWithin(Seconds, [&] {
        AtomicFileWriter file(doc);
        DocumentWriter::write(mapWithFields(QStringLiteral("lost")), file.tempPath(), doc);
        ::_exit(0);
    });
    ASSERT_GT(doctest::entriesOf(dir.path()).size(), 1);
    // and one of an earlier version, which wrote its temporary file beside the document
    doctest::writeIn(dir.path(), QStringLiteral(".map.gpkg.a1B2c3.tmp"), "half a document");
    MapDocument::save(mapWithFields(QStringLiteral("new")), doc);
    EXPECT_EQ(doctest::entriesOf(dir.path()), QStringList{QStringLiteral("map.gpkg")});
    EXPECT_EQ(MapDocument::open(doc).dataSets[0].pushpins[0].name, QStringLiteral("new"));
}

TEST_F(HostileDocument, SaveThroughAChainOfLinksReplacesTheRealFile) {
    const QString first = dir.filePath(QStringLiteral("first.gpkg"));
    const QString second = dir.filePath(QStringLiteral("second.gpkg"));
    ASSERT_TRUE(QFile::link(doc, first));
    ASSERT_TRUE(QFile::link(first, second));
    MapDocument::save(mapWithFields(QStringLiteral("new")), second);
    EXPECT_TRUE(QFileInfo(first).isSymLink());
    EXPECT_TRUE(QFileInfo(second).isSymLink());
    EXPECT_EQ(MapDocument::open(doc).dataSets[0].pushpins[0].name, QStringLiteral("new"));
}

TEST_F(HostileDocument, SaveInASharedFolderCannotBeRedirected) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    // A folder everybody may write to, like /tmp, and a file another user must not reach.
    const QString shared = dir.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("shared")));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    doctest::writeText(victim, "keep me");
    const QString target = shared + QStringLiteral("/map.gpkg");

    AtomicFileWriter file(target);
    // Another user plants a link where the temporary file goes.
    doctest::errorWithin(Seconds, [&] {
        if (::setuid(65534) == 0)
            ::_exit(::symlink(QFile::encodeName(victim).constData(),
                              QFile::encodeName(file.tempPath()).constData()) == 0
                        ? 3
                        : 0);
        ::_exit(1);
    });
    DocumentWriter::write(mapWithFields(QStringLiteral("new")), file.tempPath(), target);
    file.commit();
    EXPECT_EQ(doctest::readAll(victim), QByteArray("keep me"));
    EXPECT_EQ(MapDocument::open(target).dataSets[0].pushpins[0].name, QStringLiteral("new"));
}

} // namespace
