// The main window: add-in commands on the Tools menu, the save prompt on exit, the
// window position in twips.
#include "maphost/app/MainWindow.h"
#include "TestMaps.h"
#include "desktop/Twips.h"
#include "desktop/testing/RecordingDesktop.h"
#include "maphost/app/HostProgram.h"
#include "maphost/app/Screenshot.h"
#include "maphost/document/MapDocument.h"
#include "maphost/model/HostApplication.h"
#include "maphost/view/MapProjection.h"
#include "maphost/view/MapView.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using desktop::RecordedCall;
using maphost::HostApplication;
using maphost::MainWindow;

namespace {

class CommandTarget : public QObject {
    Q_OBJECT
public:
    int shown = 0;
    int hidden = 0;
public slots:
    void Show() { ++shown; }
    void Hide() { ++hidden; }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        application = std::make_shared<HostApplication>();
        application->setActiveMap(
            testmaps::mapWith({testmaps::pin("Alpha", 10, 10)}, 10, 10, 2000));
        window = std::make_unique<MainWindow>(application, nullptr, dir.filePath("maphost.ini"));
    }

    // The Tools menu's add-in entries (everything before the separator).
    QList<QAction*> commandActions() const {
        QList<QAction*> result;
        for (QAction* a : window->toolsMenu()->actions()) {
            if (a->isSeparator() || a->objectName() == "actionAddins")
                break;
            result << a;
        }
        return result;
    }

    QTemporaryDir dir;
    std::shared_ptr<HostApplication> application;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, AddCommandEntriesInvokeByNameAndRemoveCommandsTakesThemAway) {
    CommandTarget first;
    CommandTarget second;
    application->AddCommand("Locastra...", "Show", &first);
    application->AddCommand("Other Tool", "Hide", &second);
    application->AddCommand("Hide Locastra", "Hide", &first);

    QList<QAction*> actions = commandActions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "Locastra...");
    EXPECT_EQ(actions[1]->text(), "Other Tool");
    // "Add-ins..." stays last.
    EXPECT_EQ(window->toolsMenu()->actions().last()->text(), "Add-ins...");

    actions[0]->trigger();
    actions[2]->trigger();
    actions[1]->trigger();
    EXPECT_EQ(first.shown, 1);
    EXPECT_EQ(first.hidden, 1);
    EXPECT_EQ(second.hidden, 1);
    EXPECT_EQ(second.shown, 0);

    application->RemoveCommands(&first);
    actions = commandActions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0]->text(), "Other Tool");
    actions[0]->trigger();
    EXPECT_EQ(second.hidden, 2);
    EXPECT_EQ(first.shown, 1);

    application->RemoveCommands(&second);
    EXPECT_TRUE(commandActions().isEmpty());
    EXPECT_EQ(window->toolsMenu()->actions().last()->text(), "Add-ins...");
}

TEST_F(MainWindowTest, ACommandWhoseTargetIsGoneDoesNothing) {
    auto target = std::make_unique<CommandTarget>();
    application->AddCommand("Gone", "Show", target.get());
    ASSERT_EQ(commandActions().size(), 1);
    QAction* action = commandActions()[0];
    target.reset();
    action->trigger(); // must not crash; the dead entry disappears on the next change
    CommandTarget live;
    application->AddCommand("Live", "Show", &live);
    ASSERT_EQ(commandActions().size(), 1);
    EXPECT_EQ(commandActions()[0]->text(), "Live");
}

// Qt appends an application display name, once set, to every window title (the
// add-in's "About Locastra" would read "About Locastra - Map Host"). The host sets
// none: the display name stays whatever the application name is.
TEST_F(MainWindowTest, TheHostLeavesWindowTitlesAsTheirWindowsSetThem) {
    maphost::setHostIdentity();
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(name);
    // The main window names the host itself.
    EXPECT_TRUE(window->windowTitle().endsWith(" - Map Host"))
        << window->windowTitle().toStdString();
}

TEST_F(MainWindowTest, UnmodifiedMapClosesWithoutAsking) {
    desktop::ScopedRecordingDesktop desk;
    application->activeMap()->setModified(false);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(desk->count(RecordedCall::Kind::MessageBox), 0);
}

TEST_F(MainWindowTest, ExitPromptsToSaveChanges) {
    desktop::ScopedRecordingDesktop desk;
    auto map = application->activeMap();
    const QString path = dir.filePath("saved.gpkg");
    map->setFilePath(path);
    map->setModified(true);
    window->show();

    // Cancel: the window stays and nothing is written.
    desk->queueMessageBoxAnswer(desktop::Button::Cancel);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(desk->count(RecordedCall::Kind::MessageBox), 1);
    const RecordedCall prompt = desk->callsOf(RecordedCall::Kind::MessageBox)[0];
    EXPECT_EQ(prompt.buttons, desktop::Buttons::YesNoCancel);
    EXPECT_TRUE(prompt.text.contains("saved.gpkg")) << prompt.text.toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFileInfo::exists(path));

    // Yes: saved to its file, then closed.
    desk->queueMessageBoxAnswer(desktop::Button::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(map->isModified());
    const maphost::MapData saved = maphost::MapDocument::open(path);
    ASSERT_EQ(saved.dataSets.size(), 1u);
    EXPECT_EQ(saved.dataSets[0].pushpins[0].name, "Alpha");
}

