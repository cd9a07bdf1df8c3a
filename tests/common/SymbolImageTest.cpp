#include "addin/mappoint/SymbolImageIndex.h"
#include "addin/mappoint/SymbolImageTable.h"

#include <gtest/gtest.h>

using locastra::SymbolImageIndex;

TEST(SymbolImageIndex, BuiltInSymbolsUpTo254MapToNextPicture) {
    EXPECT_EQ(SymbolImageIndex(0), 1);
    EXPECT_EQ(SymbolImageIndex(17), 18);
    EXPECT_EQ(SymbolImageIndex(254), 255);
    // 255, custom symbols and nonsense fall back to picture 1.
    EXPECT_EQ(SymbolImageIndex(255), 1);
    EXPECT_EQ(SymbolImageIndex(256), 1);
    EXPECT_EQ(SymbolImageIndex(-1), 1);
}

TEST(SymbolImageTable, HoldsOnePicturePerBuiltInSymbol) {
    locastra::SymbolImageTable table;
    EXPECT_EQ(table.picture(1).size(), QSize(16, 16));
    EXPECT_EQ(table.picture(256).size(), QSize(16, 16));
    EXPECT_NE(table.picture(1).toImage(), table.picture(2).toImage());
    // Out-of-range indices give picture 1 rather than crashing.
    EXPECT_EQ(table.picture(0).toImage(), table.picture(1).toImage());
    EXPECT_EQ(table.picture(257).toImage(), table.picture(1).toImage());
}
