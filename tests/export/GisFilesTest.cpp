// How the GIS file export replaces earlier files, read back through GDAL: all or
// nothing when a rename fails (one test per way it fails), a question first naming
// every file it replaces, nothing stale left beside, and the status bar naming the
// files written.
#include "GisReadBack.h"
#include "export/GisCommands.h"
#include "export/GisExport.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using exporting::GisFormat;
using namespace exporttest;

namespace {

const QVector<maphost::FieldDef> PlaceFields = {{"Kind", QMetaType::QString}};

// The immutable attribute, which makes renaming the file fail even for root; off
// again at the end. isSet() is false where the file system or the user cannot set it.
class Immutable {
public:
    explicit Immutable(const QString& file) : file_(file) { isSet_ = set(true); }
    ~Immutable() {
        if (isSet_)
            set(false);
    }
    bool isSet() const { return isSet_; }

private:
    bool set(bool on) {
        const int fd = ::open(QFile::encodeName(file_).constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }
    QString file_;
    bool isSet_ = false;
};

class GisFiles : public GisTest {
protected:
    void SetUp() override {
        GisTest::SetUp();
        setFieldMap({{"Capitals", PlaceFields, {{"Bern", 46.95, 7.45, {"capital"}}}},
                     {"Towns", PlaceFields, {{"Thun", 46.76, 7.63, {"town"}}}}});
        open();
    }

    // Every entry of the scratch folder with its bytes ("<folder>" for a folder).
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> entries;
        for (const QString& name : folder())
            entries[name] = QFileInfo(path(name)).isDir() ? "<folder>" : contents(path(name));
        return entries;
    }

    // An earlier export of the dataset Places to Places.shp, then one of other data.
    void exportEarlier() {
        setFieldMap({{"Places", PlaceFields, {{"Bern", 46.95, 7.45, {"capital"}}}}});
        choose("Places");
        exporting::exportByDataset2Gis(form(), path("Places.shp"), gisFormat("shp"));
        ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join('\n').toStdString();
        ASSERT_TRUE(QFileInfo::exists(path("Places.dbf")));
    }
    void exportOtherData() {
        setFieldMap({{"Places", PlaceFields, {{"Thun", 46.76, 7.63, {"town"}}}}});
        exporting::exportByDataset2Gis(form(), path("Places.shp"), gisFormat("shp"));
    }
    // The error of the failed export; the earlier data still reads back whole.
    void expectEarlierFilesKept(const std::map<QString, QByteArray>& before, const char* named) {
        EXPECT_EQ(snapshot(), before) << "the earlier files are unchanged, nothing is left";
        const QStringList texts = messageTexts();
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_TRUE(texts.back().startsWith("Cannot write the file") &&
                    texts.back().contains(path(named)) && texts.back().contains("unchanged"))
            << texts.back().toStdString();
        const std::vector<ReadPoint> points = readBack({path("Places.shp")});
        ASSERT_EQ(points.size(), 1u);
        EXPECT_EQ(points[0].text.at("name"), "Bern");
        EXPECT_EQ(points[0].text.at("kind"), "capital");
    }
};

} // namespace

TEST_F(GisFiles, AFolderInTheWayOfOneSideFileKeepsEveryEarlierFile) {
    exportEarlier();
    // The new .cpg and .dbf go into place before the .prj finds the folder.
    QFile::remove(path("Places.prj"));
    ASSERT_TRUE(QDir().mkdir(path("Places.prj")));
    const auto before = snapshot();
    exportOtherData();
    expectEarlierFilesKept(before, "Places.prj");
}

TEST_F(GisFiles, AnEarlierFileThatCannotBeMovedKeepsEveryEarlierFile) {
    exportEarlier();
    const Immutable pinned(path("Places.dbf"));
    if (!pinned.isSet())
        GTEST_SKIP() << "the immutable attribute cannot be set here";
    const auto before = snapshot();
    exportOtherData();
    expectEarlierFilesKept(before, "Places.dbf");
}