TEST_F(MainWindowTest, ExitWithoutSavingLeavesTheFileAlone) {
    desktop::ScopedRecordingDesktop desk;
    auto map = application->activeMap();
    map->setModified(true); // untitled: Yes would need a file name
    desk->queueMessageBoxAnswer(desktop::Button::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(desk->count(RecordedCall::Kind::FileDialog), 0);

    // Yes on an untitled map asks for a name; cancelling that keeps the window open.
    window->show();
    desk->queueMessageBoxAnswer(desktop::Button::Yes);
    desk->queueFileDialogResult(std::nullopt);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(desk->count(RecordedCall::Kind::FileDialog), 1);
    EXPECT_TRUE(map->isModified());
}

TEST_F(MainWindowTest, ApplicationLeftAndTopFollowTheWindowInTwips) {
    window->show();
    window->move(120, 80);
    QCoreApplication::processEvents();
    const QPoint at = window->frameGeometry().topLeft();
    EXPECT_EQ(application->Left(), desktop::pixelsToTwipsX(at.x()));
    EXPECT_EQ(application->Top(), desktop::pixelsToTwipsY(at.y()));
    EXPECT_NE(application->Left(), 0);
}

TEST_F(MainWindowTest, ImportFailureIsReportedAndTheMapKeepsItsData) {
    desktop::ScopedRecordingDesktop desk;
    auto map = application->activeMap();
    EXPECT_FALSE(window->importData(dir.filePath("absent.csv")));
    EXPECT_EQ(desk->count(RecordedCall::Kind::MessageBox), 1);
    EXPECT_EQ(map->dataSetCount(), 1);
    EXPECT_EQ(map->pushpinCount(), 1);
}

TEST_F(MainWindowTest, ImportAddsTheFileAsADatasetAndMarksTheMapChanged) {
    desktop::ScopedRecordingDesktop desk;
    QFile csv(dir.filePath("harbours.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly | QIODevice::Text));
    csv.write("name,latitude,longitude,depth\nKiel,54.32,10.14,12\nBrest,48.38,-4.49,20\n");
    csv.close();
    auto map = application->activeMap();
    map->setModified(false);
    ASSERT_TRUE(window->importData(csv.fileName())) << desk->log().toStdString();
    EXPECT_EQ(map->dataSetCount(), 2);
    EXPECT_EQ(map->dataSetName(map->dataSetAt(1)), "harbours");
    EXPECT_TRUE(map->FindPushpin("Kiel"));
    EXPECT_TRUE(map->isModified());
}

TEST_F(MainWindowTest, SwitchingDistanceUnitsKeepsTheViewAndChangesTheUnit) {
    auto map = application->activeMap();
    const auto scale = [&] {
        return maphost::MapProjection(map->view(), QSizeF(640, 480)).pixelsPerWorld();
    };
    const double before = scale();
    window->findChild<QAction*>("actionKilometers")->trigger();
    EXPECT_EQ(map->Units(), mappoint::geoKilometers);
    EXPECT_NEAR(map->Altitude(), 2000 * 1.609344, 1e-6);
    EXPECT_NEAR(scale() / before, 1.0, 1e-9);
    window->findChild<QAction*>("actionMiles")->trigger();
    EXPECT_EQ(map->Units(), mappoint::geoMiles);
    EXPECT_NEAR(map->Altitude(), 2000, 1e-6);
}

TEST_F(MainWindowTest, StatusBarShowsThePointersPosition) {
    window->resize(800, 600);
    window->show();
    QCoreApplication::processEvents();
    maphost::MapView* view = window->view();
    const QPointF centre(view->width() / 2.0, view->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, centre, view->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    auto* label = window->findChild<QLabel*>("PointerPosition");
    ASSERT_NE(label, nullptr);
    // The view is centred on 10 N, 10 E.
    EXPECT_EQ(label->text(), QLocale().toString(10.0, 'f', 4) + "° N, " +
                                 QLocale().toString(10.0, 'f', 4) + "° E");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_TRUE(label->text().isEmpty());
}

TEST_F(MainWindowTest, ScreenshotComposesEveryVisibleWindow) {
    window->resize(400, 300);
    window->move(0, 0);
    window->show();
    QWidget addinWindow;
    addinWindow.setAutoFillBackground(true);
    QPalette palette = addinWindow.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    addinWindow.setPalette(palette);
    addinWindow.resize(120, 90);
    addinWindow.move(500, 350);
    addinWindow.show();
    QCoreApplication::processEvents();

    const QImage shot = maphost::captureTopLevelWindows();
    const QRect all = window->geometry().united(addinWindow.geometry());
    EXPECT_EQ(shot.size(), all.size());
    const QPoint inAddin = addinWindow.geometry().center() - all.topLeft();
    EXPECT_EQ(shot.pixelColor(inAddin), QColor(0, 200, 0));
    // An old picture is replaced whole, and nothing else is left in the folder.
    QFile old(dir.filePath("shot.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    EXPECT_TRUE(maphost::saveScreenshot(dir.filePath("shot.png")));
    EXPECT_EQ(QImage(dir.filePath("shot.png")).size(), all.size());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"shot.png"});
    EXPECT_FALSE(maphost::saveScreenshot(dir.filePath("no such folder/shot.png")));
}

} // namespace

#include "MainWindowTest.moc"
