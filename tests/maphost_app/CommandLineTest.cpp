// The maphost program run as a user would: --screenshot, --register-addin,
// --write-demo, --version, documents and data files that cannot be read, each in its own config and
// data folders.
#include "maphost/app/AddinRegistry.h"
#include "maphost/document/MapDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class CommandLineTest : public ::testing::Test {
protected:
    Outcome run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("MAPHOST_TESTADDIN_STDERR", "1");
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MAPHOST_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "maphost did not finish";
        Outcome result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    QTemporaryDir dir;
};

// Distinct colours in a coarse sample: a drawn window has many, a blank image one.
int colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            seen.insert(image.pixel(x, y));
    return static_cast<int>(seen.size());
}

TEST_F(CommandLineTest, ScreenshotOfTheDemoMap) {
    const QString png = dir.filePath("shot.png");
    const Outcome r = run({"--screenshot", png});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 400);
    EXPECT_GT(image.height(), 300);
    EXPECT_GT(colours(image), 20);
    // The demo map was written at first run, into the user's data folder.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("data/Locastra/maphost/Demo Map.gpkg")));
}

TEST_F(CommandLineTest, RegisterAddinWritesTheRecordAndStartUpLoadsIt) {
    const Outcome reg = run({"--register-addin", TEST_ADDIN_PATH});
    ASSERT_EQ(reg.exitCode, 0) << reg.err.toStdString();
    const maphost::AddinRegistry registry(dir.filePath("config/Locastra/maphost.ini"));
    const auto records = registry.records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].displayName, "Test Add-in");
    EXPECT_EQ(records[0].loadBehavior, 3);
    EXPECT_EQ(records[0].className, "Connect");

    // Registering again updates the same record.
    ASSERT_EQ(run({"--register-addin", TEST_ADDIN_PATH}).exitCode, 0);
    EXPECT_EQ(registry.records().size(), 1);

    // The host starts with it (and with a broken record beside it) and still draws.
    maphost::AddinRecord broken = records[0];
    broken.key = "Broken.Connect";
    broken.library = dir.filePath("missing.so");
    registry.write(broken);
    const QString png = dir.filePath("shot.png");
    const Outcome shot = run({"--screenshot", png});
    EXPECT_EQ(shot.exitCode, 0) << shot.err.toStdString();
    EXPECT_TRUE(shot.err.contains("missing.so")) << shot.err.toStdString();
    EXPECT_FALSE(QImage(png).isNull());

    // A Tools command chosen from the command line runs the add-in's method; the
    // add-in is connected at start-up with ConnectMode 1 and disconnected at exit.
    const Outcome command = run({"--command", "Second Command", "--screenshot", png});
    EXPECT_EQ(command.exitCode, 0);
    const QStringList log = command.err.split('\n').filter("testaddin: ");
    EXPECT_EQ(log, (QStringList{"testaddin: connect 1", "testaddin: run second",
                                "testaddin: disconnect 0"}))
        << command.err.toStdString();
    const Outcome unknown = run({"--command", "Nope", "--screenshot", png});
    EXPECT_EQ(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.err.contains("No Tools command \"Nope\""));

    const Outcome bad = run({"--register-addin", dir.filePath("nothing.so")});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains("nothing.so"));
}

// The demo map as a document for another host (the QGIS demo project is made from it).
TEST_F(CommandLineTest, WriteDemoWritesTheDemoDocumentAndExits) {
    const QString path = dir.filePath("demo.gpkg");
    const Outcome written = run({"--write-demo", path});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    const maphost::MapData demo = maphost::MapDocument::open(path);
    QStringList names;
    for (const maphost::DataSetData& dataSet : demo.dataSets)
        names << dataSet.name;
    EXPECT_TRUE(names.contains("Capitals") && names.contains("Landmarks"))
        << names.join(',').toStdString();
    const Outcome failed = run({"--write-demo", dir.filePath("missing/folder/demo.gpkg")});
    EXPECT_NE(failed.exitCode, 0);
    EXPECT_TRUE(failed.err.contains("demo.gpkg")) << failed.err.toStdString();
}

TEST_F(CommandLineTest, Version) {
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.contains(QStringLiteral(LOCASTRA_TEST_VERSION)))
        << version.out.toStdString();
}

// A document or data file that cannot be read still leaves a working window (and its
// picture), but the exit status tells a script, and stderr says what went wrong.
TEST_F(CommandLineTest, FailedOpenOrImportExitsNonZero) {
    const QString png = dir.filePath("shot.png");
    const QString good = dir.filePath("good.csv");
    const QString bad = dir.filePath("bad.csv");
    for (const auto& [path, text] :
         {std::pair{good, "name,lat,lon\na,1,2\n"}, std::pair{bad, "name,lat,lon\na,north,2\n"}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const struct {
        QStringList arguments;
        const char* named;
    } failures[] = {
        {{dir.filePath("no such map.gpkg"), "--screenshot", png}, "no such map.gpkg"},
        {{"--import", bad, "--screenshot", png}, "bad.csv"},
        {{"--import", good, "--import", bad, "--screenshot", png}, "bad.csv"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.arguments.join(' ').toStdString());
        QFile::remove(png);
        const Outcome r = run(failure.arguments);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.err.contains(failure.named)) << r.err.toStdString();
        EXPECT_FALSE(QImage(png).isNull());
    }
    const Outcome imported = run({"--import", good, "--screenshot", png});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
}

} // namespace