TEST_F(GisFiles, AskedOnceTheExtensionIsAddedBeforeAnExistingFileIsReplaced) {
    choose("Capitals");
    QFile earlier(path("out.gpkg"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();

    // "out" with GeoPackage's filter is out.gpkg: kept on No, replaced on Yes.
    for (const desktop::Button answer : {desktop::Button::No, desktop::Button::Yes}) {
        desktop_->queueFileDialogResult(path("out"), 1);
        desktop_->queueMessageBoxAnswer(answer);
        exporting::mnuGisSelectedDatasets_Click(form());
    }
    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 2) << desktop_->log().toStdString();
    EXPECT_TRUE(boxes[0].text.contains(path("out.gpkg"))) << boxes[0].text.toStdString();
    const auto dialogs = desktop_->callsOf(desktop::RecordedCall::Kind::FileDialog);
    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_FALSE(dialogs[0].fileDialog.confirmOverwrite) << "the export asks, not the dialog";
    EXPECT_EQ(folder(), QStringList{"out.gpkg"});
    EXPECT_EQ(readBack({path("out.gpkg")}).size(), 1u) << "replaced after Yes";
}

TEST_F(GisFiles, ShapefilesTakeTheTypedNameAndReplaceWholeSetsAfterAsking) {
    // An unrelated Capitals.shp, and an earlier export's set with an index GIS
    // programs add beside it.
    QFile unrelated(path("Capitals.shp"));
    ASSERT_TRUE(unrelated.open(QIODevice::WriteOnly));
    unrelated.write("unrelated");
    unrelated.close();
    choose("All");
    desktop_->queueFileDialogResult(path("all-shp"), 5);
    exporting::mnuGisSelectedDatasets_Click(form());
    for (const char* index : {"all-shp_Capitals.qix", "all-shp_Towns.SBN"})
        QFile(path(index)).open(QIODevice::WriteOnly);

    const auto before = snapshot();
    desktop_->queueFileDialogResult(path("all-shp"), 5);
    desktop_->queueMessageBoxAnswer(desktop::Button::No);
    exporting::mnuGisSelectedDatasets_Click(form());
    EXPECT_EQ(snapshot(), before) << "No keeps every file";

    desktop_->queueFileDialogResult(path("all-shp"), 5);
    desktop_->queueMessageBoxAnswer(desktop::Button::Yes);
    exporting::mnuGisSelectedDatasets_Click(form());

    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 2) << desktop_->log().toStdString();
    for (const char* listed : {"all-shp_Capitals.shp", "all-shp_Capitals.dbf",
                               "all-shp_Capitals.qix", "all-shp_Towns.SBN"})
        EXPECT_TRUE(boxes[1].text.contains(path(listed))) << listed;
    EXPECT_FALSE(boxes[1].text.contains(path("Capitals.shp") + "\n"));
    QStringList expected;
    for (const char* set : {"all-shp_Capitals", "all-shp_Towns"})
        for (const char* extension : {"cpg", "dbf", "prj", "shp", "shx"})
            expected << QStringLiteral("%1.%2").arg(set, extension);
    expected.prepend("Capitals.shp");
    EXPECT_EQ(folder(), expected) << "the indexes of the old data are gone";
    EXPECT_EQ(contents(path("Capitals.shp")), "unrelated");
    const std::vector<ReadPoint> points =
        readBack({path("all-shp_Capitals.shp"), path("all-shp_Towns.shp")});
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].text.at("name"), "Thun");
    EXPECT_EQ(form().StatusBar1->panelText(1),
              QStringLiteral("Exported: 2 pushpins to 2 files in %1: all-shp_Capitals.shp, "
                             "all-shp_Towns.shp")
                  .arg(dir_.path()));

    // One dataset: the typed name itself.
    choose("Towns");
    desktop_->queueFileDialogResult(path("one"), 5);
    exporting::mnuGisSelectedDatasets_Click(form());
    EXPECT_EQ(readBack({path("one.shp")}).size(), 1u);
    EXPECT_EQ(form().StatusBar1->panelText(1), "Exported: 1 pushpins to " + path("one.shp"));
}
