// The CSV export of the chosen datasets and of the selected shape: the file to the
// byte, the editor launch, the two failure styles and how the file is replaced.
#include "export/CsvExport.h"
#include "ExportTestSupport.h"
#include "FileSizeLimit.h"
#include "toolwindow/ResultListModel.h"

#include <QDir>
#include <QLocale>
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

class CsvExport : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        setFieldMap({
            {"Cities",
             NameNote,
             {{"Oslo", 59.91, 10.75, {"Oslo", "capital"}},
              {"Bergen", 60.39, 5.32, {"Bergen", {}}}}},
            {"Empty", NameNote, {}},
            {"Plain", {}, {{"P1", -33.86, 151.2, {}}}},
        });
        open();
    }
};

// Where the exports write: the old file survives every failure to write it, the target
// is replaced in one rename, and a target that is no regular file is refused.
class CsvExportTarget : public CsvExport {
protected:
    void SetUp() override {
        CsvExport::SetUp();
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

TEST_F(CsvExport, AllWritesOneBlockPerDataSetWithRecordsAndOpensTheEditor) {
    choose("All");
    const QString file = path("all.csv");
    exportbydataset2csv(form(), file);

    const QString expected = "Name,Note,Latitude,Longitude\r\n"
                             "Oslo,capital," +
                             coords(59.91, 10.75) +
                             "\r\n"
                             "Bergen,," +
                             coords(60.39, 5.32) +
                             "\r\n"
                             "Name,Latitude,Longitude\r\n"
                             "P1," +
                             coords(-33.86, 151.2) + "\r\n";
    EXPECT_EQ(contents(file), expected.toUtf8());
    EXPECT_EQ(editorPaths(), QStringList{file});
    EXPECT_EQ(messages(), 0) << desktop_->log().toStdString();
    // The coordinates are the derived position, and the last one stays in the window.
    EXPECT_NEAR(form().thelat, -33.86, 1e-6);
    EXPECT_NEAR(form().thelon, 151.2, 1e-6);
}

TEST_F(CsvExport, ChoiceTakesEveryDataSetOfThatExactNameAndOverwritesTheFile) {
    addSet({"Plain", {}, {{"P2", 1, 2, {}}}});
    const QString file = path("plain.csv");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents that are longer than the export\r\n");
    old.close();

    choose("Plain");
    exportbydataset2csv(form(), file);
    const QString expected = "Name,Latitude,Longitude\r\nP1," + coords(-33.86, 151.2) +
                             "\r\nName,Latitude,Longitude\r\nP2," + coords(1, 2) + "\r\n";
    EXPECT_EQ(contents(file), expected.toUtf8());

    choose("plain"); // case matters: nothing matches, the empty file is still shown
    exportbydataset2csv(form(), file);
    EXPECT_EQ(contents(file), QByteArray());
    EXPECT_EQ(editorPaths(), (QStringList{file, file}));
}

TEST_F(CsvExport, ValuesKeepTheirColumnsAndSurviveSeparatorsAndNonLatinText) {
    const QVector<maphost::FieldDef> fields = {
        {"A", QMetaType::QString}, {"B", QMetaType::QString}, {"Size", QMetaType::Double}};
    addSet({"Odd",
            fields,
            {{"lead", 1, 1, {{}, "x", {}}},
             {"NoValues", 2, 2, {{}, {}, {}}},
             {"comma", 3, 3, {"Main St, 5", "say \"hi\"", 2.5}},
             {"Zürich", 4, 4, {"Zürich – Ost", "Ålesund", {}}}}});
    choose("Odd");
    const QString file = path("odd.csv");
    exportbydataset2csv(form(), file);
    const QString expected = "A,B,Size,Latitude,Longitude\r\n"
                             ",x,," +
                             coords(1, 1) +
                             "\r\n"
                             "NoValues,,," +
                             coords(2, 2) +
                             "\r\n"
                             "\"Main St, 5\",\"say \"\"hi\"\"\",2.5," +
                             coords(3, 3) +
                             "\r\n"
                             "Zürich – Ost,Ålesund,," +
                             coords(4, 4) + "\r\n";
    EXPECT_EQ(contents(file), expected.toUtf8());
}

TEST_F(CsvExport, DecimalCommaLocaleQuotesNumbersInsteadOfSplittingThem) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    choose("Plain");
    const QString file = path("de.csv");
    exportbydataset2csv(form(), file);
    QLocale::setDefault(saved);

    const QList<QByteArray> lines = contents(file).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "P1,\"-33,86\",\"151,2\"\r") << lines[1].toStdString();
}

