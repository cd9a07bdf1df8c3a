#include "desktop/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using desktop::SettingsStore;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    SettingsStore store{folder.path()};

    // Writes an INI file by hand, as a user would.
    void writeFile(const QString& application, const QByteArray& content) {
        QDir().mkpath(folder.path() + QStringLiteral("/Locastra"));
        QFile file(store.filePath(application));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

TEST_F(SettingsStoreTest, AbsentFileKeyOrSectionGivesTheDefault) {
    EXPECT_EQ(store.read("Locastra", "Settings", "DisplayOnConnect", "0"), "0");
    writeFile("Locastra", "[Settings]\nOther=1\n[Elsewhere]\nDisplayOnConnect=1\n");
    EXPECT_EQ(store.read("Locastra", "Settings", "DisplayOnConnect", "0"), "0");
    EXPECT_EQ(store.read("Locastra", "Missing", "Other", "dflt"), "dflt");
    EXPECT_EQ(store.read("Locastra", "Settings", "Other", "0"), "1");
    // Another application's file is not this one's.
    EXPECT_EQ(store.read("Other", "Settings", "Other", "x"), "x");
}

TEST_F(SettingsStoreTest, HandWrittenFileIsReadBySectionAndExactKey) {
    writeFile("Locastra", "[Settings]\nDisplayOnConnect=1\ndisplayonconnect=0\n"
                          "Name=Smith, John\nQuoted=\" 1\"\n[Other]\nDisplayOnConnect=true\n");
    EXPECT_EQ(store.read("Locastra", "Settings", "DisplayOnConnect", "0"), "1");
    EXPECT_EQ(store.read("Locastra", "Settings", "displayonconnect", "x"), "0");
    EXPECT_EQ(store.read("Locastra", "Other", "DisplayOnConnect", "0"), "true");
    EXPECT_EQ(store.read("Locastra", "Settings", "Quoted", "0"), " 1");
    // An unquoted value with a comma is one value, not a list.
    EXPECT_EQ(store.read("Locastra", "Settings", "Name", ""), "Smith, John");
}

TEST_F(SettingsStoreTest, WrittenValuesComeBackExactly) {
    const QStringList values = {"1",
                                " 1",
                                "01",
                                "true",
                                "",
                                "a, b",
                                "semi;colon",
                                "=eq=",
                                "\"quoted\"",
                                "@at",
                                "tab\tand\nnewline",
                                "Ünïcødé €"};
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString key = QStringLiteral("Key%1").arg(i);
        ASSERT_TRUE(store.write("Locastra", "Settings", key, values[i])) << key.toStdString();
    }
    SettingsStore again(folder.path());
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(again.read("Locastra", "Settings", QStringLiteral("Key%1").arg(i), "absent"),
                  values[i]);
    }
    // Writing one key leaves the others of the file alone.
    ASSERT_TRUE(store.write("Locastra", "Settings", "Key0", "changed"));
    EXPECT_EQ(again.read("Locastra", "Settings", "Key0", ""), "changed");
    EXPECT_EQ(again.read("Locastra", "Settings", "Key1", ""), " 1");
}

TEST_F(SettingsStoreTest, SectionsAndApplicationsAreSeparate) {
    ASSERT_TRUE(store.write("Locastra", "Settings", "K", "a"));
    ASSERT_TRUE(store.write("Locastra", "Layout", "K", "b"));
    ASSERT_TRUE(store.write("Other App", "Settings", "K", "c"));
    EXPECT_EQ(store.read("Locastra", "Settings", "K", ""), "a");
    EXPECT_EQ(store.read("Locastra", "Layout", "K", ""), "b");
    EXPECT_EQ(store.read("Other App", "Settings", "K", ""), "c");
    EXPECT_TRUE(QFile::exists(folder.path() + "/Locastra/Other App.ini"));
}

TEST_F(SettingsStoreTest, UnusableNamesReadTheDefaultAndWriteNothing) {
    for (const QString& application :
         {QString(), QString(".."), QString("../escape"), QString("a/b"), QString("a\\b")}) {
        EXPECT_TRUE(store.filePath(application).isEmpty()) << application.toStdString();
        EXPECT_FALSE(store.write(application, "Settings", "K", "v"));
        EXPECT_EQ(store.read(application, "Settings", "K", "d"), "d");
    }
    EXPECT_FALSE(store.write("Locastra", "", "K", "v"));
    EXPECT_FALSE(store.write("Locastra", "Settings", "", "v"));
    EXPECT_FALSE(store.write("Locastra", "Sec/tion", "K", "v"));
    EXPECT_EQ(store.read("Locastra", "Settings", "a/b", "d"), "d");
    // Nothing was created outside the store's own folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST(SettingsStoreLocation, IsTheFileQSettingsUsesForTheUser) {
    const QSettings qt(QSettings::IniFormat, QSettings::UserScope, "Locastra", "Locastra");
    EXPECT_EQ(SettingsStore().filePath("Locastra"), qt.fileName());
}

} // namespace
