// The add-in manager: records, start-up connection, the Add-ins dialog's connect
// and disconnect, failure reports, and shutdown.
#include "maphost/app/AddinManager.h"
#include "TestMaps.h"
#include "automation/AddinLibrary.h"
#include "automation/ClassRegistry.h"
#include "automation/Error.h"
#include "maphost/app/AddinRegistry.h"
#include "maphost/app/AddinsDialog.h"
#include "maphost/model/HostApplication.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using maphost::AddinManager;
using maphost::AddinRecord;
using maphost::AddinRegistry;
using maphost::HostApplication;

namespace {

class AddinManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        testmaps::clearTestAddinLog();
        application = std::make_shared<HostApplication>();
    }

    AddinRegistry registry() const { return AddinRegistry(dir.filePath("maphost.ini")); }

    AddinRecord record(const QString& key, int loadBehavior, const QString& library,
                       const QString& className = QStringLiteral("Connect")) const {
        AddinRecord r;
        r.key = key;
        r.displayName = key + QStringLiteral(" add-in");
        r.description = QStringLiteral("for tests");
        r.loadBehavior = loadBehavior;
        r.library = library;
        r.className = className;
        return r;
    }

    int indexOf(const AddinManager& manager, const QString& key) const {
        for (int i = 0; i < manager.count(); ++i)
            if (manager.addin(i).record.key == key)
                return i;
        return -1;
    }

    QStringList commandNames() const {
        QStringList names;
        for (const auto& c : application->commands())
            names << c.displayName;
        return names;
    }

    QTemporaryDir dir;
    std::shared_ptr<HostApplication> application;
    const QString plugin = QStringLiteral(TEST_ADDIN_PATH);
};

