// Calls into Calc never hang the host: each has a deadline, past which it fails with
// error 462, also against a listener posing as Calc on its pipe or a stopped Calc.
#include "CalcReadBack.h"
#include "ExportTestSupport.h"
#include "export/ExportWiring.h"
#include "spreadsheet/Application.h"
#include "spreadsheet/Range.h"
#include "spreadsheet/Sheets.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/Workbooks.h"
#include "spreadsheet/Worksheet.h"
#include "spreadsheet/calc/Calc.h"
#include "spreadsheet/calc/CalcPipe.h"
#include "spreadsheet/calc/Office.h"
#include "spreadsheet/calc/OfficeProcess.h"
#include "spreadsheet/calc/UnoSupport.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using spreadsheet::calc::Office;
using Kind = desktop::RecordedCall::Kind;

namespace {

constexpr int Deadline = 3000;

spreadsheet::calc::Options quickOptions() {
    spreadsheet::calc::Options options = calctest::TestOptions();
    options.callTimeoutMs = Deadline;
    return options;
}

// Creating "Excel.Application": the error number it fails with (0: it worked), and
// how long it took.
std::pair<int, qint64> createTimed() {
    QElapsedTimer timer;
    timer.start();
    try {
        automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
        return {0, timer.elapsed()};
    } catch (const automation::Error& e) {
        return {e.number(), timer.elapsed()};
    }
}

TEST(CallDeadline, TheHostHandlesEventsWhileWaitingAndAHungCallFailsWith462) {
    spreadsheet::calc::setResponsiveCalls(true);
    std::atomic<bool> released{false};
    spreadsheet::calc::setCallDeadline(500, [&] { released = true; });
    int ticks = 0;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, [&] { ++ticks; });
    repaint.start(20);
    spreadsheet::calc::runWithDeadline(
        [] { std::this_thread::sleep_for(std::chrono::milliseconds(300)); });
    EXPECT_GE(ticks, 5); // timers ran during the call
    EXPECT_FALSE(released);

    QElapsedTimer timer;
    timer.start();
    try {
        spreadsheet::calc::runWithDeadline([&] {
            while (!released) // a call that comes back only when the connection drops
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
        ADD_FAILURE() << "A hung call came back without an error";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), 462);
    }
    EXPECT_LT(timer.elapsed(), 1500);
    spreadsheet::calc::setResponsiveCalls(false);
    calctest::UseTestCalc(); // the usual deadline again
}

class CalcTrust : public exporttest::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        calctest::EndTestCalc();
        spreadsheet::calc::Register(quickOptions());
    }
    void TearDown() override {
        calctest::EndTestCalc();
        ExportTest::TearDown();
    }
    // Exports through the command; true when it took the CSV route.
    bool exportTookCsvRoute() {
        const auto dialogs = desktop_->count(Kind::FileDialog);
        desktop_->queueFileDialogResult(path("out.csv"));
        form().mnuSelectedDataset->trigger();
        return desktop_->count(Kind::FileDialog) == dialogs + 1;
    }
    void openCities() {
        setFieldMap({{"Cities", {}, {{"Oslo", 59.91, 10.75, {}}}}});
        open();
        exporting::wireExportCommands(form());
        choose("All");
    }
};

// A listening socket under Locastra's pipe name that never answers.
struct Impostor {
    int fd = -1;
    QString path;
    Impostor(const QString& pipeName, mode_t mode, uid_t owner) {
        path = spreadsheet::calc::SocketPath(pipeName);
        QFile::remove(path);
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(path).constData(),
                     sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(fd, 4), 0);
        ::chmod(address.sun_path, mode);
        EXPECT_EQ(::chown(address.sun_path, owner, gid_t(-1)), 0);
    }
    ~Impostor() {
        ::close(fd);
        QFile::remove(path);
    }
    // Everything any client sent.
    QByteArray received() {
        QByteArray bytes;
        for (int client; (client = ::accept(fd, nullptr, nullptr)) >= 0; ::close(client)) {
            char buffer[4096];
            for (ssize_t n; (n = ::recv(client, buffer, sizeof buffer, MSG_DONTWAIT)) > 0;)
                bytes.append(buffer, int(n));
            bytes.append("<connected>");
        }
        return bytes;
    }
};

