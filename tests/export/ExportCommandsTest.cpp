// The export commands as the tool window reaches them: the spreadsheet probe, the
// fallback to the CSV file dialog and the choice between datasets and shape.
#include "ExportTestSupport.h"
#include "export/ExportWiring.h"
#include "spreadsheet/MemorySpreadsheet.h"

#include <QAction>
#include <QDir>
#include <QRadioButton>

using exporttest::ExportTest;
using Kind = desktop::RecordedCall::Kind;

namespace {

class ExportCommands : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        automation::RegisterClassFactory(memsheet::ClassName, {});
        setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}, {"Bergen", 60.39, 5.32, {}}}}});
        open();
        exporting::wireExportCommands(form());
        choose("All");
        selectShape(59, 0, 61, 8);         // Bergen only
        form().UpdateSelectedShapeEntry(); // as opening the Tools menu does
    }
    void TearDown() override {
        automation::RegisterClassFactory(memsheet::ClassName, {});
        memsheet::Forget();
        ExportTest::TearDown();
    }

    QByteArray allPins() {
        return ("Name,Latitude,Longitude\r\nOslo," + coords(59.91, 10.75) + "\r\nBergen," +
                coords(60.39, 5.32) + "\r\n")
            .toUtf8();
    }
    QByteArray shapePins() {
        return ("Name,Latitude,Longitude\r\nBergen," + coords(60.39, 5.32) + "\r\n").toUtf8();
    }
};

} // namespace

TEST_F(ExportCommands, WithoutSpreadsheetTheDialogChoosesTheCsvFileAsTyped) {
    const QString file = path("pins"); // no extension: used unchanged
    desktop_->queueFileDialogResult(file);
    form().mnuSelectedDataset->trigger();

    const auto dialogs = desktop_->callsOf(Kind::FileDialog);
    ASSERT_EQ(dialogs.size(), 1);
    const desktop::FileDialogRequest& request = dialogs[0].fileDialog;
    EXPECT_EQ(request.initialFolder, QDir::rootPath());
    EXPECT_EQ(request.filter, "Comma Delimited (*.csv)");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_FALSE(request.save);
    EXPECT_FALSE(request.mustExist);
    EXPECT_TRUE(request.title.isEmpty());
    EXPECT_EQ(contents(file), allPins());
    EXPECT_FALSE(QFile::exists(file + ".csv"));
    EXPECT_EQ(editorPaths(), QStringList{file});

    // The dialog offers the last name again; the shape entry exports the shape.
    desktop_->queueFileDialogResult(file);
    form().mnuSelectedShape->trigger();
    EXPECT_EQ(desktop_->callsOf(Kind::FileDialog).at(1).fileDialog.defaultName, file);
    EXPECT_EQ(contents(file), shapePins());

    // A cancelled dialog exports nothing (not even to the name offered again).
    desktop_->clearCalls();
    QFile::remove(file);
    desktop_->queueFileDialogResult(std::nullopt);
    form().mnuSelectedDataset->trigger();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(desktop_->calls().size(), 1) << desktop_->log().toStdString();
}

TEST_F(ExportCommands, ExportButtonTakesTheShapeUntilTheFirstOptionIsChosen) {
    const QString file = path("button.csv");
    desktop_->queueFileDialogResult(file);
    emit form().cmdExport->Click();
    EXPECT_EQ(contents(file), shapePins());

    form().Option2[0]->setChecked(true);
    desktop_->queueFileDialogResult(file);
    emit form().cmdExport->Click();
    EXPECT_EQ(contents(file), allPins());

    form().Option2[1]->setChecked(true);
    desktop_->queueFileDialogResult(file);
    emit form().cmdExport->Click();
    EXPECT_EQ(contents(file), shapePins());
}

TEST_F(ExportCommands, SpreadsheetThatCannotStartOrIsNoSpreadsheetFallsBackToCsv) {
    int starts = 0;
    automation::RegisterClassFactory(memsheet::ClassName, [&]() -> automation::ObjectPtr {
        ++starts;
        throw automation::Error(automation::errors::CannotCreateObject, "cannot start");
    });
    desktop_->queueFileDialogResult(path("a.csv"));
    form().mnuSelectedDataset->trigger();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(contents(path("a.csv")), allPins());

    // An object of another kind under that name is no spreadsheet application either.
    automation::RegisterClassFactory(memsheet::ClassName,
                                     [] { return std::make_shared<automation::Object>(); });
    desktop_->queueFileDialogResult(path("b.csv"));
    form().mnuSelectedShape->trigger();
    EXPECT_EQ(contents(path("b.csv")), shapePins());
    EXPECT_EQ(messages(), 0) << desktop_->log().toStdString();
}

TEST_F(ExportCommands, WithSpreadsheetNoFileDialogIsShown) {
    memsheet::Register();
    form().mnuSelectedDataset->trigger();
    EXPECT_EQ(desktop_->count(Kind::FileDialog), 0) << desktop_->log().toStdString();
    EXPECT_EQ(memsheet::VisibleApplications().size(), 1u);
}
