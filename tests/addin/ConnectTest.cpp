// The add-in object: the menu command, "DisplayOnConnect", modal Show, Hide, File >
// Exit and a fresh load, disconnection, and the connection failure message.
#include "addin/Connect.h"
#include "FaultInjector.h"
#include "FaultWrap.h"
#include "automation/ClassRegistry.h"
#include "desktop/testing/RecordingDesktop.h"
#include "maphost/model/HostApplication.h"
#include "maphost/model/HostMap.h"
#include "toolwindow/ResultListModel.h"
#include "toolwindow/frmAddIn.h"
#include "widgets/chameleonButton.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using locastra::Connect;

class ConnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_shared<maphost::HostApplication>();
        maphost::HostApplication::registerRunning(host_);
        map_ = host_->newMap();
        maphost::DataSetData ds;
        ds.name = "Shops";
        for (const char* name : {"alpha", "beta"}) {
            maphost::PushpinData pin;
            pin.name = name;
            ds.pushpins.push_back(pin);
        }
        map_->addDataSet(ds);
    }

    void TearDown() override {
        connect_.reset();
        // Windows released with deleteLater go now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        automation::RevokeActiveObject("MapPoint.Application", host_.get());
    }

    void setDisplayOnConnect(const std::optional<QString>& value) {
        if (value)
            desktop_->setSetting("Locastra", "Settings", "DisplayOnConnect", *value);
        else
            desktop_->removeSetting("Locastra", "Settings", "DisplayOnConnect");
    }

    // Runs inModal once the modal loop of the window runs; returns whether it ran
    // inside the loop. inModal must hide or unload the window.
    bool whileShown(const std::function<void()>& triggerShow,
                    const std::function<void(toolwindow::frmAddIn&)>& inModal) {
        bool ranInside = false;
        QTimer probe;
        probe.setSingleShot(true);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            toolwindow::frmAddIn* window = connect_->toolWindow();
            if (!window || !window->isVisible())
                return;
            ranInside = true;
            inModal(*window);
        });
        probe.start(0);
        triggerShow();
        probe.stop();
        return ranInside;
    }

    void connectAddin(int mode) {
        connect_ = std::make_unique<Connect>();
        connect_->OnConnection(host_, mode, nullptr, {});
    }

    desktop::ScopedRecordingDesktop desktop_;
    std::shared_ptr<maphost::HostApplication> host_;
    std::shared_ptr<maphost::HostMap> map_;
    std::unique_ptr<Connect> connect_;
};

TEST_F(ConnectTest, ConnectionAddsTheCommandBoundToShow) {
    connectAddin(automation::ConnectStartup);
    const auto commands = host_->commands();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0].displayName, "Locastra...");
    EXPECT_EQ(commands[0].methodName, "Show");
    EXPECT_EQ(commands[0].target, connect_.get());
    EXPECT_EQ(connect_->g_oApp, host_);
    EXPECT_EQ(connect_->toolWindow(), nullptr);
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 0);
}

TEST_F(ConnectTest, OnlyTheExactSettingOneOpensTheWindowAndOnlyAfterStartUp) {
    struct Case {
        std::optional<QString> value;
        int mode;
        bool opens;
    };
    const Case cases[] = {{QString("1"), automation::ConnectAfterStartup, true},
                          {QString("1"), automation::ConnectStartup, false},
                          {std::nullopt, automation::ConnectAfterStartup, false},
                          {QString("0"), automation::ConnectAfterStartup, false},
                          {QString(" 1"), automation::ConnectAfterStartup, false},
                          {QString("01"), automation::ConnectAfterStartup, false},
                          {QString("true"), automation::ConnectAfterStartup, false}};
    for (const Case& c : cases) {
        setDisplayOnConnect(c.value);
        connect_ = std::make_unique<Connect>();
        const bool opened = whileShown([&] { connect_->OnConnection(host_, c.mode, nullptr, {}); },
                                       [&](toolwindow::frmAddIn&) { connect_->Hide(); });
        EXPECT_EQ(opened, c.opens)
            << c.value.value_or("<absent>").toStdString() << " mode " << c.mode;
        EXPECT_EQ(host_->commands().size(), 1);
        connect_->OnDisconnection(0, {});
        EXPECT_TRUE(host_->commands().isEmpty());
    }
    // Read with the right keys and the default "0".
    const auto reads = desktop_->callsOf(desktop::RecordedCall::Kind::ReadSetting);
    ASSERT_FALSE(reads.isEmpty());
    EXPECT_EQ(reads[0].application, "Locastra");
    EXPECT_EQ(reads[0].section, "Settings");
    EXPECT_EQ(reads[0].key, "DisplayOnConnect");
    EXPECT_EQ(reads[0].defaultValue, "0");
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::WriteSetting), 0);
}

