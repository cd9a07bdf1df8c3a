// The add-in library as the host sees it: its metadata (the add-in record and the
// library identity) and its factory.
#include "automation/AddinConnection.h"

#include <QJsonObject>
#include <QPluginLoader>
#include <gtest/gtest.h>

namespace {

TEST(LocastraPlugin, CarriesTheAddinRecordAndCreatesConnect) {
    QPluginLoader loader(QStringLiteral(LOCASTRA_PLUGIN_FILE));
    const QJsonObject meta = loader.metaData().value("MetaData").toObject();
    EXPECT_EQ(loader.metaData().value("IID").toString(), LOCASTRA_ADDIN_FACTORY_IID);
    const QJsonObject record = meta.value("addin").toObject();
    EXPECT_EQ(record.value("displayName").toString(), "Locastra");
    EXPECT_EQ(record.value("description").toString(), "Locastra for MapPoint");
    EXPECT_EQ(record.value("loadBehavior").toInt(), 3);
    EXPECT_EQ(record.value("className").toString(), "Connect");
    const QJsonObject library = meta.value("library").toObject();
    EXPECT_EQ(library.value("fileVersion").toString(), "2.04.0002");
    EXPECT_EQ(library.value("typeLibraryHelpString").toString(), "Locastra AddIn for MapPoint");
    EXPECT_EQ(library.value("fileDescription").toString(), "Locastra COM Add-In for MapPoint");
    EXPECT_EQ(library.value("comments").toString(), "Requires Microsoft MapPoint 2002");

    auto* factory = qobject_cast<automation::AddinFactory*>(loader.instance());
    ASSERT_NE(factory, nullptr) << loader.errorString().toStdString();
    std::unique_ptr<QObject> addin(factory->CreateAddin("Connect"));
    ASSERT_NE(addin, nullptr);
    EXPECT_NE(qobject_cast<automation::AddinConnection*>(addin.get()), nullptr);
    EXPECT_NE(addin->metaObject()->indexOfMethod("Show()"), -1);
    EXPECT_EQ(factory->CreateAddin("Other"), nullptr);
}

} // namespace