TEST_F(CsvExport, ShapeExportsThePinsInsideFromEveryDataSetRegardlessOfTheChoice) {
    choose("Empty");
    selectShape(59, 0, 61, 8); // holds Bergen only
    const QString file = path("shape.csv");
    exportFromShape2csv(form(), file);
    const QString expected =
        "Name,Note,Latitude,Longitude\r\nBergen,," + coords(60.39, 5.32) + "\r\n";
    EXPECT_EQ(contents(file), expected.toUtf8());
    EXPECT_EQ(editorPaths(), QStringList{file});
}

TEST_F(CsvExport, ShapeThatIsNoAreaGivesAnEmptyFileButNoShapeEndsSilently) {
    selectShape(59, 0, 61, 8, maphost::ShapeKind::Line);
    exportFromShape2csv(form(), path("line.csv"));
    EXPECT_EQ(contents(path("line.csv")), QByteArray());
    EXPECT_EQ(editorPaths(), QStringList{path("line.csv")});

    desktop_->clearCalls();
    map_->clearSelection();
    exportFromShape2csv(form(), path("nothing.csv"));
    map_->selectPushpin(map_->dataSetPushpins(map_->dataSetAt(0)).front());
    exportFromShape2csv(form(), path("pushpin.csv"));
    EXPECT_EQ(contents(path("nothing.csv")) + contents(path("pushpin.csv")), QByteArray());
    EXPECT_EQ(desktop_->calls().size(), 0) << desktop_->log().toStdString();
}

TEST_F(CsvExport, FileThatCannotBeOpenedIsReportedOnlyByTheDataSetExport) {
    choose("All");
    for (const QString& bad : {QString(), path("no/such/folder/x.csv")}) {
        desktop_->clearCalls();
        exportbydataset2csv(form(), bad);
        const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].title, "Error");
        EXPECT_EQ(boxes[0].icon, desktop::Icon::Critical);
        EXPECT_EQ(boxes[0].buttons, desktop::Buttons::Ok);
        EXPECT_FALSE(boxes[0].text.isEmpty());
        EXPECT_TRUE(editorPaths().isEmpty());

        desktop_->clearCalls();
        selectShape(59, 0, 61, 12);
        exportFromShape2csv(form(), bad);
        EXPECT_EQ(desktop_->calls().size(), 0) << desktop_->log().toStdString();
    }
}

TEST_F(CsvExport, HostFailureMidwayKeepsTheLinesWrittenAndNeverOpensTheEditor) {
    useFaults();
    faults_->failNth("Recordset.MoveNext", 2); // after Bergen's line
    choose("All");
    const QString file = path("partial.csv");
    exportbydataset2csv(form(), file);
    const QString expected = "Name,Note,Latitude,Longitude\r\n"
                             "Oslo,capital," +
                             coords(59.91, 10.75) +
                             "\r\n"
                             "Bergen,," +
                             coords(60.39, 5.32) + "\r\n";
    EXPECT_EQ(contents(file), expected.toUtf8());
    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "Injected fault in Recordset.MoveNext");
    EXPECT_TRUE(editorPaths().isEmpty());

    // The shape export ends silently on the same kind of failure.
    desktop_->clearCalls();
    faults_->clearRules();
    faults_->failAlways("Map.Distance");
    selectShape(59, 0, 61, 12);
    exportFromShape2csv(form(), path("shape.csv"));
    EXPECT_EQ(contents(path("shape.csv")), "Name,Note,Latitude,Longitude\r\n");
    EXPECT_EQ(desktop_->calls().size(), 0) << desktop_->log().toStdString();
}

TEST_F(CsvExport, DataSetWhoseNameCannotBeReadEndsTheExportButNotGetAll) {
    useFaults();
    faults_->failAlways("DataSet.Name", "Empty"); // before "Plain" in map order
    choose("Plain");
    const QString file = path("plain.csv");
    exportbydataset2csv(form(), file);
    EXPECT_EQ(contents(file), QByteArray()) << "no dataset after it is exported";
    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "Injected fault in DataSet.Name");
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_TRUE(editorPaths().isEmpty());

    // Get All goes step by step: it passes the unreadable dataset over.
    form().ButtonShowAll_Click();
    ASSERT_EQ(form().ResultRows()->rowCount(), 1);
    EXPECT_EQ(form().ResultRows()->index(0).data().toString(), "P1");
}

TEST_F(CsvExport, EditorThatCannotStartIsReportedByTheDataSetExport) {
    desktop_->setOpenInTextEditorResult(false);
    choose("Plain");
    exportbydataset2csv(form(), path("p.csv"));
    EXPECT_EQ(messages(), 1);
    EXPECT_FALSE(contents(path("p.csv")).isEmpty());
}

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