TEST_F(ConnectTest, HideKeepsTheWindowAndItsListExitLoadsAFreshOne) {
    connectAddin(automation::ConnectStartup);
    toolwindow::frmAddIn* first = nullptr;
    bool displayedWhileOpen = false;
    ASSERT_TRUE(whileShown([&] { host_->invokeCommand(0); },
                           [&](toolwindow::frmAddIn& window) {
                               first = &window;
                               displayedWhileOpen = connect_->m_formDisplayed;
                               emit window.ButtonShowAll->Click();
                               window.mnuHide->trigger();
                           }));
    EXPECT_TRUE(displayedWhileOpen);
    EXPECT_FALSE(connect_->m_formDisplayed);
    ASSERT_EQ(connect_->toolWindow(), first);

    // The map changes while the window is hidden; the same window comes back as it was.
    maphost::DataSetData later;
    later.name = "Later";
    map_->addDataSet(later);
    int rowsOnReturn = -1;
    int itemsOnReturn = -1;
    ASSERT_TRUE(whileShown([&] { connect_->Show(); },
                           [&](toolwindow::frmAddIn& window) {
                               EXPECT_EQ(&window, first);
                               rowsOnReturn = window.ResultRows()->rowCount();
                               itemsOnReturn = window.ImageCombo1->count();
                               window.close(); // the close box hides as well
                           }));
    EXPECT_EQ(rowsOnReturn, 2);
    EXPECT_EQ(itemsOnReturn, 2);

    ASSERT_TRUE(whileShown([&] { connect_->Show(); },
                           [&](toolwindow::frmAddIn& window) { window.mnuExit->trigger(); }));
    EXPECT_EQ(connect_->toolWindow(), nullptr);
    EXPECT_TRUE(connect_->m_formDisplayed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_TRUE(whileShown([&] { connect_->Show(); },
                           [&](toolwindow::frmAddIn& window) {
                               rowsOnReturn = window.ResultRows()->rowCount();
                               itemsOnReturn = window.ImageCombo1->count();
                               connect_->Hide();
                           }));
    EXPECT_EQ(rowsOnReturn, 0);
    EXPECT_EQ(itemsOnReturn, 3);
}

TEST_F(ConnectTest, DisconnectionRemovesTheCommandAndTheWindow) {
    connectAddin(automation::ConnectStartup);
    connect_->OnDisconnection(0, {});
    EXPECT_TRUE(host_->commands().isEmpty());
    EXPECT_EQ(connect_->toolWindow(), nullptr);

    connectAddin(automation::ConnectStartup);
    ASSERT_TRUE(
        whileShown([&] { connect_->Show(); }, [&](toolwindow::frmAddIn&) { connect_->Hide(); }));
    QPointer<toolwindow::frmAddIn> window = connect_->toolWindow();
    ASSERT_NE(window, nullptr);
    connect_->OnDisconnection(0, {});
    EXPECT_TRUE(host_->commands().isEmpty());
    EXPECT_EQ(connect_->toolWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(ConnectTest, ConnectionFailureShowsItsDescriptionAndSkipsTheRest) {
    auto injector = std::make_shared<faults::FaultInjector>();
    injector->addRule({"Application.AddCommand", {}, 1, -1, 5, "Cannot add the command"});
    const mappoint::ApplicationPtr faulty = faults::wrap(mappoint::ApplicationPtr(host_), injector);
    setDisplayOnConnect(QString("1"));
    connect_ = std::make_unique<Connect>();
    const bool opened = whileShown(
        [&] { connect_->OnConnection(faulty, automation::ConnectAfterStartup, nullptr, {}); },
        [&](toolwindow::frmAddIn&) { connect_->Hide(); });
    EXPECT_FALSE(opened);
    const auto boxes = desktop_->callsOf(desktop::RecordedCall::Kind::MessageBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "Cannot add the command");
    EXPECT_EQ(boxes[0].title, "Locastra");
    EXPECT_EQ(boxes[0].icon, desktop::Icon::None);
    EXPECT_EQ(boxes[0].buttons, desktop::Buttons::Ok);
    EXPECT_TRUE(host_->commands().isEmpty());

    // Something that is no host Application at all fails the same way.
    desktop_->clearCalls();
    connect_ = std::make_unique<Connect>();
    connect_->OnConnection(std::make_shared<automation::Object>(), 0, nullptr, {});
    EXPECT_EQ(desktop_->count(desktop::RecordedCall::Kind::MessageBox), 1);
}

} // namespace