TEST_F(CalcTrust, AListenerOnThePipeGetsNoRowAndTheCommandTakesTheCsvRouteInTime) {
    openCities();
    QString reason;
    ASSERT_TRUE(spreadsheet::calc::SecureProfileFolder(calctest::TestOptions().profileDir, reason));
    const QString name = spreadsheet::calc::MakePipeName(calctest::TestOptions().profileDir);
    struct Case {
        const char* what;
        mode_t mode;
        uid_t owner;
        bool connected; // passes the check, so it is connected to (and never answers)
    };
    const Case cases[] = {{"writable by others", 0777, ::getuid(), false},
                          {"another user's", 0700, 65534, false},
                          {"the user's own, silent", 0700, ::getuid(), true}};
    const pid_t before = Office::instance().processGroup();
    for (const Case& c : cases) {
        if (c.owner != ::getuid() && ::getuid() != 0)
            continue; // only an administrator can give a socket to another user
        SCOPED_TRACE(c.what);
        Impostor impostor(name, c.mode, c.owner);
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(exportTookCsvRoute());
        EXPECT_LT(timer.elapsed(), Deadline + 1000);
        const QByteArray received = impostor.received();
        EXPECT_EQ(received.contains("<connected>"), c.connected);
        EXPECT_FALSE(received.contains("Oslo"));
        EXPECT_FALSE(received.contains("Cities"));
        EXPECT_EQ(Office::instance().processGroup(), before); // no Calc was started
    }
}

TEST_F(CalcTrust, AStoppedCalcFailsWithinTheDeadlineAndTheNextExportWorks) {
    openCities();
    ASSERT_FALSE(exportTookCsvRoute());
    pid_t group = Office::instance().processGroup();
    ASSERT_GT(group, 0);
    // The probe: stopped before it.
    ::kill(-group, SIGSTOP);
    QThread::msleep(200); // until the signal has landed
    auto [error, took] = createTimed();
    EXPECT_EQ(error, 462);
    EXPECT_LT(took, Deadline + 1000);
    // The headless Calc that stopped answering is not left behind.
    EXPECT_TRUE(calctest::WaitUntilGone(group, 2000));
    ::kill(-group, SIGCONT);
    EXPECT_FALSE(exportTookCsvRoute());

    // Mid-export: stopped while rows are being sent.
    group = Office::instance().processGroup();
    auto app = automation::CreateObjectAs<spreadsheet::Application>("Excel.Application");
    auto sheet = app->Workbooks()->Add()->Worksheets()->Add();
    sheet->Cells(1, 1)->SetValue("first");
    sheet->Name();
    ::kill(-group, SIGSTOP);
    QThread::msleep(200);
    QElapsedTimer timer;
    timer.start();
    try {
        for (int row = 2; row <= 30000; ++row)
            sheet->Cells(row, 1)->SetValue(row);
        sheet->Name();
        ADD_FAILURE() << "Calls into a stopped Calc came back";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), 462);
    }
    EXPECT_LT(timer.elapsed(), Deadline + 1000);
    ::kill(-group, SIGCONT);
    sheet.reset();
    app.reset();
    EXPECT_EQ(createTimed().first, 0);
    EXPECT_FALSE(exportTookCsvRoute());
    EXPECT_EQ(messages(), 0);
}

// A Calc this host did not start (an earlier session's, on Locastra's pipe): stopped, it
// fails the call within the deadline all the same, and it is left for its owner.
TEST_F(CalcTrust, AStoppedCalcThisHostDidNotStartFailsWithinTheDeadline) {
    const spreadsheet::calc::Options options = quickOptions();
    QString reason;
    ASSERT_TRUE(spreadsheet::calc::SecureProfileFolder(options.profileDir, reason));
    const QString pipe = spreadsheet::calc::MakePipeName(options.profileDir);
    const pid_t group = spreadsheet::calc::StartOffice(options, pipe);
    QElapsedTimer waited;
    waited.start();
    while (spreadsheet::calc::CheckSocket(pipe) != spreadsheet::calc::SocketTrust::Trusted &&
           waited.elapsed() < 60000)
        QThread::msleep(50);
    QThread::msleep(500); // the socket is there once Calc takes connections
    ASSERT_EQ(createTimed().first, 0);
    EXPECT_NE(Office::instance().processGroup(), group); // connected to, not started

    ::kill(-group, SIGSTOP);
    QThread::msleep(200);
    const auto [error, took] = createTimed();
    EXPECT_EQ(error, 462);
    EXPECT_LT(took, Deadline + 1000);
    EXPECT_EQ(::kill(-group, 0), 0); // still there
    ::kill(-group, SIGKILL);
    EXPECT_TRUE(calctest::WaitUntilGone(group, 5000));
}

} // namespace
