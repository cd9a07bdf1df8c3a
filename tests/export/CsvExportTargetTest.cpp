// Where the CSV exports write: the old file survives every failure to write it, the
// target is replaced in one rename, and a target that is no regular file is refused.
#include "ExportTestSupport.h"
#include "FileSizeLimit.h"
#include "export/CsvExport.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using exporting::exportbydataset2csv;
using exporting::exportFromShape2csv;
using exporttest::ExportTest;
using exporttest::FileSizeLimit;

namespace {

const QVector<maphost::FieldDef> NameNote = {{"Name", QMetaType::QString},
                                             {"Note", QMetaType::QString}};

class CsvExportTarget : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        setFieldMap({{"Cities",
                      NameNote,
                      {{"Oslo", 59.91, 10.75, {"Oslo", "capital"}},
                       {"Bergen", 60.39, 5.32, {"Bergen", {}}}}}});
        open();
        choose("All");
        selectShape(59, 0, 61, 12);
    }

    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // Everything in the scratch folder, hidden temporary files included.
    QStringList folder() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& box : desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox))
            texts << box.text;
        return texts;
    }
};

} // namespace

TEST_F(CsvExportTarget, WriteFailureKeepsTheOldFileByteIdenticalAndNamesFileAndReason) {
    const QByteArray old = QByteArray("previous export,1,2\r\n").repeated(20);
    const QString file = writeFile("cities.csv", old);
    {
        const FileSizeLimit fullDisk(40); // the export needs far more than 40 bytes
        exportbydataset2csv(form(), file);
        exportFromShape2csv(form(), file);
    }
    EXPECT_EQ(contents(file), old);
    EXPECT_EQ(folder(), QStringList{"cities.csv"}) << "no temporary file is left behind";
    EXPECT_TRUE(editorPaths().isEmpty());
    // The data set export says what went wrong; the shape export ends silently.
    const QStringList texts = messageTexts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains(file)) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << texts[0].toStdString();
}

TEST_F(CsvExportTarget, TargetThatIsNoRegularFileIsRefusedAndLeftAsItIs) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.csv")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.csv"));
    for (const QString& name : {QStringLiteral("pipe.csv"), QStringLiteral("folder.csv")}) {
        exportbydataset2csv(form(), path(name));
        exportFromShape2csv(form(), path(name));
    }
    const QStringList texts = messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains(path("pipe.csv")) && texts[0].contains("not a regular file"))
        << texts[0].toStdString();
    EXPECT_TRUE(texts[1].contains(path("folder.csv")) && texts[1].contains("folder"))
        << texts[1].toStdString();

    struct stat pipe {};
    ASSERT_EQ(::stat(QFile::encodeName(path("pipe.csv")).constData(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
    EXPECT_TRUE(QDir(path("folder.csv")).isEmpty());
    EXPECT_EQ(folder(), (QStringList{"folder.csv", "pipe.csv"}));
    EXPECT_TRUE(editorPaths().isEmpty());
}

TEST_F(CsvExportTarget, ExportThroughASymbolicLinkReplacesTheFileItPointsTo) {
    writeFile("real.csv", "old\r\n");
    ASSERT_TRUE(QFile::link("real.csv", path("link.csv")));
    exportbydataset2csv(form(), path("link.csv"));
    EXPECT_EQ(QFileInfo(path("link.csv")).symLinkTarget(), path("real.csv"));
    EXPECT_TRUE(contents(path("real.csv")).startsWith("Name,Note,Latitude,Longitude\r\nOslo,"));
    EXPECT_EQ(folder(), (QStringList{"link.csv", "real.csv"}));
}