TEST_F(AddinManagerTest, RecordComesFromThePluginMetadata) {
    const AddinRecord r = automation::ReadAddinRecord(plugin);
    EXPECT_EQ(r.displayName, "Test Add-in");
    EXPECT_EQ(r.description, "Records what the host does to it");
    EXPECT_EQ(r.loadBehavior, 3);
    EXPECT_EQ(r.className, "Connect");
    EXPECT_EQ(r.key, "maphost_test_addin.Connect");
    EXPECT_TRUE(QFileInfo(r.library).isAbsolute());

    // Written twice: one record, updated in place.
    ASSERT_TRUE(registry().write(r));
    AddinRecord changed = r;
    changed.loadBehavior = 0;
    ASSERT_TRUE(registry().write(changed));
    const auto records = registry().records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].loadBehavior, 0);
    EXPECT_EQ(records[0].library, r.library);

    EXPECT_THROW(automation::ReadAddinRecord(dir.filePath("missing.so")), automation::Error);
    QFile junk(dir.filePath("junk.so"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
    junk.close();
    EXPECT_THROW(automation::ReadAddinRecord(junk.fileName()), automation::Error);
}

TEST_F(AddinManagerTest, StartUpConnectsLoadBehaviourThreeWithModeOneAndExitDisconnects) {
    registry().write(record("auto", 3, plugin));
    registry().write(record("manual", 0, plugin));
    {
        AddinManager manager(application, registry());
        ASSERT_EQ(manager.count(), 2);
        manager.connectAtStartup();
        EXPECT_TRUE(manager.addin(indexOf(manager, "auto")).connected);
        EXPECT_FALSE(manager.addin(indexOf(manager, "manual")).connected);
        EXPECT_EQ(testmaps::testAddinLog(), QStringList{"connect 1"});
        EXPECT_EQ(commandNames(), (QStringList{"Test Command...", "Second Command"}));

        // The command invokes the add-in's method by its name.
        EXPECT_TRUE(application->invokeCommand(1));
        EXPECT_EQ(testmaps::testAddinLog().last(), "run second");
    }
    // Host exit: every connected add-in is told, with the shutdown remove mode.
    EXPECT_EQ(testmaps::testAddinLog().last(), "disconnect 0");
    EXPECT_TRUE(commandNames().isEmpty());
}

TEST_F(AddinManagerTest, DialogCheckConnectsWithModeZeroUncheckDisconnects) {
    registry().write(record("manual", 0, plugin));
    AddinManager manager(application, registry());
    maphost::AddinsDialog dialog(manager);
    QListWidgetItem* item = dialog.list()->item(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "manual add-in");
    EXPECT_EQ(item->checkState(), Qt::Unchecked);

    item->setCheckState(Qt::Checked);
    EXPECT_EQ(testmaps::testAddinLog(), QStringList{"connect 0"});
    EXPECT_TRUE(manager.addin(0).connected);
    EXPECT_EQ(commandNames().size(), 2);
    EXPECT_EQ(registry().records()[0].loadBehavior, 3); // comes back at the next start

    dialog.list()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(testmaps::testAddinLog().last(), "disconnect 1");
    EXPECT_FALSE(manager.addin(0).connected);
    EXPECT_TRUE(commandNames().isEmpty());
    EXPECT_EQ(registry().records()[0].loadBehavior, 0);

    // Connecting again works: a fresh add-in object, the commands come back.
    dialog.list()->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(testmaps::testAddinLog().last(), "connect 0");
    EXPECT_EQ(commandNames().size(), 2);
}

TEST_F(AddinManagerTest, AnAddinFindsTheRunningHostByClassName) {
    registry().write(record("probe", 3, plugin, "Probe"));
    {
        AddinManager manager(application, registry());
        HostApplication::registerRunning(application);
        manager.connectAtStartup();
        automation::RevokeActiveObject("MapPoint.Application", application.get());
        EXPECT_EQ(testmaps::testAddinLog(), (QStringList{"connect 1", "running same"}));
    }
    // Once revoked, an add-in finds no running host.
    testmaps::clearTestAddinLog();
    AddinManager manager(application, registry());
    manager.connectAtStartup();
    EXPECT_EQ(testmaps::testAddinLog(), (QStringList{"connect 1", "running none 429"}));
}

TEST_F(AddinManagerTest, FailuresAreReportedAndTheOthersStillConnect) {
    QFile junk(dir.filePath("junk.so"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no shared library");
    junk.close();
    registry().write(record("a-missing", 3, dir.filePath("nowhere/libgone.so")));
    registry().write(record("b-junk", 3, junk.fileName()));
    registry().write(record("c-plain", 3, plugin, "Plain"));
    registry().write(record("d-noclass", 3, plugin, "Unknown"));
    registry().write(record("e-throwing", 3, plugin, "Throwing"));
    registry().write(record("f-good", 3, plugin));

    AddinManager manager(application, registry());
    int failed = 0;
    QObject::connect(&manager, &AddinManager::addinFailed, [&failed] { ++failed; });
    manager.connectAtStartup();

    ASSERT_EQ(manager.count(), 6);
    EXPECT_EQ(failed, 5);
    auto error = [&](const char* key) {
        return manager.addin(indexOf(manager, key)).error;
    };
    EXPECT_TRUE(error("a-missing").contains("was not found")) << error("a-missing").toStdString();
    EXPECT_TRUE(error("b-junk").contains("could not be loaded")) << error("b-junk").toStdString();
    EXPECT_TRUE(error("c-plain").contains("does not offer the add-in connection interface"));
    EXPECT_TRUE(error("d-noclass").contains("has no add-in class \"Unknown\""));
    EXPECT_TRUE(error("e-throwing").contains("refused to connect"));
    for (const char* key : {"a-missing", "b-junk", "c-plain", "d-noclass", "e-throwing"})
        EXPECT_FALSE(manager.addin(indexOf(manager, key)).connected) << key;
    EXPECT_TRUE(manager.addin(indexOf(manager, "f-good")).connected);
    EXPECT_TRUE(error("f-good").isEmpty());
    // The one that failed inside OnConnection leaves no commands behind.
    EXPECT_EQ(commandNames().size(), 2);

    // The dialog shows the reason when the user tries again, and the box stays clear.
    maphost::AddinsDialog dialog(manager);
    QListWidgetItem* missing = dialog.list()->item(indexOf(manager, "a-missing"));
    missing->setCheckState(Qt::Checked);
    EXPECT_EQ(missing->checkState(), Qt::Unchecked);
    EXPECT_TRUE(dialog.statusText().contains("was not found"));
}

} // namespace
