// Locastra's Calc as a process: started on demand, ended only when it started it and
// nothing is open, survived when it dies mid-export, and missing altogether.
#include "CalcReadBack.h"
#include "ExportTestSupport.h"
#include "export/ExportWiring.h"
#include "export/SpreadsheetExport.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"
#include "spreadsheet/calc/Calc.h"
#include "spreadsheet/calc/CalcPipe.h"
#include "spreadsheet/calc/Office.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using spreadsheet::calc::Office;
using Kind = desktop::RecordedCall::Kind;

namespace {

spreadsheet::ApplicationPtr startCalc() {
    return automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
}

class CalcProcess : public exporttest::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        calctest::UseTestCalc();
    }
    static void TearDownTestSuite() { calctest::EndTestCalc(); }
    // "Selected Datasets" shows the file dialog and writes the CSV file.
    void expectCsvRoute() {
        setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}}}});
        open();
        exporting::wireExportCommands(form());
        choose("All");
        desktop_->queueFileDialogResult(path("cities.csv"));
        form().mnuSelectedDataset->trigger();
        EXPECT_EQ(desktop_->count(Kind::FileDialog), 1);
        EXPECT_TRUE(contents(path("cities.csv")).startsWith("Name,Latitude,Longitude\r\nOslo,"));
    }
};

TEST_F(CalcProcess, AProbeEndsOnlyTheCalcItStartedAndOnlyWhenNothingIsOpen) {
    calctest::EndTestCalc();
    pid_t first = 0;
    {
        auto probe = startCalc(); // a probe that starts Calc and opens nothing
        first = Office::instance().processGroup();
    }
    ASSERT_GT(first, 0);
    EXPECT_TRUE(calctest::WaitUntilGone(first, 15000));

    // A workbook handed to the user keeps Calc alive, whoever started it.
    {
        auto app = startCalc();
        app->SetVisible(true);
        app->Workbooks()->Add()->Sheets()->Item(1)->Cells(1, 1)->SetValue("kept");
    }
    const pid_t second = Office::instance().processGroup();
    ASSERT_GT(second, 0);
    startCalc().reset(); // a probe that found Calc running
    EXPECT_FALSE(calctest::WaitUntilGone(second, 1000));
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Sheet1", 1, 1).text, "kept");
    calctest::CloseAllDocuments();
}

TEST_F(CalcProcess, CalcDyingMidExportFailsTheCallsAndTheNextExportStartsItAgain) {
    auto app = startCalc();
    auto sheet = app->Workbooks()->Add()->Worksheets()->Add();
    for (int row = 1; row <= 100; ++row)
        sheet->Cells(row, 1)->SetValue(row);
    const pid_t group = Office::instance().processGroup();
    ASSERT_GT(group, 0);
    ::kill(-group, SIGKILL);
    ASSERT_TRUE(calctest::WaitUntilGone(group, 10000));
    try {
        for (int row = 101; row <= 20000; ++row)
            sheet->Cells(row, 1)->SetValue(row);
        sheet->Name();
        app->Workbooks()->Item(1)->Sheets()->Count();
        FAIL() << "Calls into a dead Calc succeeded";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), 462);
    }
    sheet.reset();
    app.reset(); // releasing objects of a dead Calc is quiet

    setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}}}});
    open();
    choose("All");
    exportByDataset2Excel(form());
    const auto documents = calctest::OpenDocuments();
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(calctest::ReadCell(documents.front(), "Cities", 2, 1).text, "Oslo");
    EXPECT_NE(Office::instance().processGroup(), group);
    calctest::CloseAllDocuments();
}

TEST_F(CalcProcess, WithoutCalcInstalledTheCommandTakesTheCsvRoute) {
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", dir_.path().toUtf8()); // no soffice there
    spreadsheet::calc::Options missing = calctest::TestOptions();
    missing.profileDir = path("profile");
    spreadsheet::calc::Register(missing);
    expectCsvRoute();
    qputenv("PATH", searchPath);
    EXPECT_EQ(messages(), 0) << desktop_->log().toStdString();
}

TEST_F(CalcProcess, ALibreOfficeThatMakesNoSpreadsheetFailsTheProbe) {
    calctest::EndTestCalc();
    spreadsheet::calc::Options noCalc = calctest::TestOptions();
    noCalc.spreadsheetFactory = "private:factory/nocalc"; // as where Calc is not installed
    spreadsheet::calc::Register(noCalc);
    expectCsvRoute();
    EXPECT_EQ(Office::instance().processGroup(), 0); // the Calc it started has ended
}

// The child gets none of the host's descriptors or UNO variables, makes its pipe for
// the user alone, and the host's later children get SIGPIPE at its default.
TEST_F(CalcProcess, CalcStartsCleanAndLeavesTheHostsOtherChildrenAlone) {
    calctest::EndTestCalc();
    const QByteArray marker = QFile::encodeName(path("marker"));
    const int inherited = ::open(marker.constData(), O_CREAT | O_WRONLY, 0600); // no O_CLOEXEC
    ASSERT_GE(inherited, 0);
    auto app = startCalc();
    ::close(inherited);
    const pid_t group = Office::instance().processGroup();
    ASSERT_GT(group, 0);
    const QString proc = QStringLiteral("/proc/%1/").arg(group);
    QStringList links;
    for (const QFileInfo& fd : QDir(proc + "fd").entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        links << fd.symLinkTarget();
    EXPECT_FALSE(links.contains(QFile::decodeName(marker))) << links.join(' ').toStdString();
    ASSERT_FALSE(qgetenv("URE_BOOTSTRAP").isEmpty());
    EXPECT_FALSE(contents(proc + "environ").contains("URE_BOOTSTRAP="));

    const auto pipe = spreadsheet::calc::SavedPipeName(calctest::TestOptions().profileDir);
    ASSERT_TRUE(pipe.has_value());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(spreadsheet::calc::SocketPath(*pipe)).constData(), &info),
              0);
    EXPECT_EQ(info.st_mode & 077, 0u);

    QProcess child;
    child.start("sh", {"-c", "grep SigIgn /proc/self/status"});
    ASSERT_TRUE(child.waitForFinished());
    const qulonglong ignored =
        QString(child.readAll()).section(':', 1).trimmed().toULongLong(nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1)), 0u);
}

} // namespace
