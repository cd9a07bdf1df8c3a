#include "desktop/ShellAddress.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using desktop::shellUrl;

namespace {

TEST(ShellAddress, AddressesWithASchemeAreKept) {
    EXPECT_EQ(shellUrl("http://www.example.com/help.html"),
              QUrl("http://www.example.com/help.html"));
    EXPECT_EQ(shellUrl("  https://example.com/a?b=c#d "), QUrl("https://example.com/a?b=c#d"));
    EXPECT_EQ(shellUrl("mailto:someone@example.com"), QUrl("mailto:someone@example.com"));
    EXPECT_EQ(shellUrl("file:///tmp/a%20b.txt").toLocalFile(), "/tmp/a b.txt");
}

TEST(ShellAddress, PlainPathsBecomeFileUrls) {
    const QUrl absolute = shellUrl("/tmp/a b #1 100%.txt");
    EXPECT_TRUE(absolute.isLocalFile());
    EXPECT_EQ(absolute.toLocalFile(), "/tmp/a b #1 100%.txt");
    EXPECT_EQ(shellUrl("notes/readme.txt").toLocalFile(),
              QDir::current().absoluteFilePath("notes/readme.txt"));
    // A one-letter "scheme" is a drive letter, not a scheme.
    EXPECT_TRUE(shellUrl("C:\\").isLocalFile());
    EXPECT_EQ(shellUrl("~/x.txt").toLocalFile(), QDir::homePath() + "/x.txt");
}

TEST(ShellAddress, AnExistingFileWinsOverALookAlikeScheme) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    EXPECT_EQ(shellUrl("notes:2024.txt").scheme(), "notes");
    QFile file("notes:2024.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(shellUrl("notes:2024.txt").toLocalFile(), folder.filePath("notes:2024.txt"));
    QDir::setCurrent(previous);
}

TEST(ShellAddress, EmptyAddressIsInvalid) {
    EXPECT_FALSE(shellUrl("").isValid());
    EXPECT_FALSE(shellUrl("   ").isValid());
}

} // namespace
