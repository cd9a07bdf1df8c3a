// The project's symbol table: built-in names, custom symbols from bitmap files.
#include "StylingFixture.h"
#include "automation/Error.h"

#include <QFile>

namespace aerr = automation::errors;

TEST_F(StylingFixture, BuiltInSymbolsAreNamedAndFixed) {
    EXPECT_TRUE(appearance().hasSymbol(0));
    EXPECT_TRUE(appearance().hasSymbol(255));
    EXPECT_FALSE(appearance().hasSymbol(256));
    EXPECT_FALSE(appearance().hasSymbol(-1));
    EXPECT_EQ(appearance().symbolName(0), "Symbol 0");
    EXPECT_EQ(appearance().symbolName(255), "Symbol 255");
    EXPECT_AUTOMATION_ERROR(appearance().setSymbolName(3, "Mine"), aerr::NotSupported);
    EXPECT_AUTOMATION_ERROR(appearance().symbolName(256), aerr::InvalidArgument);
    EXPECT_EQ(appearance().customSymbolCount(), 0);
    EXPECT_AUTOMATION_ERROR(appearance().customSymbolId(0), aerr::ItemNotFound);
}

TEST_F(StylingFixture, CustomSymbolsGetIdsFrom256InOrder) {
    QImage red(20, 10, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(workPath("red flag.png")));
    ASSERT_TRUE(red.save(workPath("big.bmp")));
    EXPECT_EQ(appearance().addCustomSymbol(workPath("red flag.png")), 256);
    EXPECT_EQ(appearance().addCustomSymbol(LOCASTRA_HIDE_BMP), 257);
    EXPECT_EQ(appearance().addCustomSymbol(workPath("big.bmp")), 258);
    EXPECT_EQ(appearance().customSymbolCount(), 3);
    EXPECT_EQ(appearance().customSymbolId(0), 256);
    EXPECT_EQ(appearance().customSymbolId(2), 258);
    EXPECT_AUTOMATION_ERROR(appearance().customSymbolId(3), aerr::ItemNotFound);
    EXPECT_AUTOMATION_ERROR(appearance().customSymbolId(-1), aerr::ItemNotFound);
    EXPECT_EQ(appearance().symbolName(256), "red flag");
    EXPECT_EQ(appearance().symbolName(257), "hide");
    appearance().setSymbolName(257, "Hide");
    EXPECT_EQ(appearance().symbolName(257), "Hide");
    EXPECT_TRUE(appearance().hasSymbol(258));
    EXPECT_FALSE(appearance().hasSymbol(259));
}

TEST_F(StylingFixture, FilesThatAreNoPicturesAreRefused) {
    QFile text(workPath("notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    QFile empty(workPath("empty.png"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    for (const QString& bad : {workPath("notes.bmp"), workPath("empty.png"), workPath(""),
                               workPath("missing.bmp"), QStringLiteral("/dev/zero")})
        EXPECT_AUTOMATION_ERROR(appearance().addCustomSymbol(bad), aerr::FileError);
    EXPECT_EQ(appearance().customSymbolCount(), 0);
}
