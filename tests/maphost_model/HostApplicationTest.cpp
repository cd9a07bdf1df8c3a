// The host application: commands by method name, active map, position, and its
// registration as the running "MapPoint.Application".
#include "maphost/model/HostApplication.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "maphost/model/HostMap.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using maphost::HostApplication;

class Target : public QObject {
    Q_OBJECT
public:
    int shown = 0;
    int other = 0;
public slots:
    void Show() { ++shown; }
    void Other() { ++other; }
};

TEST(HostApplication, CommandsAreAddedRemovedAndInvokedByName) {
    HostApplication app;
    QSignalSpy changed(&app, &HostApplication::commandsChanged);
    Target a, b;
    app.AddCommand("Locastra...", "Show", &a);
    app.AddCommand("Other", "Other", &b);
    app.AddCommand("Broken", "NoSuchMethod", &a);
    ASSERT_EQ(app.commands().size(), 3);
    EXPECT_EQ(app.commands()[0].displayName, "Locastra...");
    EXPECT_EQ(changed.count(), 3);

    EXPECT_TRUE(app.invokeCommand(0));
    EXPECT_TRUE(app.invokeCommand(1));
    EXPECT_FALSE(app.invokeCommand(2));
    EXPECT_FALSE(app.invokeCommand(3));
    EXPECT_FALSE(app.invokeCommand(-1));
    EXPECT_EQ(a.shown, 1);
    EXPECT_EQ(b.other, 1);

    app.RemoveCommands(&a);
    ASSERT_EQ(app.commands().size(), 1);
    EXPECT_EQ(app.commands()[0].displayName, "Other");
    EXPECT_EQ(changed.count(), 4);
    EXPECT_THROW(app.AddCommand("x", "Show", nullptr), automation::Error);
}

TEST(HostApplication, CommandsOfDestroyedTargetsDisappear) {
    HostApplication app;
    Target kept;
    {
        Target gone;
        app.AddCommand("Gone", "Show", &gone);
        app.AddCommand("Kept", "Show", &kept);
    }
    ASSERT_EQ(app.commands().size(), 1);
    EXPECT_TRUE(app.invokeCommand(0));
    EXPECT_EQ(kept.shown, 1);
}

TEST(HostApplication, ActiveMapAndPosition) {
    HostApplication app;
    EXPECT_FALSE(app.ActiveMap());
    QSignalSpy changed(&app, &HostApplication::activeMapChanged);
    auto map = app.newMap();
    EXPECT_EQ(app.ActiveMap().get(), static_cast<mappoint::Map*>(map.get()));
    EXPECT_EQ(changed.count(), 1);
    app.setActiveMap(nullptr);
    EXPECT_FALSE(app.ActiveMap());
    app.setPosition(1440, 2880);
    EXPECT_EQ(app.Left(), 1440);
    EXPECT_EQ(app.Top(), 2880);
}

TEST(HostApplication, RegistersAsTheRunningInstance) {
    const QString name = "MapPoint.Application";
    try {
        automation::GetObject(name);
        ADD_FAILURE() << "something already runs";
    } catch (const automation::Error& e) {
        EXPECT_EQ(e.number(), automation::errors::CannotCreateObject);
    }
    {
        auto app = std::make_shared<HostApplication>();
        HostApplication::registerRunning(app);
        auto found = automation::GetObjectAs<mappoint::Application>(name);
        EXPECT_EQ(found.get(), static_cast<mappoint::Application*>(app.get()));
        EXPECT_THROW(automation::CreateObject(name), automation::Error);
        automation::RevokeActiveObject(name, app.get());
    }
    EXPECT_THROW(automation::GetObject(name), automation::Error);
}

} // namespace

#include "HostApplicationTest.moc"
